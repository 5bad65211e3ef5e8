// Launch timing on the real backend: the start-up steps of StartUp, in the same order, each
// timed on the wall clock, up to the first presented frame of the title screen. The loading
// screen's fades are paced at 60 frames a second and its end effect and splash pictures run for
// fixed times, so the report separates that fixed animation from the work of start-up (creating
// the managers, opening the window, reading the documents, decoding every shared asset).
// Keep the steps in step with shell/StartUp.cpp.
//
// Run on a display (bench/launch-real.sh starts Xvfb): prints one line per step and the totals.
#include "data/BBArchive.h"
#include "data/DataFolders.h"
#include "frontend/TTitleScreen.h"
#include "platform/Audio.h"
#include "platform/Graphics.h"
#include "platform/Headless.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "profiles/OptionsDocument.h"
#include "profiles/SavedCampaign.h"
#include "profiles/THiscores.h"
#include "profiles/TProfileManager.h"
#include "services/GraphicsMode.h"
#include "services/OptionsSeam.h"
#include "services/Paths.h"
#include "services/TDeltaTime.h"
#include "services/TMouse.h"
#include "shell/AssembleGame.h"
#include "shell/LoadGameAssets.h"
#include "shell/ShellScreens.h"
#include "shell/StartUp.h"
#include "shell/TLoading.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Step {
    const char* name;
    double ms;
    bool fixed; // paced or timed animation rather than work
};

} // namespace

int main() {
    const Clock::time_point launch = Clock::now();
    std::vector<Step> steps;
    Clock::time_point mark = launch;
    auto step = [&](const char* name, bool fixed) {
        const Clock::time_point now = Clock::now();
        steps.push_back({name, Ms(now - mark), fixed});
        mark = now;
    };

    vsm::UseRealBackend();
    vsm::SeedRnd(vsm::WallClockSeed());
    vsm::AppTitle(vsm::GAME_TITLE);
    if (!vsm::SetAudioDriver("OpenAL")) vsm::SetAudioDriver("FreeAudio");
    vsm::AssembleGame();
    if (vsm::CheckLPFiles(vsm::bDir) == 0) {
        std::fprintf(stderr, "the resources are missing or damaged: %s\n", vsm::bDir.c_str());
        return 1;
    }
    vsm::GetDataFolders();
    vsm::profile = vsm::TProfileManager::Create(vsm::myDocsFolder + "/profiles", "dat");
    vsm::hiscore = vsm::THiscores::Create(vsm::myDocsFolder + "/data/hiscores.dat");
    vsm::profile.UpdateList();
    vsm::LoadOptions();
    step("managers, documents, options", false);

    vsm::SetGraphicsMode(vsm::options.screenMode, 800, 600, 32);
    vsm::PollSystem();
    vsm::HideMouse();
    step("window and GL context", false);

    vsm::loading.setup();
    step("loading screen pictures", false);
    vsm::loading.fadeInBg();
    step("loading screen fade-in (20 frames)", true);

    double ballsMs = 0;
    vsm::LoadGameAssets([&](int k) {
        const Clock::time_point before = Clock::now();
        vsm::loading.fadeInBall(k);
        ballsMs += Ms(Clock::now() - before);
    });
    {
        const Clock::time_point now = Clock::now();
        steps.push_back({"shared assets", Ms(now - mark) - ballsMs, false});
        steps.push_back({"progress balls (5 x 10 frames)", ballsMs, true});
        mark = now;
    }
    vsm::mouse.loadCursor(vsm::bDir + "gfx/gui/kursor.png", 14, 6);
    step("cursor", false);
    vsm::loading.PortalScreens();
    step("end effect and splash pictures", true);

    vsm::deltaTime = vsm::TDeltaTime::Create(60.0f);
    if (!vsm::profile.GetProfilesList().empty()) vsm::LoadProfile();
    vsm::shellScreens.titlePrepare();
    vsm::SetAlpha(0.02f);
    vsm::DrawImage(vsm::titleScreen.title, 0, 0);
    vsm::Flip(-1);
    step("title prepared, first title frame", false);

    double total = 0, fixed = 0;
    for (const Step& s : steps) {
        std::printf("%-40s %9.1f ms%s\n", s.name, s.ms, s.fixed ? "  (fixed animation)" : "");
        total += s.ms;
        if (s.fixed) fixed += s.ms;
    }
    std::printf("launch to first title frame: %.1f ms\n", total);
    std::printf("of which fixed animation:    %.1f ms\n", fixed);
    std::printf("work without the animation:  %.1f ms\n", total - fixed);
    vsm::OnEnd(nullptr);
    return 0;
}
