// The puzzle's saved state: tiles, time, clicks and hints in the profile, and resuming from it.
#include "PuzzleFixture.h"

#include "level/TPointsManager.h"
#include "platform/System.h"
#include "profiles/TProfileManager.h"
#include "puzzle/PuzzleSave.h"
#include "puzzle/TPuzzleManager.h"
#include "services/GameFlags.h"

namespace vsm::test {

using PuzzleSave = PuzzleFixture;

namespace {

void SaveLayout(const std::vector<std::string>& cells, int time, int clicks, int hints) {
    profile.SetList("puzzles", cells, 0);
    profile.SetNumber("puzzlesTime", time, 0);
    profile.SetNumber("puzzlesClicks", clicks, 0);
    profile.SetNumber("puzzlesHints", hints, 0);
}

} // namespace

TEST_F(PuzzleSave, SavedTilesTimeClicksAndHintsComeBack) {
    UsePlayer();
    Build(3, 2);
    const std::vector<int> cells = {5, 0, 1, 2, 3, 4};
    auto tiles = puzzle.puzzle->Tiles();
    for (size_t k = 0; k < cells.size(); ++k)
        PutOnCell(*tiles[k], cells[k]);
    control->SetClock(90000);
    puzzle.Timer = 30000;
    puzzle.clicks = 17;
    puzzle.hintsCount = 4;
    ASSERT_EQ(SavePuzzles(1), 0);

    Build(3, 2);
    puzzle.Timer = 0;
    puzzle.clicks = 0;
    puzzle.hintsCount = 0;
    control->SetClock(100000);
    EXPECT_EQ(LoadPuzzles(), 1);
    EXPECT_EQ(Layout(), cells);
    for (const auto& t : puzzle.puzzle->Tiles()) {
        EXPECT_EQ(t->targetNumber, t->currentNumber);
        EXPECT_FLOAT_EQ(t->dim->x, 65 + 223.0f * static_cast<float>(t->currentNumber % 3));
    }
    EXPECT_EQ(puzzle.Timer, 100000 - 60000);
    EXPECT_EQ(puzzle.clicks, 17);
    EXPECT_EQ(puzzle.hintsCount, 4);
}

TEST_F(PuzzleSave, LayoutsThatAreNoPermutationOfAllTilesAreRefused) {
    UsePlayer();
    const std::vector<std::vector<std::string>> hostile = {
        {},                                  // nothing saved: would count as solved
        {"1", "0", "2"},                     // too short
        {"1", "0", "2", "3", "4", "5", "6"}, // too long
        {"1", "1", "2", "3", "4", "5"},      // a cell twice
        {"1", "0", "2", "3", "4", "6"},      // a cell outside the grid
        {"1", "0", "2", "3", "4", "-5"},     // a negative cell
        {"1", "0", "2", "3", "4", "5x"},     // not a number
        {"1", "0", "2", "3", "4", ""},       // an empty entry
    };
    for (const auto& list : hostile) {
        SCOPED_TRACE(list.size());
        Build(3, 2);
        SaveLayout(list, 5000, 9, 2);
        puzzle.Timer = 123;
        puzzle.clicks = 1;
        EXPECT_EQ(LoadPuzzles(), 0);
        EXPECT_EQ(Layout(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
        EXPECT_EQ(puzzle.Timer, 123);
        EXPECT_EQ(puzzle.clicks, 1);
    }
    // Without a player nothing is restored either.
    profile = TProfileManager();
    EXPECT_EQ(LoadPuzzles(), 0);
}

TEST_F(PuzzleSave, AResumeWithoutAStoredHintCountReadsZero) {
    UsePlayer();
    Build(3, 2);
    profile.SetList("puzzles", {"1", "0", "2", "3", "4", "5"}, 0);
    puzzle.hintsCount = 6;
    EXPECT_EQ(LoadPuzzles(), 1);
    EXPECT_EQ(puzzle.hintsCount, 0);
}

TEST_F(PuzzleSave, AResumedPuzzlePaysForItsStoredHints) {
    UsePlayer();
    puzzle.width = 4;
    puzzle.height = 3;
    SaveLayout({"1", "0", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}, 61000, 7, 3);
    readFromProfile = 1;
    points.total = 100;
    control->SetClock(200000);
    SolveScript(3000);
    EXPECT_EQ(puzzle.show(1, picturePath, 0), 0);
    EXPECT_EQ(points.total, 100 + 50 * (12 - 3));
    const auto clicks = ValuesAfter("Clicks:");
    ASSERT_FALSE(clicks.empty());
    EXPECT_EQ(clicks.back(), "9");
    const auto time = ValuesAfter("Time:");
    ASSERT_FALSE(time.empty());
    EXPECT_EQ(time.back().substr(0, 3), "1:0");
}

TEST_F(PuzzleSave, DamagedStoredTimeClicksAndHintsAreKeptInRange) {
    struct Case {
        const char* name;
        int time, clicks, hints;
        int64_t clock;
        int paidHints;          // the hints the summary charges for
        const char* timeStarts; // the start of the summary's time
    };
    const Case cases[] = {
        {"negative hints", 61000, 7, -100, 200000, 0, "1:0"},
        {"hints past any real puzzle", 61000, 7, 2000000000, 200000, 1000000, "1:0"},
        {"a negative time", -7199000, 7, 3, 200000, 3, "0:"},
        {"negative clicks", 61000, -50, 3, 200000, 3, "1:0"},
        {"a clock past 32 bits", 61000, 7, 3, int64_t(3) << 30, 3, "1:0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        UsePlayer();
        puzzle.width = 4;
        puzzle.height = 3;
        SaveLayout({"1", "0", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}, c.time, c.clicks, c.hints);
        readFromProfile = 1;
        points.total = 100;
        control->SetClock(c.clock);
        SolveScript(3000);
        EXPECT_EQ(puzzle.show(1, picturePath, 0), 0);
        EXPECT_EQ(points.total, 100 + 50 * (12 - c.paidHints));
        const auto clicks = ValuesAfter("Clicks:");
        ASSERT_FALSE(clicks.empty());
        EXPECT_NE(clicks.back()[0], '-');
        const auto time = ValuesAfter("Time:");
        ASSERT_FALSE(time.empty());
        EXPECT_EQ(time.back().rfind(c.timeStarts, 0), 0u) << time.back();
        TearDown();
    }
}

TEST_F(PuzzleSave, AnEmptySavedLayoutStartsAfreshInsteadOfPayingInFull) {
    UsePlayer();
    puzzle.width = 3;
    puzzle.height = 2;
    SaveLayout({}, 0, 0, 0);
    readFromProfile = 1;
    SolveScript(3000);
    EXPECT_EQ(puzzle.show(1, picturePath, 0), 0);
    const auto clicks = ValuesAfter("Clicks:");
    ASSERT_FALSE(clicks.empty());
    EXPECT_NE(clicks.back(), "0");
}

} // namespace vsm::test
