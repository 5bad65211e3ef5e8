// Run detection in rows and columns, clearing into the sphere, stones turning back, and the
// score, statistics, captions and sounds of a clearing move.
#include "board/BoardFixture.h"

#include "board/BoardSeams.h"
#include "board/TStoneEntity.h"
#include "services/TCaptions.h"
#include "services/TMouse.h"
#include "services/TSoundQ.h"
#include "services/TVolcanoEmiter.h"

#include <cmath>

namespace vsm::test {

class RunsTest : public BoardFixture {
  protected:
    void SetUp() override {
        BoardFixture::SetUp();
        for (int c = 1; c <= 5; ++c)
            AddRune(std::to_string(c), c).r1 = 10 * c;
        AddRune("21", 1, 1, "", "1"); // stone of colour 1, turns back into rune 1
        AddRune("22", 2, 1, "", "2");
        FullEmptyBoard();
        mouse.x = 400;
        mouse.y = 300;
    }
    void Row(int y, int x0, int count, int id) {
        for (int x = x0; x < x0 + count; ++x)
            Put(x, y, id);
    }
    void Column(int x, int y0, int count, int id) {
        for (int y = y0; y < y0 + count; ++y)
            Put(x, y, id);
    }
    // The lines the commit form of both scans queues.
    std::vector<std::vector<int>> Queued() {
        board.lines = std::make_unique<std::vector<TLine>>();
        board.checkForHorizontalMatch(1);
        board.checkForVerticalMatch(1);
        std::vector<std::vector<int>> out;
        for (const TLine& l : *board.lines)
            out.push_back({l.xs, l.ys, l.xk, l.yk});
        board.lines.reset();
        return out;
    }
};

TEST_F(RunsTest, ScansQueueEachMaximalRunOnce) {
    struct Case {
        const char* name;
        std::vector<int> row; // colour classes from column 0
        std::vector<std::vector<int>> lines;
    };
    const Case cases[] = {
        {"six equal cells make one line of six", {2, 2, 2, 2, 2, 2}, {{0, 0, 5, 0}}},
        {"a gap ends a run", {2, 2, 0, 2, 2, 2}, {{3, 0, 5, 0}}},
        {"two colours side by side", {1, 1, 2, 2, 2, 1, 1, 1}, {{2, 0, 4, 0}, {5, 0, 7, 0}}},
        {"two of a kind is no run", {3, 3, 0, 3, 3}, {}},
        {"a run reaching column 14", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 4, 4}, {{12, 0, 14, 0}}},
        {"the whole row", std::vector<int>(15, 5), {{0, 0, 14, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FullEmptyBoard();
        for (size_t x = 0; x < c.row.size(); ++x)
            if (c.row[x] != 0) Put(static_cast<int>(x), 0, c.row[x]);
        EXPECT_EQ(Queued(), c.lines);
        // The same cells as a column, queued by the column scan with x and y swapped.
        FullEmptyBoard();
        for (size_t y = 0; y < c.row.size(); ++y)
            if (c.row[y] != 0) Put(0, static_cast<int>(y), c.row[y]);
        std::vector<std::vector<int>> swapped;
        for (const auto& l : c.lines)
            swapped.push_back({l[1], l[0], l[3], l[2]});
        EXPECT_EQ(Queued(), swapped);
    }
}

TEST_F(RunsTest, PreviewFormPaintsTheRunIntoHighlights) {
    Row(4, 2, 3, 3);
    Put(6, 4, 1);
    board.checkForHorizontalMatch(0);
    for (int x = 0; x < 15; ++x)
        EXPECT_EQ(board.highlightLayer[x][4], x >= 2 && x <= 4 ? 3 : 0) << "column " << x;
    EXPECT_EQ(board.davarLayer[2][4], 3) << "the preview clears nothing";
}

TEST_F(RunsTest, ScoreGrowsWithTheLengthOfOneRun) {
    struct Case {
        int n, score, bonuses;
        float captionScale;
    };
    const Case cases[] = {{3, 250, 0, 1.0f}, {4, 325, 1, 1.1f}, {5, 400, 1, 1.2f},
                          {6, 475, 2, 1.3f}, {7, 600, 2, 1.4f}, {9, 850, 2, 1.6f}};
    for (const Case& c : cases) {
        SCOPED_TRACE("run of " + std::to_string(c.n));
        FullEmptyBoard();
        log = NeighbourLog();
        captions.Clear();
        control->ClearSoundLog();
        Row(3, 1, c.n, 1);
        EXPECT_EQ(board.clearMatchingDavar(0), c.n);
        EXPECT_EQ(log.points, c.score);
        EXPECT_EQ(log.matches, 1);
        EXPECT_EQ(log.combos, 0);
        EXPECT_EQ(log.bonusesAdded, c.bonuses);
        EXPECT_EQ(log.fills, std::vector<int>(c.n, 1));
        EXPECT_EQ(Plays("explosion2-biger.ogg"), 1);
        EXPECT_EQ(board.IsEmpty(), 1);
        auto shown = captions.Snapshot();
        ASSERT_EQ(shown.size(), 2u);
        EXPECT_EQ(shown[0]->id, CAPTION_POINTS);
        EXPECT_EQ(shown[0]->number, c.score);
        EXPECT_FLOAT_EQ(shown[0]->scale, c.captionScale);
        EXPECT_EQ(shown[1]->id, CAPTION_MATCH);
        EXPECT_EQ(shown[1]->number, c.n);
    }
}

TEST_F(RunsTest, TwoColoursClearedTogetherAreACombo) {
    Row(2, 0, 3, 1);
    Column(10, 5, 3, 2);
    control->SetClock(5000);
    EXPECT_EQ(board.clearMatchingDavar(0), 6);
    EXPECT_EQ(log.points, 875);
    EXPECT_EQ(log.matches, 1);
    EXPECT_EQ(log.combos, 1);
    auto shown = captions.Snapshot();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[2]->id, CAPTION_COMBO);
    EXPECT_EQ(shown[2]->number, 2);
    EXPECT_EQ(Plays("explosion2-biger.ogg"), 1);
    auto queued = soundQueue.Snapshot();
    ASSERT_EQ(queued.size(), 1u);
    EXPECT_EQ(queued[0]->snd, board.combos[0]);
    EXPECT_EQ(queued[0]->timeStart, 5600);
    EXPECT_EQ(board.combos[1], board.combos[0]) << "two and three colours share one sound";
}

TEST_F(RunsTest, CrossingRunsOfOneColourCountTheSharedCellOnce) {
    Row(5, 4, 3, 2);    // (4..6, 5)
    Column(5, 3, 3, 2); // (5, 3..5), shares (5, 5)
    EXPECT_EQ(board.clearMatchingDavar(0), 5);
    EXPECT_EQ(log.points, 400);
    EXPECT_EQ(log.combos, 0);
}

TEST_F(RunsTest, FiveColourClassesCountAsFour) {
    for (int c = 1; c <= 5; ++c)
        Row(c, 0, 3, c);
    EXPECT_EQ(board.clearMatchingDavar(0), 15);
    // 15 runes of five colour classes counted as four: 4 x (50 x 15 + 100) + 25 x 12 + 50 x 9.
    EXPECT_EQ(log.points, 4150);
    ASSERT_EQ(soundQueue.Count(), 1u);
    EXPECT_EQ(soundQueue.First()->snd, board.combos[2]);
}

TEST_F(RunsTest, StoneAtACrossingTurnsBackThenClears) {
    Row(7, 3, 3, 1);    // (3..5, 7)
    Column(4, 5, 3, 1); // (4, 5..7)
    Put(4, 7, 21);      // the crossing is a stone of colour 1
    EXPECT_EQ(board.clearMatchingDavar(0), 6) << "the stone's cell counts for both lines";
    EXPECT_EQ(stonesList.size(), 12u);
    EXPECT_EQ(Plays("expl-klocstoned.ogg"), 1);
    EXPECT_EQ(log.fills.size(), 5u) << "the turned-back rune still flies to the sphere";
    EXPECT_EQ(board.IsEmpty(), 1);
}

TEST_F(RunsTest, RunOfStonesTurnsBackAndStays) {
    Row(0, 0, 3, 21);
    EXPECT_EQ(board.clearMatchingDavar(0), 3);
    for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(board.davarLayer[x][0], 1);
        EXPECT_EQ(board.colorLayer[x][0], 1);
    }
    EXPECT_TRUE(log.fills.empty());
    EXPECT_EQ(volcanoList.Count(), 0u);
    EXPECT_EQ(log.points, 250);
    EXPECT_EQ(Plays("explosion2-biger.ogg"), 1);
    EXPECT_EQ(Plays("expl-klocstoned.ogg"), 1);
    EXPECT_EQ(stonesList.size(), 36u);
}

TEST_F(RunsTest, StoneNamingNoRuneEmptiesItsCellFully) {
    AddRune("23", 3, 1, "", "");   // no rune to turn back into
    AddRune("24", 3, 1, "", "99"); // names an unknown rune
    Put(0, 0, 23);
    Put(1, 0, 24);
    Put(2, 0, 3);
    EXPECT_EQ(board.clearMatchingDavar(0), 3);
    for (int x = 0; x < 3; ++x) {
        SCOPED_TRACE("column " + std::to_string(x));
        EXPECT_EQ(board.davarLayer[x][0], 0);
        EXPECT_EQ(board.colorLayer[x][0], 0);
    }
    EXPECT_EQ(stonesList.size(), 24u);
    // Nothing left that still looks empty but matches: a second clear finds nothing.
    EXPECT_EQ(board.clearMatchingDavar(0), 0);
}

TEST_F(RunsTest, NothingMatchedScoresAndSoundsNothing) {
    Row(0, 0, 2, 1);
    EXPECT_EQ(board.clearMatchingDavar(0), 0);
    // Boss arms queued over empty cells count nothing either.
    boardSeams.bossCheckForMatch = [](int commit) {
        if (commit) board._addLine(8, 8, 9, 8);
        return 0;
    };
    EXPECT_EQ(board.clearMatchingDavar(0), 0);
    EXPECT_EQ(log.pointsCalls, 0);
    EXPECT_EQ(log.matches, 0);
    EXPECT_EQ(Plays("explosion2-biger.ogg"), 0);
    EXPECT_EQ(captions.Count(), 0u);
    EXPECT_EQ(board.lines, nullptr) << "the list lives only while a clear runs";
}

TEST_F(RunsTest, BossArmsAreClearedWithTheRunsAsOneMove) {
    Put(8, 8, 3);
    Put(9, 8, 3);
    boardSeams.bossCheckForMatch = [](int commit) {
        if (commit) board._addLine(8, 8, 9, 8);
        return 0;
    };
    Row(0, 0, 3, 1);
    EXPECT_EQ(board.clearMatchingDavar(0), 5);
    EXPECT_EQ(log.fills, (std::vector<int>{3, 3, 1, 1, 1})) << "boss arms first, then the runs";
    EXPECT_EQ(log.combos, 1);
    EXPECT_EQ(log.matches, 1);
}

TEST_F(RunsTest, CaptionsFollowThePointerWithinTheirBounds) {
    mouse.x = 700;
    mouse.y = 40;
    Row(0, 0, 3, 1);
    board.clearMatchingDavar(0);
    auto shown = captions.Snapshot();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0]->x, 550);
    EXPECT_EQ(shown[0]->y, 10);
    EXPECT_EQ(shown[1]->x, 550);
    EXPECT_EQ(shown[1]->y, 50);
}

