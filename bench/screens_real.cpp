// Screenshots of the real backend that do not depend on timing: a screen is played on the
// headless backend (virtual clock, seeded generator, scripted input) and the drawing calls of one
// of its frames are kept; then the real backend opens an 800x600 window and draws exactly those
// calls, and the picture is read back and written as a PNG. Two builds of the backend draw the
// same calls, so their pictures can be compared pixel by pixel (bench/screens-compare.sh).
//
//   screens_real shoot title|level|menu out.png
//   screens_real compare a.png b.png      prints the differing pixels; exit 1 beyond rounding
#include "QuestScene.h"

#include "overlays/InGameMenu.h"
#include "platform/Graphics.h"
#include "platform/Headless.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "shell/MainFlow.h"
#include "shell/StartUp.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace vsm::bench {

namespace {

std::vector<DrawCall> kept;

// The calls of the last whole frame in the log (the log ends with that frame's flip).
std::vector<DrawCall> LastFrame(const std::vector<DrawCall>& log) {
    size_t end = log.size();
    while (end > 0 && log[end - 1].op == "flip")
        --end;
    size_t begin = end;
    while (begin > 0 && log[begin - 1].op != "flip")
        --begin;
    return {log.begin() + static_cast<std::ptrdiff_t>(begin), log.begin() + static_cast<std::ptrdiff_t>(end)};
}

// A script that answers the first start's name prompt, keeps the frame `at` and then asks to close.
void KeepFrameAndClose(HeadlessBackendControl& control, int typeAt, int at) {
    control.SetScript([&control, typeAt, at](int frame, FrameInput& in) {
        if (frame == typeAt) {
            in.typed = "shot";
            SeedRnd(1); // start-up seeds from the wall clock
        }
        if (frame == typeAt + 2) in.keysHit.push_back(KEY_ENTER);
        if (frame == at + 1) {
            kept = LastFrame(control.DrawLog());
            in.terminate = true;
        }
        control.ClearDrawLog();
        return frame <= at + 1;
    });
}

// The title screen's main menu with its sparks, a few seconds after the player named himself.
bool CaptureTitle() {
    const std::string home = (std::filesystem::temp_directory_path() / "vsm-screens-title").string();
    std::filesystem::remove_all(home);
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    setenv("VSM_RESOURCES", ResourcesFolder().c_str(), 1);
    HeadlessBackendControl& control = UseHeadlessBackend();
    control.overrunFrames = 5;
    KeepFrameAndClose(control, 420, 600);
    try {
        StartUp();
        MainFlow();
    } catch (const ProgramEnd&) {
    }
    std::filesystem::remove_all(home);
    return !kept.empty();
}

// A full board with the holyfire cross and the bomb burst running, sparks and a bursting sphere.
bool CaptureLevel() {
    if (!LoadQuestScene("level_10.tsc", 0)) return false;
    StartBusiestMoment();
    for (int i = 0; i < 12; ++i)
        QuestFrame(&kept);
    return !kept.empty();
}

// The pause menu's window over the frozen level.
bool CaptureMenu() {
    if (!LoadQuestScene("level_10.tsc", 0)) return false;
    HeadlessBackendControl& control = SceneControl();
    control.overrunFrames = 5;
    control.SetScript([&control](int frame, FrameInput& in) {
        in.mouseX = 400;
        in.mouseY = 300;
        if (frame == 61) {
            kept = LastFrame(control.DrawLog());
            in.terminate = true;
        }
        control.ClearDrawLog();
        return frame <= 61;
    });
    showInGameMenu(0);
    return !kept.empty();
}

int Shoot(const std::string& scene, const std::string& out) {
    bool ok = scene == "title"   ? CaptureTitle()
              : scene == "level" ? CaptureLevel()
              : scene == "menu"  ? CaptureMenu()
                                 : false;
    if (!ok) {
        std::fprintf(stderr, "screens_real: scene %s could not be played\n", scene.c_str());
        return 2;
    }
    UseRealBackend();
    std::string error;
    if (!Graphics(800, 600, 0, 60, &error)) {
        std::fprintf(stderr, "screens_real: no window: %s\n", error.c_str());
        return 2;
    }
    ReplayDrawCalls(kept);
    PixmapPtr shot = GrabPixmap(0, 0, 800, 600);
    Flip(0);
    if (!SavePixmapPNG(shot, out)) return 2;
    std::printf("%s: %zu drawing calls\n", scene.c_str(), kept.size());
    return 0;
}

// Rounding in the rasteriser may move a channel by a step or two; anything more is a change.
int Compare(const std::string& a, const std::string& b) {
    PixmapPtr pa = LoadPixmap(a), pb = LoadPixmap(b);
    if (!pa || !pb || pa->width != pb->width || pa->height != pb->height) {
        std::printf("%s / %s: missing or of different sizes\n", a.c_str(), b.c_str());
        return 1;
    }
    int differing = 0, beyond = 0, worst = 0;
    for (size_t i = 0; i < pa->pixels.size(); ++i) {
        int d = 0;
        for (int shift = 0; shift < 24; shift += 8)
            d = std::max(d, std::abs(static_cast<int>((pa->pixels[i] >> shift) & 255u) -
                                     static_cast<int>((pb->pixels[i] >> shift) & 255u)));
        if (d > 0) ++differing;
        if (d > 2) ++beyond;
        worst = std::max(worst, d);
    }
    std::printf("%s: %d pixels differ, %d by more than 2 steps, worst %d\n", b.c_str(), differing, beyond,
                worst);
    return beyond == 0 ? 0 : 1;
}

} // namespace

} // namespace vsm::bench

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "shoot") return vsm::bench::Shoot(args[1], args[2]);
    if (args.size() == 3 && args[0] == "compare") return vsm::bench::Compare(args[1], args[2]);
    std::fprintf(stderr, "usage: screens_real shoot title|level|menu out.png | compare a.png b.png\n");
    return 2;
}
