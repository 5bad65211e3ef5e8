// TProfile: one player's profile document, with typed access to the keys of its group "Profile".
#include "profiles/TProfile.h"

#include "data/NumberText.h"
#include "platform/Files.h"
#include "platform/System.h"

#include <exception>

namespace vsm {

namespace {
const char* const GROUP = "Profile";
const std::string NEW_SUFFIX = ".new";
} // namespace

TProfilePtr TProfile::Create(const std::string& path) {
    auto p = std::make_shared<TProfile>();
    p->path = path;
    p->name = StripExt(StripDir(path));
    p->file = CreateTSCFile();
    try {
        LoadTSCFile(p->file, path);
    } catch (const std::exception&) {
        Print("21");
        return nullptr;
    }
    return p;
}

int TProfile::CreateNew(const std::string& path, const std::string& portalName) {
    TTSCFilePtr doc = CreateTSCFile();
    CreateTSCGroup(doc, "", GROUP);
    SetTSCStringKey(doc, GROUP, "PortalName", portalName, 0);
    if (FileType(path) != FILETYPE_NONE) {
        Print("Profile file " + path + " already exists; not replaced");
        return -1;
    }
    // The complete file is written beside the target first and then moved to the target's name
    // without replacing, so a file appearing there meanwhile is never overwritten either.
    const std::string temp = ExtractDir(path) + "/." + StripDir(path) + NEW_SUFFIX;
    if (!SaveText(doc->SavedText(), temp)) {
        Print("Profile file " + path + " could not be written");
        return -1;
    }
    if (!RenameFile(temp, path)) {
        DeleteFile(temp);
        Print("Profile file " + path + " could not be created");
        return -1;
    }
    return 0;
}

bool TProfile::IsCreationTempName(const std::string& name) {
    return name.size() > 1 + NEW_SUFFIX.size() && name[0] == '.' &&
           name.compare(name.size() - NEW_SUFFIX.size(), NEW_SUFFIX.size(), NEW_SUFFIX) == 0;
}

int TProfile::RemoveStaleCreationTemps(const std::string& folder) {
    int removed = 0;
    for (const DirEntry& e : ListDir(folder)) {
        if (e.type != FILETYPE_FILE || !IsCreationTempName(e.name)) continue;
        const std::string path = folder + "/" + e.name;
        if (IsPlainFile(path) && DeleteFile(path)) ++removed;
    }
    return removed;
}

int TProfile::SetNumber(const std::string& key, int value) {
    SetTSCNumberKey(file, GROUP, key, static_cast<float>(value), 0);
    return 0;
}

int TProfile::GetNumber(const std::string& key) const {
    return NumberToInt(GetTSCNumberKey(file, GROUP, key, 0));
}

int TProfile::SetString(const std::string& key, const std::string& value) {
    SetTSCStringKey(file, GROUP, key, value, 0);
    return 0;
}

std::string TProfile::GetString(const std::string& key) const {
    return GetTSCStringKey(file, GROUP, key, 0);
}

int TProfile::SetList(const std::string& key, const std::vector<std::string>& values) {
    // Checked before the old list goes: a list that cannot be stored must not cost the one that is.
    if (values.size() > static_cast<size_t>(TSC_MAX_VALUES)) {
        Print("The list " + key + " holds " + std::to_string(values.size()) + " values, more than the " +
              std::to_string(TSC_MAX_VALUES) + " a key can store; the stored list is kept");
        return -1;
    }
    auto& keys = file->KeyList;
    for (auto it = keys.begin(); it != keys.end(); ++it) {
        if ((*it)->Name == key) {
            keys.erase(it);
            break;
        }
    }
    if (values.empty()) return 0;
    // A fresh key is made here rather than by a lookup that ignores case, so that a key of
    // another spelling is never taken over.
    TTSCKeyPtr made = file->CreateKey(GROUP, key);
    for (size_t i = 0; i < values.size(); ++i)
        made->SetValue(static_cast<int>(i), values[i], TSC_TYPE_STRING);
    return 0;
}

std::vector<std::string> TProfile::GetList(const std::string& key) const {
    for (const TTSCKeyPtr& k : file->KeyList) {
        if (k->Name != key) continue;
        std::vector<std::string> out;
        out.reserve(static_cast<size_t>(k->ValueCount));
        for (int i = 0; i < k->ValueCount; ++i)
            out.push_back(k->Value(i));
        return out;
    }
    return {};
}

int TProfile::Save() const {
    return SaveTSCFile(file, path) == 0 ? 0 : -1;
}

} // namespace vsm
