// The campaign player's placements agree with the board: the placement it picks is legal, the
// game clears exactly the cells it promised, and its search pursues the level's goal.
#include "PlacementSearch.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "board/TestRunes.h"
#include "magic/CoreGame.h"
#include "platform/Headless.h"
#include "shell/AssembleGame.h"
#include "shell/GameHooks.h"

#include <gtest/gtest.h>

#include <algorithm>
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
        // The game's own assembly, its hooks included, as start-up makes it.
        ResetGameGlobals();
        InstallGameHooks();
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

// The search on views alone: a full board of empty cells, the goal and the pieces as each case
// sets them.
class PlacementSearchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int x = 0; x < VIEW_SIDE; ++x)
            for (int y = 0; y < VIEW_SIDE; ++y)
                view.kind[x][y] = VIEW_EMPTY;
        view.petrifyMs = 20000;
        options.shapes = {Single(0)};
    }

    void Put(int x, int y, int cls, int32_t placed = -1000) {
        view.kind[x][y] = VIEW_RUNE;
        view.cls[x][y] = static_cast<uint8_t>(cls);
        view.placed[x][y] = placed;
    }
    void Warden(int x, int y, int cls) {
        view.wardens[view.wardenCount++] = WardenView{x, y, cls};
        for (int cx = x; cx <= x + 1; ++cx)
            for (int cy = y; cy <= y + 1; ++cy)
                view.kind[cx][cy] = VIEW_WARDEN;
    }
    // The cells of the arms of a warden at (x, y): left, right, upper, lower, each column by column.
    static std::vector<std::pair<int, int>> Arms(int x, int y) {
        std::vector<std::pair<int, int>> cells;
        for (const ArmCell& c : WARDEN_ARM_CELLS)
            cells.emplace_back(x + c.dx, y + c.dy);
        return cells;
    }
    static PieceView Single(int cls) {
        PieceView p;
        p.cells[p.count++] = PieceView::Cell{0, 0, static_cast<uint8_t>(cls)};
        return p;
    }
    static PieceView Bar(std::vector<int> classes) {
        PieceView p;
        for (int cls : classes)
            p.cells[p.count] = PieceView::Cell{static_cast<int8_t>(p.count), 0, static_cast<uint8_t>(cls)},
            ++p.count;
        return p;
    }
    // Where the piece's origin cell goes.
    std::pair<int, int> Choose(const PieceView& held, const PieceView* next) {
        std::optional<Placement> p = ChoosePlacement(view, held, next, options);
        EXPECT_TRUE(p);
        return p ? std::pair{p->x, p->y} : std::pair{-1, -1};
    }

    BoardView view;
    SearchOptions options;
};

TEST_F(PlacementSearchTest, ClearsTheColourTheSphereLacks) {
    view.goalType = 1;
    view.balls[0] = BallView{1, 0};
    view.balls[1] = BallView{2, 6};
    Put(0, 0, 1);
    Put(1, 0, 1);
    Put(0, 4, 2);
    Put(1, 4, 2);
    const PieceView held = Bar({1, 2});
    // Lying along row 4 from (2, 4) the bar would put its colour-1 cell beside the pair of 2s;
    // turned round, its colour-2 end completes them.
    std::optional<Placement> p = ChoosePlacement(view, held, nullptr, options);
    ASSERT_TRUE(p);
    BoardView after = view;
    PlayMove(after, held, p->x, p->y, p->direction);
    EXPECT_EQ(after.balls[1].need, 3) << "placed at " << p->x << "," << p->y << " turned " << p->direction;
}

TEST_F(PlacementSearchTest, EmptiesTheBoardWhenOnePieceCan) {
    view.goalType = 2;
    Put(5, 5, 3);
    Put(6, 5, 3);
    const PieceView held = Single(3), next = Single(1);
    const auto [x, y] = Choose(held, &next);
    BoardView after = view;
    PlayMove(after, held, x, y, 0);
    EXPECT_TRUE(after.GoalMet()) << "placed at " << x << "," << y;
}

