// Tests of the in-game menu: its results, what it holds while it is open and what it leaves.
#include "overlays/OverlayFixture.h"

#include "board/TBoardManager.h"
#include "level/TLevelManager.h"
#include "level/TTimeManager.h"
#include "magic/TBunusManagerA.h"
#include "overlays/InGameMenu.h"
#include "overlays/TOptionsWindow.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "services/OptionsSeam.h"
#include "services/Paths.h"
#include "services/TMouse.h"
#include "services/TSongManager.h"
#include "services/TSoundQ.h"
#include "widgets/TContainer.h"

#include <functional>
#include <map>

namespace vsm::test {
namespace {

class InGameMenuTest : public OverlayFixture {
  protected:
    // Runs the menu with a script that gives frame n the input steps[n] builds (at the moment
    // the frame starts, so buttons are found where the menu put them); the script ends three quiet
    // frames after the last step, which raises a terminate request.
    int RunMenu(std::map<int, std::function<FrameInput()>> steps) {
        const int last = steps.empty() ? 0 : steps.rbegin()->first;
        control->SetScript([steps = std::move(steps), last](int frame, FrameInput& out) {
            if (frame > last + 3) return false;
            if (auto it = steps.find(frame); it != steps.end()) out = it->second();
            return true;
        });
        return showInGameMenu(1);
    }
    static std::function<FrameInput()> Click(int id) {
        return [id] { return ClickOn(id); };
    }
    static std::function<FrameInput()> Keys(std::vector<int> keys, bool terminate = false,
                                            std::function<FrameInput()> base = nullptr) {
        return [=] {
            FrameInput in = base ? base() : FrameInput();
            in.keysHit = keys;
            in.terminate = terminate;
            return in;
        };
    }
};

TEST_F(InGameMenuTest, ChoicesEscAndTerminateGiveTheirResults) {
    const auto esc = Keys({KEY_ESCAPE});
    const auto terminate = Keys({}, true);
    struct Case {
        const char* name;
        std::map<int, std::function<FrameInput()>> steps;
        int result;
    };
    const Case cases[] = {
        {"resume", {{3, Click(BUTTON_RESUME)}}, INGAME_RESUME},
        {"restart", {{3, Click(BUTTON_RESTART)}}, INGAME_RESTART},
        {"main menu", {{3, Click(BUTTON_MAIN_MENU)}}, INGAME_MAIN_MENU},
        {"esc", {{3, esc}}, INGAME_RESUME},
        {"terminate", {{3, terminate}}, INGAME_QUIT},
        {"esc with a click on restart",
         {{3, Keys({KEY_ESCAPE}, false, Click(BUTTON_RESTART))}},
         INGAME_RESUME},
        {"esc with a click on main menu",
         {{3, Keys({KEY_ESCAPE}, false, Click(BUTTON_MAIN_MENU))}},
         INGAME_RESUME},
        {"esc with a terminate request", {{3, Keys({KEY_ESCAPE}, true)}}, INGAME_QUIT},
        {"terminate in the options", {{3, Click(BUTTON_GAME_OPTIONS)}, {5, terminate}}, INGAME_QUIT},
        {"esc in the options", {{3, Click(BUTTON_GAME_OPTIONS)}, {5, esc}}, INGAME_RESUME},
        {"back from the options, then restart",
         {{3, Click(BUTTON_GAME_OPTIONS)}, {5, Click(BUTTON_OPTIONS_BACK)}, {7, Click(BUTTON_RESTART)}},
         INGAME_RESTART},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RunMenu(c.steps), c.result);
        // The window's buttons leave with the menu, whichever screen it was on.
        for (int id : {BUTTON_RESUME, BUTTON_RESTART, BUTTON_GAME_OPTIONS, BUTTON_MAIN_MENU, BUTTON_HELP,
                       BUTTON_MUSIC_DOWN, BUTTON_OPTIONS_BACK})
            EXPECT_FALSE(data.GetButton(id)) << id;
    }
}

TEST_F(InGameMenuTest, TheMenuHoldsPetrificationAfterAMonthOfPlay) {
    control->SetClock(int64_t(3) << 30); // past what 32 bits of milliseconds hold
    board.petrifyTimer = MilliSecs64() - 4000;
    EXPECT_EQ(RunMenu({{120, Keys({KEY_ESCAPE})}}), INGAME_RESUME);
    EXPECT_GT(MilliSecs64() - (int64_t(3) << 30), 1000) << "the menu was open a while";
    EXPECT_EQ(MilliSecs64() - board.petrifyTimer, 4000);
}

TEST_F(InGameMenuTest, TheMenuHoldsTheClockAndPetrificationAndTheClosingInputGoesNowhere) {
    control->SetClock(50000);
    timeManager.Reset(0);
    control->AdvanceClock(10000);
    timeManager.Update();
    ASSERT_EQ(timeManager.actualTime, 10000);
    board.petrifyTimer = MilliSecs() - 4000;

    // Two seconds in the menu, closed by Esc together with a left click.
    FrameInput close;
    close.keysHit = {KEY_ESCAPE};
    close.clicks = {1};
    EXPECT_EQ(RunMenu({{120, [close] { return close; }}}), INGAME_RESUME);

    EXPECT_EQ(timeManager.actualTime, 10000);
    EXPECT_EQ(timeManager.paused, 0);
    EXPECT_EQ(MilliSecs() - board.petrifyTimer, 4000);
    control->AdvanceClock(1000);
    timeManager.Update();
    EXPECT_EQ(timeManager.actualTime, 11000);

    // Neither the Esc nor the click reaches the level's next frame.
    mouse.fetchState(0);
    EXPECT_EQ(KeyHit(KEY_ESCAPE), 0);
    EXPECT_EQ(mouse.leftPressed, 0);
}

TEST_F(InGameMenuTest, OptionsInsideTheMenuActOnTheLevelMusicAndTheWindowLetsGoOfItAfter) {
    options.musicVol = 5;
    level.musicStream = playMusicStream("sfx/game-song-1.ogg", 1, 1.0f);
    control->ClearSoundLog();
    std::shared_ptr<TAudioStream> held;
    const int result = RunMenu({{3, Click(BUTTON_GAME_OPTIONS)},
                                {5,
                                 [&] {
                                     held = optionsWindow.music;
                                     return ClickOn(BUTTON_MUSIC_UP);
                                 }},
                                {7, Keys({KEY_ESCAPE})}});
    EXPECT_EQ(result, INGAME_RESUME);
    EXPECT_EQ(held, level.musicStream);
    EXPECT_EQ(options.musicVol, 6);
    float set = -1;
    for (const SoundEvent& e : control->SoundLog())
        if (e.op == "volume" && e.path.ends_with("game-song-1.ogg")) set = e.volume;
    EXPECT_FLOAT_EQ(set, 0.6f);
    EXPECT_FALSE(optionsWindow.music);
    EXPECT_EQ(optionsWindow.optionsBackType, MENU_QUEST_PAUSE);
}

TEST_F(InGameMenuTest, EffectsRunOnWhileTokensWaitForTheLevel) {
    // A delayed sound falls due during the menu; a token whose time is up does not fire.
    SoundPtr sound = LoadSound(bDir + "sfx/fx/playgame-szur1.ogg");
    ASSERT_TRUE(sound);
    TSoundQ::addSound(sound, MilliSecs() + 200);
    bonusManagerAlt.AddBonusExt(1, 3, 3, 1);
    bonusManagerAlt.Clear(3, 3);
    ASSERT_EQ(bonusManagerAlt.queue.Count(), 1u);
    control->ClearSoundLog();

    EXPECT_EQ(RunMenu({{120, Keys({KEY_ESCAPE})}}), INGAME_RESUME);
    EXPECT_EQ(Plays("playgame-szur1.ogg"), 1);
    EXPECT_TRUE(soundQueue.IsEmpty());
    EXPECT_EQ(bonusManagerAlt.queue.Count(), 1u);
}

} // namespace
} // namespace vsm::test
