// Main menu: the reaction to every button of every menu state, the opening with the hiscores,
// the close requests, and the title song around a game.
#include "frontend/FrontendFixture.h"

#include "boardlists/TBoardSelector.h"
#include "frontend/FrontendScreens.h"
#include "frontend/TTitleScreen.h"
#include "level/TLevelManager.h"
#include "overlays/TOptionsWindow.h"
#include "platform/Input.h"
#include "profiles/TProfileLoader.h"
#include "profiles/TProfileManager.h"
#include "services/TDeltaTime.h"
#include "platform/System.h"
#include "services/GameFlags.h"
#include "services/TSpark.h"
#include "support/TestAssets.h"
#include "widgets/TButton.h"
#include "widgets/TContainer.h"

#include <filesystem>
#include <string>
#include <vector>

namespace vsm::test {
namespace {

// A frame of the menu loop soon after the title's fade-in, when the main menu's buttons stand.
constexpr int MENU_FIRST_FRAME = FADE_FRAMES + 2;
// Frames between two clicks of a row.
constexpr int CLICK_GAP = 4;

struct MenuOutcome {
    bool programEnded = false;    // the program ended from inside the menu
    bool beforeScriptEnd = false; // ... before the script's closing request
    int action = -1;
    int state = -1;
    std::vector<std::string> games; // the games started through the hooks, in order
};

class MainMenu : public FrontendFixture {
  protected:
    void SetUp() override {
        FrontendFixture::SetUp();
        frontendScreens.goTimeAtack = [this](const std::string& name) {
            games.push_back("timed:" + name);
            titleScreen.stopMusic();
            return 0;
        };
        frontendScreens.goEndless = [this](const std::string& name) {
            games.push_back("endless:" + name);
            titleScreen.stopMusic();
            return 0;
        };
    }

    // Runs the menu, clicking the buttons in turn once the menu shows; the script then closes
    // the window.
    MenuOutcome Run(const std::vector<int>& clicks) {
        const int closeAt = MENU_FIRST_FRAME + CLICK_GAP * (static_cast<int>(clicks.size()) + 1);
        control->SetScript([clicks, closeAt](int frame, FrameInput& in) {
            const int k = (frame - MENU_FIRST_FRAME) / CLICK_GAP;
            if (frame >= MENU_FIRST_FRAME && (frame - MENU_FIRST_FRAME) % CLICK_GAP == 0 &&
                k < static_cast<int>(clicks.size()))
                in = ClickOn(clicks[static_cast<size_t>(k)]);
            return frame < closeAt;
        });
        MenuOutcome out;
        const int start = control->Frame();
        titleScreen.Prepare();
        try {
            titleScreen.show();
        } catch (const ProgramEnd&) {
            out.programEnded = true;
            out.beforeScriptEnd = control->Frame() - start < closeAt;
        }
        out.action = titleScreen.action;
        out.state = optionsWindow.State;
        out.games = games;
        return out;
    }

