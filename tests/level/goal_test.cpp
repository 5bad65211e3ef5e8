// Tests of the level goal, the developer keys and the short summary's end bonus.
#include "level/LevelFixture.h"

#include "board/TBoardManager.h"
#include "level/LevelSeams.h"
#include "level/TBossManager.h"
#include "level/TLevelManager.h"
#include "level/TLevelSequencer.h"
#include "level/TPointsManager.h"
#include "magic/TMagicSphere.h"
#include "platform/Input.h"

#include <filesystem>
#include <fstream>

namespace vsm::test {
namespace {

class GoalTest : public LevelFixture {};

TEST_F(GoalTest, EachGoalTypeMetAndNotMet) {
    int sphereFull = 0;
    struct Case {
        const char* what;
        int goalType;
        std::function<void()> arrange;
        int expected;
    };
    const Case cases[] = {
        {"sphere not full", 1, [&] { sphereFull = 0; }, 0},
        {"sphere full", 1, [&] { sphereFull = 1; }, 1},
        {"empty board", 2, [&] { board.davarLayer[4][4] = 0; }, 1},
        {"one rune left", 2, [&] { board.davarLayer[4][4] = 3; }, 0},
        {"boss rune standing", 3, [&] { bossManager.bossDavar.push_back(TBossRune::Create(1, 2, 6, 6, "")); },
         0},
        {"all boss runes gone", 3, [&] { bossManager.bossDavar.clear(); }, 1},
        {"no goal", 0, [&] { sphereFull = 1; }, 0},
        {"unknown goal", 4, [&] {}, 0},
        {"negative goal", -1, [&] {}, 0},
    };
    levelSeams.sphereIsFull = [&] { return sphereFull; };
    FullEmptyBoard();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.arrange();
        level.goalType = c.goalType;
        EXPECT_EQ(level.isGoalAchieved(1), c.expected);
    }
}

TEST_F(GoalTest, SphereGoalWithoutItsTestSaysSoOnce) {
    levelSeams.sphereIsFull = nullptr;
    level.goalType = 1;
    testing::internal::CaptureStdout();
    EXPECT_EQ(level.isGoalAchieved(1), 0);
    EXPECT_EQ(level.isGoalAchieved(1), 0);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("no sphere goal test is installed"), std::string::npos) << out;
    EXPECT_EQ(out.find("installed"), out.rfind("installed")) << "once, not every frame";
}

TEST_F(GoalTest, SphereGoalAsStartUpWiresIt) {
    // The real sphere answers: a goal-1 level is won once every coloured ball is full.
    magicSphere.ballsClr[0] = 2;
    magicSphere.ballsCap[0] = 10;
    magicSphere.ballsFil[0] = 9;
    level.goalType = 1;
    EXPECT_EQ(level.isGoalAchieved(1), 0);
    magicSphere.ballsFil[0] = 10;
    EXPECT_EQ(level.isGoalAchieved(1), 1);
}

TEST_F(GoalTest, DeveloperKeysNeedTheCheatsFile) {
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(resources);
    level.goalType = 0;
    level.levelName = "level_07.tsc";
    sequencer.seqNo = 5;
    auto hit = [&](char key) {
        FrameInput input;
        input.keysHit = {KEY_A + (key - 'A')};
        control->SetScript({input});
        return level.isGoalAchieved(1);
    };
    EXPECT_EQ(hit('G'), 0);
    EXPECT_EQ(hit('R'), 0);
    EXPECT_EQ(hit('Q'), 0);
    EXPECT_EQ(sequencer.seqNo, 5);

    std::ofstream("cheats.txt") << "";
    EXPECT_EQ(hit('G'), 1);
    EXPECT_EQ(hit('R'), 1);
    EXPECT_EQ(sequencer.seqNo, 3);
    EXPECT_EQ(hit('Q'), 1);
    EXPECT_EQ(sequencer.seqNo, 13);
    testing::internal::CaptureStdout();
    EXPECT_EQ(hit('L'), 0);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("level nazwa: level_07.tsc"), std::string::npos);
    std::filesystem::current_path(cwd);
}

// A 15x15 board with `free` playable empty cells at the start of walk order: (0, 0) a hole,
// then free cells, then runes everywhere else.
int BoardWithFreeCells(int free) {
    int placed = 0;
    for (int y = 0; y < 15; ++y) {
        for (int x = 0; x < 15; ++x) {
            board.grid[x][y] = (x == 0 && y == 0) ? 0 : 1;
            const bool empty = board.grid[x][y] && placed < free;
            if (empty) ++placed;
            board.davarLayer[x][y] = (empty || !board.grid[x][y]) ? 0 : 2;
        }
    }
    return placed;
}

TEST_F(GoalTest, ShortSummaryBooksTheEndBonusOnce) {
    BoardWithFreeCells(6);
    level.startSummary();
    level.doShortSummary();
    EXPECT_EQ(points.actual, 6 * 25);
    level.doShortSummary();
    EXPECT_EQ(points.actual, 6 * 25) << "a second call books nothing more";
}

TEST_F(GoalTest, ShortSummaryMidCountAddsCountedAndUncountedParts) {
    BoardWithFreeCells(6);
    points.actual = 1000;
    level.startSummary();
    control->AdvanceClock(1001);
    // Stage 0 ends in the first update; the steps at sTimer 0, 2 and 4 pass the hole at (0, 0)
    // and count two free cells.
    for (int i = 0; i < 5; ++i) {
        level.updateSummary();
        control->AdvanceClock(16);
    }
    ASSERT_EQ(level.summaryStage, SUMMARY_COUNT);
    EXPECT_EQ(level.bonusPoints, 50);
    EXPECT_EQ(points.actual, 1000);
    level.doShortSummary();
    EXPECT_EQ(points.actual, 1000 + 6 * 25);
}

TEST_F(GoalTest, ShortSummaryAfterTheCountAddsNothing) {
    BoardWithFreeCells(2);
    level.startSummary();
    control->AdvanceClock(1001);
    for (int i = 0; i < 10 && level.summaryStage < SUMMARY_DOORS_CLOSE; ++i) {
        level.updateSummary();
        control->AdvanceClock(16);
    }
    ASSERT_EQ(level.summaryStage, SUMMARY_DOORS_CLOSE);
    EXPECT_EQ(points.actual, 50);
    level.doShortSummary();
    EXPECT_EQ(points.actual, 50);
}

TEST_F(GoalTest, ANewLevelBooksItsOwnEndBonusAfterAFinishedSummary) {
    Archive("davar_levels_lp.bca", {{"next.tsc", "Settings{ Level{ Number=2 GoalType=2 } }"}});
    level.summaryStage = SUMMARY_DONE; // the previous level's summary ran to its end
    level.sX = 0;
    level.sY = 15;
    level.Set("next.tsc");
    level.Load(0);
    // The new level's board: a full 15x15 board with every cell free but one hole.
    board.grid[0][0] = 0;
    level.doShortSummary();
    EXPECT_EQ(points.actual, 224 * 25);
}

} // namespace
} // namespace vsm::test
