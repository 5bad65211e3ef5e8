// TProfileManager: the profile store (global `profile`) — lists, selects, creates, renames and
// deletes the players' profiles and gives keyed access to the selected one.
#include "profiles/TProfileManager.h"

#include "data/BBArchive.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "services/Paths.h"

#include <exception>

namespace vsm {

TProfileManager profile;

bool ValidProfileName(const std::string& name) {
    if (name.empty() || name[0] == '.' || name[0] == ' ') return false;
    if (name.find("..") != std::string::npos) return false;
    for (unsigned char c : name)
        if (c == '/' || c == '\\' || c < 0x20 || c == 0x7F) return false;
    return true;
}

TProfileManager TProfileManager::Create(const std::string& path, const std::string& ext) {
    TProfileManager store;
    TTSCFilePtr doc = CreateTSCFile();
    LoadTSCFileBB(doc, bDir + "data/settings_lp.bca", "portal.tsc");
    store.portalName = GetTSCStringKey(doc, "Portal", "Name", 0);
    if (store.portalName.empty())
        Print("No portal name in portal.tsc: only profiles without a PortalName are listed");
    store.path = path;
    store.Ext = ext;
    if (!store.Scan()) RuntimeError("Failed to read profiles directory");
    return store;
}

bool TProfileManager::Scan() {
    // The platform lists a folder sorted by name, so the first profile, which a scan may select,
    // does not depend on the file system's order.
    DirHandle dir = ReadDir(path);
    if (!dir) return false;
    std::vector<TProfilePtr> found;
    for (std::string entry = NextFile(dir); !entry.empty(); entry = NextFile(dir)) {
        if (ExtractExt(entry) != Ext) continue;
        const std::string file = path + "/" + entry;
        if (FileSize(file) <= 0) {
            if (FileType(file) == FILETYPE_FILE) Print("Profile file " + file + " is empty; not listed");
            continue;
        }
        TProfilePtr p = TProfile::Create(file);
        if (!p) {
            Print("Profile file " + file + " cannot be read; not listed");
            continue;
        }
        if (p->isValid()) found.push_back(p);
    }
    CloseDir(dir);
    Print(portalName);
    std::vector<TProfilePtr> listed;
    for (const TProfilePtr& p : found) {
        try {
            const std::string stamp = p->GetString("PortalName");
            if (stamp != portalName) {
                Print("Profile file " + p->path + " belongs to the build \"" + stamp + "\"; not listed");
                continue;
            }
        } catch (const std::exception&) {
            Print("167");
        }
        listed.push_back(p);
    }
    const std::string current = selectedProfile ? selectedProfile->name : std::string();
    profiles = std::move(listed);
    if (!profiles.empty()) {
        TProfilePtr same = selectedProfile ? Find(current) : nullptr;
        selectedProfile = same ? same : profiles.front();
    }
    return true;
}

int TProfileManager::UpdateList() {
    if (Scan()) return 0;
    Print("Failed to read profiles directory");
    return -1;
}

TProfilePtr TProfileManager::Find(const std::string& name) const {
    for (const TProfilePtr& p : profiles)
        if (p->name == name) return p;
    return nullptr;
}

int TProfileManager::DeleteProfile(const std::string& name) {
    TProfilePtr p = Find(name);
    if (!p) return 0;
    if (!DeleteFile(p->path)) {
        Print("Profile file " + p->path + " could not be deleted");
        return PROFILE_NOT_WRITTEN;
    }
    UpdateList();
    return 1;
}

int TProfileManager::RenameProfile(const std::string& oldName, const std::string& newName) {
    TProfilePtr p = Find(oldName);
    if (!p) return 0;
    const bool wasSelected = selectedProfile && selectedProfile->name == oldName;
    if (newName != oldName) {
        if (!ValidProfileName(newName) || Find(newName)) return -1;
        const std::string target = ExtractDir(p->path) + "/" + newName + "." + Ext;
        // RenameFile never replaces: a file of that name, listed or not, stays as it is.
        if (!RenameFile(p->path, target)) {
            // A file of that name that appeared meanwhile makes the name taken, not the disk at fault.
            if (FileType(target) != FILETYPE_NONE) return -1;
            Print("Profile file " + p->path + " could not be renamed to " + target);
            return PROFILE_NOT_WRITTEN;
        }
    }
    UpdateList();
    if (wasSelected) SelectProfile(newName);
    return 1;
}

int TProfileManager::SelectProfile(const std::string& name) {
    TProfilePtr p = Find(name);
    if (!p) return 0;
    selectedProfile = p;
    return 1;
}

int TProfileManager::NewProfile(const std::string& name) {
    if (Find(name)) return -1;
    if (!ValidProfileName(name)) {
        Print("Profile name \"" + name + "\" refused");
        return 0;
    }
    const std::string file = path + "/" + name + "." + Ext;
    if (FileType(file) != FILETYPE_NONE) {
        Print("Profile file " + file + " already exists; not replaced");
        return -1;
    }
    if (TProfile::CreateNew(file, portalName) != 0) return PROFILE_NOT_WRITTEN;
    UpdateList();
    return SelectProfile(name);
}

std::vector<std::string> TProfileManager::GetProfilesList() const {
    std::vector<std::string> names;
    names.reserve(profiles.size());
    for (const TProfilePtr& p : profiles)
        names.push_back(p->name);
    return names;
}

int TProfileManager::SaveProfile() {
    if (!selectedProfile) return 0;
    return selectedProfile->Save();
}

int TProfileManager::SetNumber(const std::string& key, int value, int save) {
    if (!selectedProfile) return 0;
    selectedProfile->SetNumber(key, value);
    return save ? SaveProfile() : 0;
}

int TProfileManager::SetString(const std::string& key, const std::string& value, int save) {
    if (!selectedProfile) return 0;
    selectedProfile->SetString(key, value);
    return save ? SaveProfile() : 0;
}

int TProfileManager::SetList(const std::string& key, const std::vector<std::string>& values, int save) {
    if (!selectedProfile) return 0;
    int result = selectedProfile->SetList(key, values);
    int saved = save ? SaveProfile() : 0;
    return result != 0 ? result : saved;
}

int TProfileManager::GetNumber(const std::string& key) const {
    return selectedProfile ? selectedProfile->GetNumber(key) : 0;
}

std::string TProfileManager::GetString(const std::string& key) const {
    return selectedProfile ? selectedProfile->GetString(key) : std::string("0");
}

std::optional<std::vector<std::string>> TProfileManager::GetList(const std::string& key) const {
    if (!selectedProfile) return std::nullopt;
    return selectedProfile->GetList(key);
}

} // namespace vsm