TEST_F(RunsTest, TokenOnAClearedRuneHandsTheCaptionsToTheBonusManager) {
    Row(0, 0, 3, 1);
    Row(5, 0, 3, 2);
    log.tokens[{1, 0}] = 4;
    board.clearMatchingDavar(0);
    EXPECT_EQ(log.bonusCleared.size(), 6u);
    EXPECT_EQ(captions.Count(), 0u);
    ASSERT_EQ(log.handedCaptions.size(), 1u);
    EXPECT_EQ(log.handedCaptions[0], (std::vector<int>{6, 875, 2, 400, 270}));
    EXPECT_EQ(soundQueue.Count(), 1u) << "the combo sound is queued all the same";
}

TEST_F(RunsTest, ClearedRunesFlyToTheirBall) {
    boardSeams.sphereGetColorXY = [](int c, int& x, int& y) {
        x = 100 + c;
        y = 100;
        return 1;
    };
    Row(0, 0, 3, 2);
    board.clearMatchingDavar(0);
    auto flights = volcanoList.Snapshot();
    ASSERT_EQ(flights.size(), 3u);
    // Cell (1, 0) starts at (240 + 32 + 16, 60 + 16).
    EXPECT_FLOAT_EQ(flights[1]->ax, 288);
    EXPECT_FLOAT_EQ(flights[1]->ay, 76);
    EXPECT_FLOAT_EQ(flights[1]->bx, 102);
    EXPECT_FLOAT_EQ(flights[1]->by, 100);
    // 0.025 x 380 over the distance 187.54 of (288, 76) to (102, 100).
    EXPECT_FLOAT_EQ(flights[1]->dt, 0.0506553203f);
    EXPECT_EQ(flights[1]->maxCount, 50);
}