TEST_F(PlacementSearchTest, WakesAWardenWithItsLastArmCell) {
    view.goalType = 3;
    Warden(6, 6, 1);
    Warden(1, 11, 2);
    for (auto [x, y] : Arms(6, 6))
        if (std::pair(x, y) != std::pair(8, 7)) Put(x, y, 1, -90000);
    const PieceView held = Single(1), next = Single(3);
    EXPECT_EQ(Choose(held, &next), std::pair(8, 7));
}

TEST_F(PlacementSearchTest, KeepsRunsOfTheWardensColourAwayFromItsArms) {
    view.goalType = 3;
    Warden(6, 6, 1);
    // Older runes elsewhere keep the arm from being the next to turn to stone.
    for (int k = 0; k < 8; ++k)
        Put(k, 14, 2 + k % 2, -200000 + k * 1000);
    for (auto [x, y] : Arms(6, 6))
        if (x < 6) Put(x, y, 1, -90000);
    // A rune of the warden's colour in line with the finished left arm would clear it.
    const PieceView held = Single(1), next = Single(3);
    const auto [x, y] = Choose(held, &next);
    BoardView after = view;
    PlayMove(after, held, x, y, 0);
    for (auto [ax, ay] : Arms(6, 6)) {
        if (ax < 6) {
            EXPECT_TRUE(after.Occupied(ax, ay))
                << "the arm lost " << ax << "," << ay << " to " << x << "," << y;
        }
    }
}

TEST_F(PlacementSearchTest, BuildsArmsOnlyBehindOlderRunes) {
    // The oldest piece on the board turns to stone first and then to rubble, which no run
    // clears: a first rune in an arm would bar it for good.
    view.goalType = 3;
    Warden(6, 6, 1);
    const PieceView held = Single(1), next = Single(4);
    const std::vector<std::pair<int, int>> arms = Arms(6, 6);
    auto inArm = [&](std::pair<int, int> cell) {
        return std::find(arms.begin(), arms.end(), cell) != arms.end();
    };
    EXPECT_FALSE(inArm(Choose(held, &next))) << "on an empty board";

    for (int k = 0; k < 6; ++k)
        Put(k * 2, 14, 2 + k % 3, -200000 + k * 1000);
    EXPECT_TRUE(inArm(Choose(held, &next))) << "behind six older pieces";
}

TEST_F(PlacementSearchTest, LeavesTheNextPieceAPlace) {
    // A strip of four cells with one cell under its left end: a bar of three still fits after
    // the single only if the single keeps off the middle of the strip.
    for (int x = 0; x < VIEW_SIDE; ++x)
        for (int y = 0; y < VIEW_SIDE; ++y)
            view.kind[x][y] = VIEW_HOLE;
    for (int x = 0; x < 4; ++x)
        view.kind[x][0] = VIEW_EMPTY;
    view.kind[0][1] = VIEW_EMPTY;
    view.goalType = 1;
    view.balls[0] = BallView{1, 10};
    options.shapes = {Single(0), Bar({0, 0, 0})};
    const PieceView held = Single(2), next = Bar({3, 4, 3});
    const auto cell = Choose(held, &next);
    EXPECT_NE(cell, std::pair(1, 0));
    EXPECT_NE(cell, std::pair(2, 0));
}

TEST_F(PlacementSearchTest, FindsNothingWhenThePieceFitsNowhere) {
    // Lone cells, none beside another.
    for (int x = 0; x < VIEW_SIDE; ++x)
        for (int y = 0; y < VIEW_SIDE; ++y)
            view.kind[x][y] = x % 2 == 0 && y % 2 == 0 ? VIEW_EMPTY : VIEW_HOLE;
    EXPECT_FALSE(ChoosePlacement(view, Bar({1, 2}), nullptr, options));
    EXPECT_TRUE(ChoosePlacement(view, Single(1), nullptr, options));
}

} // namespace
} // namespace vsm::tools
