// RingFixture: fresh globals, the built art and sounds, the test's own documents and a player.
#include "RingFixture.h"

#include "board/TBoardManager.h"
#include "level/TLevelManager.h"
#include "overlays/OverlaysGlobals.h"
#include "overlays/TOptionsWindow.h"
#include "overlays/TPopupManager.h"
#include "platform/System.h"
#include "profiles/TProfileManager.h"
#include "ringgame/TRingGame.h"
#include "services/GraphicsMode.h"
#include "services/OptionsSeam.h"
#include "services/Paths.h"
#include "magic/CoreGame.h"
#include "shell/AssembleGame.h"
#include "shell/GameHooks.h"
#include "services/TMouse.h"
#include "support/TestAssets.h"
#include "support/TestSupport.h"
#include "widgets/SharedAssets.h"

#include <filesystem>

namespace vsm::test {

void RingFixture::SetUp() {
    control = &UseHeadlessBackend();
    resources = ScratchResources("ringgame");
    WriteArchive(resources + "data/popups_lp.bca", {});
    WriteArchive(resources + "data/ring_levels_lp.bca", {});
    WriteArchive(resources + "data/settings_lp.bca", {{"portal.tsc", "Portal{ Name=\"test\" }"}});

    // The game's own assembly, its hooks included, as start-up makes it.
    ResetGameGlobals();
    InstallGameHooks();
    // Steered: the fixture's own resources and full volumes, as its sound checks expect.
    bDir = resources;
    options = TOptions();
    options.soundVol = 10;
    options.musicVol = 10;

    std::filesystem::create_directories(resources + "profiles");
    profile = TProfileManager::Create(resources + "profiles", "dat");
    ASSERT_EQ(profile.NewProfile("tester"), 1);

    SetGraphicsMode(2, 800, 600, 32);
    LoadSharedAssets();
    optionsWindow.loadGfx();
    popupManager.Load();
    ringGame.loadGfx();
    control->ClearSoundLog();
    control->ClearDrawLog();
}

void RingFixture::TearDown() {
    ResetRingGameGlobals();
    ResetOverlaysGlobals();
    ResetCoreGame();
    profile = TProfileManager();
    options = TOptions();
}

std::string RingFixture::Settings(int time, int length, const std::string& spells, int runeTime,
                                  int levelNumber) {
    return "Settings{\n Music=\"sfx/ringo.ogg\"\n Time=" + std::to_string(time) +
           "\n SequenceLength=" + std::to_string(length) + "\n AvailableSpells=\"" + spells +
           "\"\n RuneTime=" + std::to_string(runeTime) + "\n LevelNumber=" + std::to_string(levelNumber) +
           "\n}\n";
}

void RingFixture::LoadLevel(const std::string& settings, const std::string& hints) {
    WriteArchive(resources + "data/ring_levels_lp.bca", {{"ring.tsc", settings}});
    WriteArchive(resources + "data/popups_lp.bca", {{"infoRG.tsc", hints}});
    ringGame.Load("ring.tsc");
}

void RingFixture::AimAt(FrameInput& in, int sheet) {
    constexpr int left[4] = {185, 85, 565, 665};
    in.mouseX = left[sheet / 5] + 25;
    in.mouseY = 65 + 100 * (sheet % 5) + 30;
}

void RingFixture::ClickSheet(FrameInput& in, int sheet) {
    AimAt(in, sheet);
    in.clicks.push_back(1);
}

void RingFixture::Drive(std::function<bool(int, FrameInput&)> fn) {
    control->overrunFrames = 5;
    control->SetScript(std::move(fn));
}

int RingFixture::RunPlay(int resume) {
    try {
        return ringGame.Play(resume);
    } catch (const ProgramEnd&) {
        return -1;
    }
}

int RingFixture::Plays(const std::string& name) const {
    return CountCues(*control, name);
}

std::vector<std::string> RingFixture::TextsAt(float x, float y) const {
    std::vector<std::string> out;
    for (const DrawCall& c : control->DrawLog())
        if (c.op == "text" && c.x == x && c.y == y) out.push_back(c.text);
    return out;
}

} // namespace vsm::test
