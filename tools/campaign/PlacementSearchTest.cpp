// The campaign player's placements agree with the board: the placement it picks is legal, the
// game clears exactly the cells it promised, and its search pursues the level's goal.
#include "PlacementSearch.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "board/TestRunes.h"
#include "magic/CoreGame.h"
#include "platform/Headless.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace vsm::tools {
namespace {

// A 5x5 board in the corner of the field, runes 1..3 of colour classes 1..3.
class PlacementFinderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseHeadlessBackend();
        ResetCoreGame();
        for (int c = 1; c <= 3; ++c)
            test::AppendTestRune(std::to_string(c), c, 0, "", "");
        for (int x = 0; x < 5; ++x)
            for (int y = 0; y < 5; ++y)
                board.grid[x][y] = 1;
    }
    void TearDown() override { ResetCoreGame(); }

    static void Put(int x, int y, int rune) {
        board.davarLayer[x][y] = rune;
        board.colorLayer[x][y] = rune;
    }
    static TBlock Piece(const std::vector<std::pair<int, int>>& cells, int rune) {
        TBlock piece;
        for (auto [i, j] : cells) {
            piece.Set[i][j] = rune;
            piece.color[i][j] = rune;
        }
        return piece;
    }
};

struct RunCase {
    const char* what;
    std::vector<std::pair<int, int>> rune1, rune2, rune3; // cells holding each rune
    std::vector<std::pair<int, int>> holes;
    std::vector<std::pair<int, int>> piece;
    int pieceRune;
    Placement expected; // runCells 0: no run can be completed
};

TEST_F(PlacementFinderTest, PicksTheLegalPlacementCompletingTheLongestRun) {
    const std::vector<RunCase> cases = {
        {"completes a row", {{0, 0}, {1, 0}}, {}, {}, {}, {{0, 0}}, 1, {2, 0, 0, 3}},
        {"the completing cell is a hole", {{0, 0}, {1, 0}}, {}, {}, {{2, 0}}, {{0, 0}}, 1, {0, 0, 0, 0}},
        {"the completing cell is taken: the column instead",
         {{0, 0}, {1, 0}, {4, 1}, {4, 2}},
         {},
         {{2, 0}},
         {},
         {{0, 0}},
         1,
         {4, 0, 0, 3}},
        {"a run of four beats a run of three",
         {{0, 0}, {1, 0}, {0, 2}, {1, 2}, {3, 2}},
         {},
         {},
         {},
         {{0, 0}},
         1,
         {2, 2, 0, 4}},
        {"a row and a column through one cell",
         {{1, 3}, {2, 3}, {3, 1}, {3, 2}},
         {},
         {},
         {},
         {{0, 0}},
         1,
         {3, 3, 0, 5}},
        {"a piece of two completes with both its cells",
         {},
         {{2, 3}},
         {},
         {},
         {{0, 0}, {1, 0}},
         2,
         {0, 3, 0, 3}},
        {"only a turned piece fits",
         {},
         {{2, 4}},
         {},
         {{0, 4}, {1, 4}, {3, 4}, {4, 4}},
         {{0, 0}, {1, 0}},
         2,
         {2, 2, 1, 3}},
        {"another colour never joins the run", {{0, 0}, {1, 0}}, {}, {}, {}, {{0, 0}}, 3, {0, 0, 0, 0}},
    };
    for (const RunCase& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        for (auto [x, y] : c.rune1)
            Put(x, y, 1);
        for (auto [x, y] : c.rune2)
            Put(x, y, 2);
        for (auto [x, y] : c.rune3)
            Put(x, y, 3);
        for (auto [x, y] : c.holes)
            board.grid[x][y] = 0;
        TBlock piece = Piece(c.piece, c.pieceRune);

        std::optional<Placement> found = FindRunPlacement(board, piece);
        if (c.expected.runCells == 0) {
            EXPECT_FALSE(found) << "at " << found->x << "," << found->y;
            continue;
        }
        ASSERT_TRUE(found);
        EXPECT_EQ(found->x, c.expected.x);
        EXPECT_EQ(found->y, c.expected.y);
        EXPECT_EQ(found->direction, c.expected.direction);
        EXPECT_EQ(found->runCells, c.expected.runCells);

        // Played for real, the move is taken and clears what was promised.
        blocks.direction = found->direction;
        ASSERT_EQ(board.placeBlock(&piece, found->x, found->y, 0), 1);
        EXPECT_EQ(board.clearMatchingDavar(0), found->runCells);
    }
}

TEST_F(PlacementFinderTest, AnyPlacementFallsBackAndFailsOnlyWhenNothingFits) {
    for (int x = 0; x < 5; ++x)
        for (int y = 0; y < 5; ++y)
            Put(x, y, 1 + (x + 2 * y) % 3); // no two neighbours alike: nothing to complete
    board.davarLayer[4][4] = board.colorLayer[4][4] = 0;
    board.davarLayer[4][3] = board.colorLayer[4][3] = 0;

    const TBlock single = Piece({{0, 0}}, 3);
    const TBlock pair = Piece({{0, 0}, {1, 0}}, 3);
    const TBlock corner = Piece({{0, 0}, {1, 0}, {0, 1}}, 3);

    std::optional<Placement> one = FindAnyPlacement(board, single);
    ASSERT_TRUE(one);
    EXPECT_EQ(std::make_pair(one->x, one->y), std::make_pair(4, 3));
    // The two free cells stand in a column: only the turned pair fits, upright from (4,3) or
    // hanging from (4,4).
    std::optional<Placement> two = FindAnyPlacement(board, pair);
    ASSERT_TRUE(two);
    blocks.direction = two->direction;
    EXPECT_EQ(board.placeBlock(const_cast<TBlock*>(&pair), two->x, two->y, 0), 1);
    board.davarLayer[4][4] = board.colorLayer[4][4] = 0;
    board.davarLayer[4][3] = board.colorLayer[4][3] = 0;
    EXPECT_FALSE(FindAnyPlacement(board, corner));
    EXPECT_FALSE(FindRunPlacement(board, corner));
}

TEST_F(PlacementFinderTest, PointerLandsOnTheOriginCell) {
    for (int tile : {16, 20, 32, 40}) {
        board.tileSize = tile;
        board.offsetX = 240;
        board.offsetY = 60;
        for (int cell : {0, 1, 7, 14}) {
            PointerCell p = PointerFor(board, Placement{cell, 14 - cell, 0, 0});
            EXPECT_EQ(blocks.getXR(p.x), cell) << "tile " << tile;
            EXPECT_EQ(blocks.getYR(p.y), 14 - cell) << "tile " << tile;
        }
    }
}

} // namespace
} // namespace vsm::tools
