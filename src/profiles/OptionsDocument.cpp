// OptionsDocument: reading and writing "options.tsc".
#include "profiles/OptionsDocument.h"

#include "data/DataFolders.h"
#include "data/NumberText.h"
#include "data/TTSCFile.h"
#include "data/TTSCLexer.h"
#include "level/TLevelSequencer.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "profiles/TProfile.h"
#include "profiles/TProfileManager.h"
#include "services/OptionsSeam.h"

#include <string_view>

namespace vsm {

namespace {

constexpr const char* GROUP = "Settings";

int Write(const TTSCFilePtr& doc) {
    const std::string path = OptionsPath();
    if (path.empty()) return -1;
    return SaveTSCFile(doc, path);
}

bool Blank(std::string_view text) {
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
    return true;
}

// The document at path, or null when it is unreadable, empty or not valid TSC (why says which).
TTSCFilePtr ReadDocument(const std::string& path, std::string& why) {
    const std::optional<std::string> text = LoadText(path);
    if (!text) {
        why = "cannot be read";
        return nullptr;
    }
    if (Blank(*text)) {
        why = "is empty";
        return nullptr;
    }
    TTSCFilePtr doc = CreateTSCFile();
    try {
        doc->LoadFromText(*text);
    } catch (const TSCError& e) {
        why = e.what();
        return nullptr;
    }
    return doc;
}

// A free name beside the damaged document: path + ".damaged", then ".damaged1", "2"...
std::string AsideName(const std::string& path) {
    for (int n = 0; n < 1000; ++n) {
        const std::string name = path + ".damaged" + (n ? std::to_string(n) : "");
        if (FileType(name) == 0) return name;
    }
    return "";
}

// The defaults of CreateOptionsFile as a document held in memory.
TTSCFilePtr DefaultDocument() {
    TTSCFilePtr doc = CreateTSCFile();
    doc->CreateGroup("", GROUP);
    SetTSCNumberKey(doc, GROUP, "screenMode", 1, 0);
    SetTSCNumberKey(doc, GROUP, "musicVol", 5, 0);
    SetTSCNumberKey(doc, GROUP, "soundVol", 7, 0);
    SetTSCNumberKey(doc, GROUP, "startingLevel", -1, 0);
    SetTSCStringKey(doc, GROUP, "lastProfile", "korvela", 0);
    return doc;
}

// The document to read: the file, or after a damaged file was moved aside (or with no per-user
// folder) the defaults, written where there is a folder for them.
TTSCFilePtr DocumentToRead() {
    const std::string path = OptionsPath();
    if (path.empty()) return DefaultDocument();
    if (FileType(path) == 0) CreateOptionsFile();
    std::string why;
    if (TTSCFilePtr doc = ReadDocument(path, why)) return doc;
    const std::string aside = AsideName(path);
    if (!aside.empty() && RenameFile(path, aside))
        Print("Options " + path + " " + why + "; kept as " + aside + ", the defaults are used");
    else
        Print("Options " + path + " " + why + " and cannot be moved aside; the defaults are used");
    CreateOptionsFile();
    return DefaultDocument();
}

} // namespace

std::string OptionsPath() {
    return myDocsFolder.empty() ? std::string() : myDocsFolder + "/data/options.tsc";
}

int VolumeFromDocument(float v) {
    // The product is taken at double precision so that 0.7f (just below 0.7) gives 6.
    if (v > 0.01f && v < 1.0f) return static_cast<int>(static_cast<double>(v) * 10.0);
    return NumberToInt(v);
}

int LoadOptions() {
    const TTSCFilePtr doc = DocumentToRead();
    options.screenMode = NumberToInt(GetTSCNumberKey(doc, GROUP, "screenMode", 0));
    options.musicVol = VolumeFromDocument(GetTSCNumberKey(doc, GROUP, "musicVol", 0));
    options.soundVol = VolumeFromDocument(GetTSCNumberKey(doc, GROUP, "soundVol", 0));
    options.startingSeq = NumberToInt(GetTSCNumberKey(doc, GROUP, "startingLevel", 0));
    if (!profile.GetProfilesList().empty())
        profile.SelectProfile(GetTSCStringKey(doc, GROUP, "lastProfile", 0));
    return 0;
}

int SaveOptionsOnly() {
    TTSCFilePtr doc = CreateTSCFile();
    doc->CreateGroup("", GROUP);
    SetTSCNumberKey(doc, GROUP, "screenMode", static_cast<float>(options.screenMode), 0);
    SetTSCNumberKey(doc, GROUP, "musicVol", static_cast<float>(options.musicVol), 0);
    SetTSCNumberKey(doc, GROUP, "soundVol", static_cast<float>(options.soundVol), 0);
    SetTSCNumberKey(doc, GROUP, "startingLevel", static_cast<float>(sequencer.seqNo), 0);
    if (!profile.GetProfilesList().empty() && profile.selectedProfile)
        SetTSCStringKey(doc, GROUP, "lastProfile", profile.selectedProfile->name, 0);
    return Write(doc);
}

int CreateOptionsFile() {
    return Write(DefaultDocument());
}

} // namespace vsm