    std::vector<std::string> games;
};

TEST_F(MainMenu, EveryButtonOfEveryStateReactsAsTheMenuRequires) {
    struct Row {
        const char* what;
        std::string keys; // profile keys
        std::vector<int> clicks;
        bool exits; // the program ends through the menu itself
        int action; // when the menu returned
        int state;  // the window's state at the end
        std::vector<std::string> games;
    };
    const std::vector<Row> rows = {
        {"play without a campaign starts one at once",
         "",
         {BUTTON_PLAY},
         false,
         TITLE_NEW_CAMPAIGN,
         MENU_MAIN,
         {}},
        {"play with a campaign asks, resume continues",
         "\tgameState=1\n",
         {BUTTON_PLAY, BUTTON_SAVED_RESUME},
         false,
         TITLE_CONTINUE,
         MENU_MAIN,
         {}},
        {"new game asks first, yes starts anew",
         "\tgameState=1\n",
         {BUTTON_PLAY, BUTTON_SAVED_NEW_GAME, BUTTON_OVERWRITE_YES},
         false,
         TITLE_NEW_CAMPAIGN,
         MENU_OVERWRITE_QUESTION,
         {}},
        {"no goes back to resume or new",
         "\tgameState=1\n",
         {BUTTON_PLAY, BUTTON_SAVED_NEW_GAME, BUTTON_OVERWRITE_NO},
         false,
         -1,
         MENU_RESUME_OR_NEW,
         {}},
        {"back from resume or new",
         "\tgameState=1\n",
         {BUTTON_PLAY, BUTTON_SAVED_MAIN_MENU},
         false,
         -1,
         MENU_MAIN,
         {}},
        {"exit and yes end the program",
         "",
         {BUTTON_EXIT, BUTTON_EXIT_YES},
         true,
         -1,
         MENU_EXIT_QUESTION,
         {}},
        {"exit and no return to the menu", "", {BUTTON_EXIT, BUTTON_EXIT_NO}, false, -1, MENU_MAIN, {}},
        {"options, then back", "", {BUTTON_OPTIONS, BUTTON_OPTIONS_BACK}, false, -1, MENU_MAIN, {}},
        {"quick play, then back", "", {BUTTON_QUICK_PLAY, BUTTON_BACK}, false, -1, MENU_MAIN, {}},
        {"time attack opens its list, play starts the board",
         "",
         {BUTTON_QUICK_PLAY, BUTTON_TIME_ATTACK, BUTTON_LIST_PLAY},
         false,
         -1,
         MENU_MAIN,
         {"timed:timed_a.tsc"}},
        {"next board, then play",
         "",
         {BUTTON_QUICK_PLAY, BUTTON_TIME_ATTACK, BUTTON_LIST_NEXT, BUTTON_LIST_PLAY},
         false,
         -1,
         MENU_MAIN,
         {"timed:timed_b.tsc"}},
        {"previous board wraps",
         "",
         {BUTTON_QUICK_PLAY, BUTTON_TIME_ATTACK, BUTTON_LIST_PREVIOUS, BUTTON_LIST_PLAY},
         false,
         -1,
         MENU_MAIN,
         {"timed:timed_b.tsc"}},
        {"endless opens its list",
         "",
         {BUTTON_QUICK_PLAY, BUTTON_ENDLESS, BUTTON_LIST_PLAY},
         false,
         -1,
         MENU_MAIN,
         {"endless:endless_a.tsc"}},
        {"back from the level list",
         "",
         {BUTTON_QUICK_PLAY, BUTTON_ENDLESS, BUTTON_BACK},
         false,
         -1,
         MENU_MAIN,
         {}},
        {"resumable endless: resume plays the saved game",
         "\tendlessResume=1\n",
         {BUTTON_QUICK_PLAY, BUTTON_ENDLESS, BUTTON_SAVED_RESUME},
         false,
         -1,
         MENU_MAIN,
         {"endless:"}},
        {"resumable time attack: new game opens the list",
         "\ttimeResume=1\n",
         {BUTTON_QUICK_PLAY, BUTTON_TIME_ATTACK, BUTTON_SAVED_NEW_GAME, BUTTON_LIST_PLAY},
         false,
         -1,
         MENU_MAIN,
         {"timed:timed_a.tsc"}},
        // The player has no quest level yet: the empty quest list must not resume a saved game.
        {"play on an empty list starts nothing",
         "\ttimeResume=1\n",
         {BUTTON_QUICK_PLAY, BUTTON_TIME_ATTACK, BUTTON_SAVED_NEW_GAME, BUTTON_LIST_QUEST, BUTTON_LIST_PLAY},
         false,
         -1,
         MENU_LEVEL_LIST,
         {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Player(row.keys);
        games.clear();
        level.difficulty = 0;
        const MenuOutcome out = Run(row.clicks);
        EXPECT_TRUE(out.programEnded == (row.action < 0)) << "returned with action " << out.action;
        EXPECT_EQ(out.beforeScriptEnd, row.exits);
        if (row.action >= 0) {
            EXPECT_EQ(out.action, row.action);
        }
        EXPECT_EQ(out.state, row.state);
        EXPECT_EQ(out.games, row.games);
        if (row.action == TITLE_NEW_CAMPAIGN) {
            EXPECT_EQ(level.difficulty, 2);
        }
    }
}

TEST_F(MainMenu, TheLevelListShowsOnlyTheChosenModesTabAndReloadsOnlyOnAChange) {
    Player();
    bool checked = false;
    control->SetScript([&](int frame, FrameInput& in) {
        const int step = frame - MENU_FIRST_FRAME;
        if (step == 0) in = ClickOn(BUTTON_QUICK_PLAY);
        if (step == 4) in = ClickOn(BUTTON_TIME_ATTACK);
        if (step == 8) {
            ButtonPtr timed = data.GetButton(BUTTON_LIST_TIMED),
                      endless = data.GetButton(BUTTON_LIST_ENDLESS);
            EXPECT_EQ(boardSelector.mode, BOARDS_TIMED);
            EXPECT_EQ(timed->visible + timed->enable, 2);
            EXPECT_EQ(endless->visible + endless->enable, 0);
            // The hidden endless tab lies under the timed one: a click there keeps the timed list.
            boardSelector.selectedLevel = 1;
            in = ClickOn(BUTTON_LIST_TIMED);
        }
        if (step == 12) {
            EXPECT_EQ(boardSelector.mode, BOARDS_TIMED);
            EXPECT_EQ(boardSelector.selectedLevel, 1) << "the shown list was reloaded";
            in = ClickOn(BUTTON_LIST_QUEST);
        }
        if (step == 16) {
            EXPECT_EQ(boardSelector.mode, BOARDS_QUEST);
            checked = true;
        }
        return step < 20;
    });
    titleScreen.Prepare();
    EXPECT_THROW(titleScreen.show(), ProgramEnd);
    EXPECT_TRUE(checked);
}

TEST_F(MainMenu, AGameStopsTheSongAndTheMenuFadesInWithTheSongFromItsStart) {
    Player();
    int cuesDuringGame = -1;
    frontendScreens.goEndless = [&](const std::string&) {
        titleScreen.stopMusic();
        level.musicStream = nullptr;
        cuesDuringGame = CountCues(*control, "glyndra-song.ogg");
        return 0;
    };
    control->SetScript([&](int frame, FrameInput& in) {
        const int step = frame - MENU_FIRST_FRAME;
        if (step == 0) in = ClickOn(BUTTON_QUICK_PLAY);
        if (step == 4) in = ClickOn(BUTTON_ENDLESS);
        if (step == 8) in = ClickOn(BUTTON_LIST_PLAY);
        if (step == 12) {
            EXPECT_EQ(optionsWindow.State, MENU_MAIN);
            EXPECT_LT(optionsWindow.alpha, 0.1f) << "the menu fades in anew after a game";
            EXPECT_EQ(titleScreen.Playing, 1);
        }
        return step < 16;
    });
    titleScreen.Prepare();
    EXPECT_THROW(titleScreen.show(), ProgramEnd);
    EXPECT_EQ(cuesDuringGame, 1);
    EXPECT_EQ(CountCues(*control, "glyndra-song.ogg"), 2);
}

// The pause key hit and the click that start a game are the menu's: the game must not start
// paused or with a piece placed, nor may its own last click act on the menu.
TEST_F(MainMenu, AGameStartsWithoutTheMenusKeysOrClicks) {
    Player();
    std::vector<int> pendingInGame;
    frontendScreens.goEndless = [&](const std::string&) {
        pendingInGame = {KeyHit('P'), KeyHit(KEY_ESCAPE), MouseHit(1)};
        titleScreen.stopMusic();
        level.musicStream = nullptr;
        return 0;
    };
    control->SetScript([&](int frame, FrameInput& in) {
        const int step = frame - MENU_FIRST_FRAME;
        if (step == 0) in = ClickOn(BUTTON_QUICK_PLAY);
        if (step == 4) in = ClickOn(BUTTON_ENDLESS);
        if (step == 7) in.keysHit = {'P', KEY_ESCAPE};
        if (step == 8) {
            in = ClickOn(BUTTON_LIST_PLAY);
            in.keysHit = {'P'};
        }
        return step < 16;
    });
    titleScreen.Prepare();
    EXPECT_THROW(titleScreen.show(), ProgramEnd);
    EXPECT_EQ(pendingInGame, (std::vector<int>{0, 0, 0}));
}

TEST_F(MainMenu, ACloseRequestDuringAnyFadeEndsTheProgramInsteadOfReturning) {
    struct Row {
        const char* what;
        int closeFrame; // frame of the close request
        int forceHiscores;
    };
    const std::vector<Row> rows = {
        {"during the title's fade-in", 10, 0},
        {"during the hiscores' fade-in on entry", 10, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        titleScreen.forceHiscores = row.forceHiscores;
        std::vector<FrameInput> frames(static_cast<size_t>(row.closeFrame));
        frames.push_back(Close());
        Script(frames, 200);
        titleScreen.Prepare();
        const int start = control->Frame();
        EXPECT_THROW(titleScreen.show(), ProgramEnd);
        EXPECT_EQ(titleScreen.Playing, 0);
        EXPECT_LT(control->Frame() - start, row.closeFrame + 3 * FADE_FRAMES)
            << "the program ended after the fades";
    }
}

// Launchers wait for the ready line: it must come with the first frame on the screen, not
// before, and never again on later visits of the menu.
TEST_F(MainMenu, TheTitlesFirstFrameOnTheScreenPrintsTheReadyLineOnce) {
    Player();
    std::vector<int> readyAt; // frames presented when the line came
    SetPrintListener([&](const std::string& line) {
        if (line == TITLE_READY_LINE) readyAt.push_back(control->Frame());
    });
    const int start = control->Frame();
    for (int visit = 0; visit < 2; ++visit) {
        std::vector<FrameInput> frames(MENU_FIRST_FRAME);
        frames.push_back(Close());
        Script(frames, 200);
        titleScreen.Prepare();
        EXPECT_THROW(titleScreen.show(), ProgramEnd);
    }
    SetPrintListener(nullptr);
    EXPECT_EQ(readyAt, std::vector<int>{start + 1});
}

TEST_F(MainMenu, ForcedHiscoresOpenWithoutTheTitleFadeAndAreClearedAfterwards) {
    titleScreen.forceHiscores = 1;
    std::vector<FrameInput> frames(FADE_FRAMES + 2);
    frames.push_back(Key(KEY_ENTER)); // leaves the tables
    control->SetScript([&](int frame, FrameInput& in) {
        if (frame < static_cast<int>(frames.size())) in = frames[static_cast<size_t>(frame)];
        // Past the hiscores' two fades the menu runs: choose the campaign.
        if (frame == 2 * FADE_FRAMES + 10) in = ClickOn(BUTTON_PLAY);
        return frame < 2 * FADE_FRAMES + 20;
    });
    titleScreen.Prepare();
    titleScreen.show();
    EXPECT_EQ(titleScreen.action, TITLE_NEW_CAMPAIGN);
    EXPECT_EQ(titleScreen.forceHiscores, 0);
    EXPECT_EQ(titleScreen.Playing, 0);
    EXPECT_EQ(optionsWindow.music, nullptr);
    EXPECT_TRUE(SparkList.IsEmpty());
}

class MainMenuFirstRun : public FrontendFixture {};

TEST_F(MainMenuFirstRun, WithoutAPlayerTheMenuAsksForANameFirstAndThenGreetsThePlayer) {
    std::filesystem::remove_all(userFolder + "/profiles");
    std::filesystem::create_directories(userFolder + "/profiles");
    testing::internal::CaptureStdout();
    profile = TProfileManager::Create(userFolder + "/profiles", "dat");
    profileLoader.Load();
    std::string greeting;
    float windowAlpha = -1;
    control->SetScript([&](int frame, FrameInput& in) {
        const int step = frame - MENU_FIRST_FRAME;
        if (step == 4) in.typed = "bob";
        if (step == 8) {
            const ButtonPtr ok = profileLoader.menu3.GetItem(1);
            in = At(static_cast<int>((ok->dim->Left() + ok->dim->Right()) / 2),
                    static_cast<int>((ok->dim->Top() + ok->dim->Bottom()) / 2));
            in.clicks = {1};
        }
        if (step == 14) {
            greeting = optionsWindow.helloText->text;
            windowAlpha = optionsWindow.alpha;
        }
        return step < 16;
    });
    titleScreen.Prepare();
    EXPECT_THROW(titleScreen.show(), ProgramEnd);
    testing::internal::GetCapturedStdout();
    ASSERT_NE(profile.selectedProfile, nullptr);
    EXPECT_EQ(profile.selectedProfile->name, "bob");
    EXPECT_EQ(greeting, "hello bob");
    EXPECT_GE(windowAlpha, 1.0f) << "the window shows at once after the first name";
}

TEST_F(MainMenuFirstRun, SparksAgeOneStepAFrameWhateverFactorTheLastGameLeft) {
    delta = 0.0; // as a game paused on its last frame might leave it
    size_t sparks = 0;
    control->SetScript([&](int frame, FrameInput&) {
        sparks = SparkList.Count();
        return frame < 300; // before the attract mode's first screen
    });
    titleScreen.Prepare();
    EXPECT_THROW(titleScreen.show(), ProgramEnd);
    // One cursor spark a frame living at most 50 frames, and a few stars of at most 150.
    EXPECT_LT(sparks, 100u);
}

using MainMenuAfterAViewer = MainMenu;

TEST_F(MainMenuAfterAViewer, PlayClickedWhileAViewerFadesBackStartsTheCampaign) {
    struct Row {
        const char* what;
        int forceHiscores;
        bool credits; // the viewer whose backdrop to wait for
    };
    const Row rows[] = {
        {"the hiscores opened on entry", 1, false},
        {"the credits opened by the attract mode", 0, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        titleScreen.forceHiscores = row.forceHiscores;
        const ImagePtr page = row.credits ? titleScreen.credits : titleScreen.hiscores;
        int shown = -1; // the frame the viewer's page first stood at full alpha
        bool clicked = false;
        control->ClearDrawLog();
        control->SetScript([&](int frame, FrameInput& in) {
            for (const DrawCall& call : control->DrawLog())
                if (shown < 0 && call.op == "image" && call.image == page && call.state.alpha >= 1.0f)
                    shown = frame;
            control->ClearDrawLog();
            if (shown >= 0 && frame == shown + 5) in = Key(KEY_ENTER);
            // Well inside the fade back to the menu.
            if (shown >= 0 && frame == shown + 5 + FADE_FRAMES / 2) {
                in = ClickOn(BUTTON_PLAY);
                clicked = true;
            }
            return frame < 3000;
        });
        titleScreen.Prepare();
        EXPECT_NO_THROW(titleScreen.show());
        EXPECT_TRUE(clicked);
        EXPECT_EQ(titleScreen.action, TITLE_NEW_CAMPAIGN);
    }
}

} // namespace
} // namespace vsm::test
