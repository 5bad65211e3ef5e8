// TutorialFixture: fresh globals, small page pictures and sounds, and helpers for the page tests.
#include "TutorialFixture.h"

#include "board/TBoardManager.h"
#include "board/TRuneManager.h"
#include "level/TLevelManager.h"
#include "magic/CoreGame.h"
#include "platform/Input.h"
#include "profiles/TProfileManager.h"
#include "services/OptionsSeam.h"
#include "services/Paths.h"
#include "services/TDeltaTime.h"
#include "services/TGlobalSnd.h"
#include "services/TVolcanoEmiter.h"
#include "shell/AssembleGame.h"
#include "shell/GameHooks.h"
#include "support/TestAssets.h"
#include "support/TestSupport.h"
#include "tutorial/TTutorial.h"

#include <filesystem>

namespace vsm::test {

namespace {

// Page pictures with sizes of their own, so that a draw tells which picture it was.
struct Picture {
    const char* path;
    int w, h;
};
constexpr Picture PICTURES[] = {
    {"gfx/gui/tutorial.jpg", 20, 15},       {"gfx/gui/tut-play2.png", 66, 24},
    {"gfx/gui/tutorial_mouse.png", 30, 31}, {"gfx/ring/k-14.png", 62, 62},
    {"gfx/ring/k-05.png", 62, 62},          {"gfx/ring/s-14.png", 32, 32},
    {"gfx/ring/s-05.png", 32, 32},          {"gfx/gui/tut-k1.png", 10, 10},
    {"gfx/gui/tut-k2.png", 12, 12},         {"gfx/gui/tut-k3.png", 14, 14},
    {"gfx/gui/tutorial_keyb.png", 33, 34},  {"gfx/gui/tutorial_mouse_1.png", 35, 36},
    {"gfx/gui/tutorial2boss.jpg", 21, 16},  {"gfx/boss/b-04.png", 64, 64},
    {"gfx/gui/tut-play.png", 67, 25},       {"gfx/info/help.jpg", 22, 17},
};

} // namespace

void TutorialFixture::SetUp() {
    control = &UseHeadlessBackend();
    resources = ScratchDir("tutorial") + "/";
    // The game's own assembly, its hooks included, as start-up makes it.
    ResetGameGlobals();
    InstallGameHooks();
    // Steered: the fixture's own resources and full volumes, as its sound checks expect.
    bDir = resources;
    options = TOptions{};
    options.soundVol = 10;
    options.musicVol = 10;
    for (const Picture& p : PICTURES)
        ASSERT_TRUE(WriteFlatPicture(resources + p.path, p.w, p.h));
    ASSERT_TRUE(WriteSilentSound(resources + "sfx/help2.ogg"));
    ASSERT_TRUE(WriteSilentSound(resources + "sfx/fx4/playgame-mouseover.ogg"));
    globalSnd.Load();
    TutorialOption(1);
    control->ClearSoundLog();
}

void TutorialFixture::TearDown() {
    volcanoList.Clear();
    ResetTutorialGlobals();
    ResetCoreGame();
    profile = TProfileManager();
}

void TutorialFixture::UsePlayer(bool selected) {
    const std::string folder = resources + "profiles";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    WriteArchive(resources + "data/settings_lp.bca", {{"portal.tsc", "Portal{ Name=\"test\" }"}});
    profile = TProfileManager::Create(folder, "dat");
    if (selected) {
        ASSERT_EQ(profile.NewProfile("tester"), 1);
    }
}

void TutorialFixture::TutorialOption(int value) {
    UsePlayer(true);
    profile.SetNumber("showTutorial", value, 0);
}

void TutorialFixture::AddRune(int id, int colour) {
    auto rune = std::make_shared<TRune>();
    rune->id = std::to_string(id);
    rune->color = std::to_string(colour);
    rune->img = CreateImage(32, 32);
    rune->img2 = CreateImage(40, 40);
    rune->r1 = rune->r2 = 10 * colour;
    rune->g1 = rune->g2 = 20;
    rune->b1 = rune->b2 = 30;
    art40[id] = rune->img2;
    davar.List.push_back(rune);
}

ImagePtr TutorialFixture::Art40(int id) const {
    auto it = art40.find(id);
    return it == art40.end() ? nullptr : it->second;
}

void TutorialFixture::Script(std::function<void(int, FrameInput&)> fn) {
    control->overrunFrames = 5;
    control->SetScript([fn = std::move(fn)](int frame, FrameInput& in) {
        fn(frame, in);
        return frame < 1000;
    });
}

void TutorialFixture::InspectFrames(int frames, std::function<void(int)> inspect) {
    deltaTime.SetFPS(50);
    control->SetFrameStep(20);
    Script([this, frames, inspect = std::move(inspect)](int n, FrameInput& in) {
        if (n == 0) return;
        inspect(n - 1);
        control->ClearDrawLog();
        if (n == frames) in.keysHit.push_back(KEY_ESCAPE);
    });
}

void TutorialFixture::ClickAt(FrameInput& in, int x, int y) {
    in.mouseX = x;
    in.mouseY = y;
    in.clicks.push_back(1);
}

std::vector<DrawCall> TutorialFixture::Draws(const std::string& op) const {
    std::vector<DrawCall> out;
    for (const DrawCall& c : control->DrawLog())
        if (c.op == op) out.push_back(c);
    return out;
}

std::vector<DrawCall> TutorialFixture::DrawsAt(float x, float y) const {
    std::vector<DrawCall> out;
    for (const DrawCall& c : control->DrawLog())
        if (c.op == "image" && c.x == x && c.y == y) out.push_back(c);
    return out;
}

int TutorialFixture::SoundOps(const std::string& op, const std::string& name) const {
    int n = 0;
    for (const SoundEvent& e : control->SoundLog()) {
        if (e.op != op || e.path.size() < name.size()) continue;
        if (e.path.compare(e.path.size() - name.size(), name.size(), name) == 0) ++n;
    }
    return n;
}

} // namespace vsm::test
