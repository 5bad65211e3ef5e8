// Tests of the in-game menu's Help entry: which page it opens, what the page leaves of the paused
// level, and how a close request on a page reaches the menu.
#include "overlays/OverlayFixture.h"

#include "board/TBoardManager.h"
#include "board/TRuneManager.h"
#include "level/TLevelManager.h"
#include "magic/TRemoveLineEmiter.h"
#include "overlays/InGameMenu.h"
#include "overlays/TOptionsWindow.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "profiles/TProfileManager.h"
#include "services/TVolcanoEmiter.h"
#include "support/TestAssets.h"
#include "tutorial/TTutorial.h"

#include <algorithm>
#include <filesystem>

namespace vsm::test {
namespace {

constexpr int kBossGoal = 3;

class InGameHelpTest : public OverlayFixture {
  protected:
    void SetUp() override {
        OverlayFixture::SetUp();
        ResetTutorialGlobals();
        const std::string folder = resources + "profiles";
        std::filesystem::create_directories(folder);
        WriteArchive(resources + "data/settings_lp.bca", {{"portal.tsc", "Portal{ Name=\"test\" }"}});
        profile = TProfileManager::Create(folder, "dat");
        ASSERT_EQ(profile.NewProfile("tester"), 1);
        auto rune = std::make_shared<TRune>();
        rune->id = "1";
        rune->color = "1";
        rune->img = CreateImage(32, 32);
        rune->img2 = CreateImage(40, 40);
        davar.List.push_back(rune);
    }
    void TearDown() override {
        volcanoList.Clear();
        ResetTutorialGlobals();
        profile = TProfileManager();
        OverlayFixture::TearDown();
    }

    // What a run of the menu saw: the page frames (the board at the pages' 40-pixel tiles) and
    // the menu's result, or a program end.
    struct Run {
        int pageFrames = 0;
        int result = -1;
        bool ended = false;
        bool bossArt = false; // the boss page's rune picture was loaded while a page ran
    };

    // Opens Help at frame 2; a page that opens is ended after 30 of its frames by pageEnd; back
    // in the menu (or 6 frames after Help when no page opened) restart is clicked. onPage runs on
    // every page frame.
    Run RunHelp(std::function<void(FrameInput&)> pageEnd, std::function<void()> onPage = nullptr) {
        Run run;
        int sincePage = -1;
        control->SetScript([&](int frame, FrameInput& in) {
            if (frame > 2000) return false;
            if (board.tileSize == 40) {
                ++run.pageFrames;
                run.bossArt = run.bossArt || tutorial.rune != nullptr;
                if (onPage) onPage();
                if (run.pageFrames == 30) pageEnd(in);
                return true;
            }
            if (frame == 2) in = ClickOn(BUTTON_HELP);
            if (run.pageFrames > 0 || frame >= 8) ++sincePage;
            if (sincePage == 2) in = ClickOn(BUTTON_RESTART);
            return true;
        });
        try {
            run.result = showInGameMenu(1);
        } catch (const ProgramEnd&) {
            run.ended = true;
        }
        return run;
    }
    static void Escape(FrameInput& in) { in.keysHit.push_back(KEY_ESCAPE); }
    static void Close(FrameInput& in) { in.terminate = true; }
};

TEST_F(InGameHelpTest, HelpOpensThePageOfTheLevelAndTheMenuGoesOnAfterIt) {
    struct Case {
        const char* name;
        int goalType;
        int showTutorial;
        void (*pageEnd)(FrameInput&);
        bool shown, bossPage, ended;
        int result;
    } cases[] = {
        {"main page, left by Escape", 1, 1, Escape, true, false, false, INGAME_RESTART},
        {"main page switched off", 1, 0, Escape, false, false, false, INGAME_RESTART},
        {"boss page whatever the option", kBossGoal, 0, Escape, true, true, false, INGAME_RESTART},
        {"close request on the main page", 1, 1, Close, true, false, false, INGAME_QUIT},
        {"close request on the boss page", kBossGoal, 1, Close, true, true, true, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetTutorialGlobals();
        level.goalType = c.goalType;
        profile.SetNumber("showTutorial", c.showTutorial, 0);
        board.tileSize = 32;

        const Run run = RunHelp(c.pageEnd);

        EXPECT_EQ(run.pageFrames > 0, c.shown);
        if (c.shown) {
            EXPECT_EQ(run.pageFrames, 30);
            EXPECT_EQ(run.bossArt, c.bossPage);
        }
        EXPECT_EQ(run.ended, c.ended);
        if (!c.ended) {
            EXPECT_EQ(run.result, c.result);
        }
        EXPECT_EQ(board.tileSize, 32);
        // Over a level the page plays no music of its own.
        EXPECT_EQ(Plays("help2.ogg"), 0);
        control->ClearSoundLog();
    }
}

TEST_F(InGameHelpTest, APageOverThePausedLevelHoldsTheLevelsEffectsStill) {
    level.goalType = 1;
    profile.SetNumber("showTutorial", 1, 0);
    // Rows 2 and 3 full of runes; a run along row 3 is under way when the menu opens.
    for (int x = 0; x < BOARD_CELLS; ++x) {
        for (int y = 0; y < BOARD_CELLS; ++y)
            board.grid[x][y] = 1;
        for (int y : {2, 3}) {
            board.davarLayer[x][y] = 1;
            board.colorLayer[x][y] = 1;
        }
    }
    auto rowRunes = [](int y) {
        int n = 0;
        for (int x = 0; x < BOARD_CELLS; ++x)
            n += board.davarLayer[x][y] != 0;
        return n;
    };
    const float rowY = board.offsetY + 3 * 32 + 16;
    auto run = TRemoveLineEmiter::add(board.offsetX, rowY, board.offsetX + 15 * 32, rowY, 1);
    for (int i = 0; i < 3; ++i)
        TVolcanoEmiter::updateAll();

    float counterOnPage = -1;
    bool inListOnPage = false;
    bool stillOnPage = true;
    const Run help = RunHelp(Escape, [&] {
        const auto listed = volcanoList.Snapshot();
        inListOnPage = inListOnPage || std::find(listed.begin(), listed.end(), run) != listed.end();
        if (counterOnPage < 0) counterOnPage = run->counter;
        stillOnPage = stillOnPage && run->counter == counterOnPage;
    });

    ASSERT_EQ(help.pageFrames, 30);
    EXPECT_EQ(help.result, INGAME_RESTART);
    EXPECT_FALSE(inListOnPage);
    EXPECT_TRUE(stillOnPage);
    // Back in the menu the run went on from where it stood and finishes on its own row.
    for (int i = 0; i < 600 && !volcanoList.IsEmpty(); ++i)
        TVolcanoEmiter::updateAll();
    EXPECT_GT(run->counter, counterOnPage);
    EXPECT_EQ(rowRunes(2), BOARD_CELLS);
    EXPECT_EQ(rowRunes(3), 0);
}

} // namespace
} // namespace vsm::test