TEST_F(RunsTest, FlightStartingOnTheBallStillHasAFiniteStep) {
    boardSeams.sphereGetColorXY = [](int, int& x, int& y) {
        x = 240 + 16;
        y = 60 + 16;
        return 1;
    };
    Row(0, 0, 3, 1);
    board.clearMatchingDavar(0);
    auto flights = volcanoList.Snapshot();
    ASSERT_EQ(flights.size(), 3u);
    EXPECT_TRUE(std::isfinite(flights[0]->dt));
}

TEST_F(RunsTest, BoardQueries) {
    EXPECT_EQ(board.IsEmpty(), 1);
    EXPECT_FLOAT_EQ(board.freeCells(), 1.0f);
    Put(3, 3, 21);
    EXPECT_EQ(board.IsEmpty(), 0) << "a single stone is still a rune";
    EXPECT_FLOAT_EQ(board.freeCells(), 1.0f - 1.0f / 225.0f);
    for (int x = 0; x < 15; ++x)
        for (int y = 0; y < 15; ++y)
            board.grid[x][y] = 0;
    EXPECT_FLOAT_EQ(board.freeCells(), 0.0f) << "a board with no cell";
}

TEST_F(RunsTest, ClearBoardResetsForANewLevel) {
    Put(1, 1, 1);
    board.grid[2][2] = 0;
    board.petrifyActive = 1;
    board.tileSize = 13;
    board.gameOver = 1;
    control->SetClock(777);
    board.clearBoard();
    EXPECT_EQ(board.davarLayer[1][1], 0);
    EXPECT_EQ(board.grid[2][2], 1);
    EXPECT_EQ(board.tileSize, 32);
    EXPECT_EQ(board.petrifyActive, 0);
    EXPECT_EQ(board.petrifyTimer, 777);
    EXPECT_FLOAT_EQ(board.wjazd, 1.0f);
    EXPECT_FLOAT_EQ(board.alpha, 1.0f);
    EXPECT_GE(board.typWjazdu, 0);
    EXPECT_LE(board.typWjazdu, 2);
    EXPECT_EQ(board.gameOver, 1) << "the level set-up lowers it, not the reset";
}

} // namespace vsm::test
