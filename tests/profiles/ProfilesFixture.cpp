// ProfilesFixture: fresh globals and scratch folders for the profiles tests.
#include "profiles/ProfilesFixture.h"

#include "board/TBoardManager.h"
#include "data/DataFolders.h"
#include "level/TLevelManager.h"
#include "platform/Files.h"
#include "profiles/ProfilesGlobals.h"
#include "profiles/TProfileManager.h"
#include "services/Paths.h"
#include "shell/AssembleGame.h"
#include "shell/GameHooks.h"
#include "support/ScreenInk.h"
#include "support/TestAssets.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vsm::test {

void ProfilesFixture::SetUp() {
    control = &UseHeadlessBackend();
    resources = ScratchDir("profiles-res") + "/";
    userFolder = ScratchDir("profiles-user");
    folder = userFolder + "/profiles";
    std::filesystem::create_directories(folder);
    std::filesystem::create_directories(userFolder + "/data");
    // The game's own assembly, its hooks included, as start-up makes it.
    ResetGameGlobals();
    InstallGameHooks();
    // Steered: the fixture's own resources and user folder.
    bDir = resources;
    myDocsFolder = userFolder;
    Settings("Portal{\n\tName=\"" + PORTAL + "\"\n}\n");
}

void ProfilesFixture::TearDown() {
    SetFileFaultHook(nullptr);
    SetSaveInterruptHook(nullptr);
    ResetProfilesGlobals();
}

void ProfilesFixture::Settings(const std::string& portalText,
                               const std::map<std::string, std::string>& more) {
    std::map<std::string, std::string> docs = more;
    if (!portalText.empty()) docs["portal.tsc"] = portalText;
    WriteArchive(resources + "data/settings_lp.bca", docs);
}

void ProfilesFixture::Put(const std::string& name, const std::string& text) const {
    const std::string path = name.find('/') == std::string::npos ? folder + "/" + name : name;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string ProfilesFixture::Read(const std::string& name) const {
    const std::string path = name.find('/') == std::string::npos ? folder + "/" + name : name;
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<none>";
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string ProfilesFixture::ProfileText(const std::string& keys, const std::string& portal) {
    return "Profile{\n\tPortalName=\"" + portal + "\"\n" + keys + "}\n";
}

void ProfilesFixture::OpenStore() {
    profile = TProfileManager::Create(folder, "dat");
}

void ProfilesFixture::NoProfile() {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    ResetProfilesGlobals();
    testing::internal::CaptureStdout();
    OpenStore();
    testing::internal::GetCapturedStdout();
}

BitmapFontPtr ProfilesFixture::SmallFont(float size) {
    const std::string set = "abcdefghijklmnopqrstuvwxyz0123456789";
    PixmapPtr strip = CreatePixmap(static_cast<int>(set.size()) * 5, static_cast<int>(size));
    strip->hasAlpha = true;
    for (size_t i = 0; i < set.size(); ++i)
        for (int x = 0; x < 4; ++x)
            WritePixel(strip, static_cast<int>(i) * 5 + x, 1, 0xFF102030u);
    return CreateFont(strip, set, size, 0);
}

std::vector<std::string> ProfilesFixture::Files() const {
    std::vector<std::string> names;
    for (const DirEntry& e : ListDir(folder))
        names.push_back(e.name);
    return names;
}

ProfilesFixture::NameLetters ProfilesFixture::SurveyLetters(const BitmapFontPtr& font) {
    NameLetters found;
    float widest = -1, deepest = -1;
    for (char c : std::string("abcdefghijklmnopqrstuvwxyz0123456789")) {
        const LetterPtr letter = font->GetLetter(std::string(1, c));
        if (!letter || letter->text != std::string(1, c)) continue;
        found.images.insert(letter->image);
        const InkBox ink = PictureInk(letter->image);
        if (letter->dim->width > widest) widest = letter->dim->width, found.widest = c;
        if (ink.bottom > deepest) deepest = ink.bottom, found.deepest = c;
    }
    return found;
}

} // namespace vsm::test
