// ShellFixture: an assembled headless game over the test's own resources.
#include "shell/ShellFixture.h"

#include "data/BBArchive.h"
#include "data/DataFolders.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "profiles/ProfileDefaults.h"
#include "profiles/SavedCampaign.h"
#include "profiles/THiscores.h"
#include "profiles/TProfileManager.h"
#include "services/GraphicsMode.h"
#include "shell/AssembleGame.h"
#include "shell/ShellScreens.h"
#include "support/TestAssets.h"
#include "support/TestSupport.h"

#include <cstdlib>

namespace vsm::test {

namespace {

const char* const ENV_NAMES[] = {"VSM_RESOURCES", "XDG_DATA_HOME"};

} // namespace

void ShellFixture::SetUp() {
    for (const char* name : ENV_NAMES)
        if (const char* v = std::getenv(name)) savedEnv[name] = v;
    builtResources = ResourcesDir();
    control = &UseHeadlessBackend();
    control->overrunFrames = 3000;
    scratch = ScratchDir("shell");
    resources = scratch + "/resources/";
    userHome = scratch + "/home";
    LinkBuiltArt(resources);
    setenv("VSM_RESOURCES", resources.c_str(), 1);
    setenv("XDG_DATA_HOME", userHome.c_str(), 1);
    WriteData({});
    shellScreens = TShellScreens();
}

void ShellFixture::TearDown() {
    OnEnd(nullptr);
    shellScreens = TShellScreens();
    for (const char* name : ENV_NAMES) {
        if (auto it = savedEnv.find(name); it != savedEnv.end())
            setenv(name, it->second.c_str(), 1);
        else
            unsetenv(name);
    }
}

void ShellFixture::WriteData(std::map<std::string, std::string> settings) {
    settings.emplace("portal.tsc", "Portal{ Name=\"test\" }");
    settings["pack.txt"] = "marker";
    WriteArchive(resources + "data/settings_lp.bca", settings);
    for (const char* archive :
         {"davar_levels_lp.bca", "puzzle_levels_lp.bca", "ring_levels_lp.bca", "popups_lp.bca"})
        WriteArchive(resources + "data/" + archive, {{"pack.txt", "marker"}});
}

void ShellFixture::UseBuiltResources() {
    // ResourcesDir() reads VSM_RESOURCES, which SetUp has already pointed at the test's own folder.
    setenv("VSM_RESOURCES", builtResources.c_str(), 1);
    EXPECT_NE(ResourcesDir(), resources) << "the built resources are the test's own folder";
}

void ShellFixture::Assemble() {
    AssembleGame();
    ASSERT_EQ(GetDataFolders(), 0);
    profile = TProfileManager::Create(myDocsFolder + "/profiles", "dat");
    hiscore = THiscores::Create(myDocsFolder + "/data/hiscores.dat");
    SetGraphicsMode(2, 800, 600, 32);
}

void ShellFixture::CreatePlayer(const std::string& name) {
    ASSERT_EQ(CreateNewProfile(name), 1);
    LoadProfile();
}

void ShellFixture::ClickThrough(int closeAt) {
    control->SetScript([closeAt](int frame, FrameInput& in) {
        in.clicks = {1};
        in.keysHit = {KEY_ESCAPE};
        if (closeAt >= 0 && frame >= closeAt) in.terminate = true;
        return true;
    });
}

} // namespace vsm::test
