// The campaign player's rules of a move agree with the game's: on boards of runes, stones,
// rubble, holes and a warden whose arms are nearly complete, every legal placement of a piece
// leaves the same cells, the same standing wardens and the same count of cleared cells in the
// player's view as on the game's board, and the player's view refuses exactly what the board
// refuses.
#include "BoardView.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "board/TestRunes.h"
#include "level/TBossManager.h"
#include "magic/CoreGame.h"
#include "platform/Headless.h"
#include "shell/AssembleGame.h"
#include "shell/GameHooks.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace vsm::tools {
namespace {

constexpr int COLOURS = 4;
constexpr int RUBBLE = 13;

class BoardViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseHeadlessBackend();
        // The game's own assembly, its hooks included, as start-up makes it.
        ResetGameGlobals();
        InstallGameHooks();
        // Runes 1..4 of colour classes 1..4, their stones 101..104, and rubble of class 0.
        for (int c = 1; c <= COLOURS; ++c) {
            test::AppendTestRune(std::to_string(c), c, 0, std::to_string(100 + c), "");
            test::AppendTestRune(std::to_string(100 + c), c, 1, std::to_string(RUBBLE), std::to_string(c));
        }
        test::AppendTestRune(std::to_string(RUBBLE), 0, 1, "", "");
    }
    void TearDown() override { ResetCoreGame(); }

    static void Put(int x, int y, int id) {
        board.davarLayer[x][y] = id;
        board.colorLayer[x][y] = davar.getRuneColor(id);
    }

    // A board of holes, runes, stones and rubble without a run, with a warden of colour 1 at
    // (6, 6) whose arms hold its colour but for a few cells.
    void RandomBoard(std::mt19937& random) {
        board.clearBoard();
        std::uniform_int_distribution<int> percent(0, 99), colour(1, COLOURS);
        for (int x = 0; x < BOARD_CELLS; ++x) {
            for (int y = 0; y < BOARD_CELLS; ++y) {
                const int p = percent(random);
                if (p < 5)
                    board.grid[x][y] = 0;
                else if (p < 45)
                    continue;
                else if (p < 50)
                    Put(x, y, RUBBLE);
                else if (p < 60)
                    Put(x, y, 100 + colour(random));
                else
                    Put(x, y, colour(random));
            }
        }
        bossManager.bossDavar.clear();
        for (int x = 6; x <= 7; ++x)
            for (int y = 6; y <= 7; ++y)
                board.grid[x][y] = 1, Put(x, y, 0);
        // The arms hold runes and stones of colour 1 but for one or two cells, and none of the
        // cells around them does, so that the clear below leaves them standing.
        for (int x = 1; x <= 12; ++x)
            for (int y = 1; y <= 12; ++y)
                if (board.colorLayer[x][y] == 1) Put(x, y, 2);
        std::uniform_int_distribution<int> armCell(0, 15);
        const int gap1 = armCell(random), gap2 = percent(random) < 50 ? armCell(random) : gap1;
        int k = 0;
        for (const ArmCell& c : WARDEN_ARM_CELLS) {
            board.grid[6 + c.dx][6 + c.dy] = 1;
            Put(6 + c.dx, 6 + c.dy, k == gap1 || k == gap2 ? 0 : (percent(random) < 20 ? 101 : 1));
            ++k;
        }
        bossManager.bossDavar.push_back(TBossRune::Create(1, 1, 6, 6, ""));
        // The board the player meets never holds a run: clear any the dealing made.
        board.clearMatchingDavar(0);
    }

    static TBlock RandomPiece(std::mt19937& random) {
        static const std::vector<std::vector<std::pair<int, int>>> SHAPES = {
            {{0, 0}},
            {{0, 0}, {1, 0}},
            {{0, 0}, {1, 0}, {2, 0}},
            {{0, 0}, {1, 0}, {0, 1}},
            {{0, 0}, {1, 0}, {0, 1}, {1, 1}}};
        std::uniform_int_distribution<int> shape(0, static_cast<int>(SHAPES.size()) - 1), other(2, COLOURS);
        TBlock piece;
        for (auto [i, j] : SHAPES[static_cast<size_t>(shape(random))]) {
            // Colour 1, the warden's, comes up in half the cells.
            piece.Set[i][j] = random() % 2 == 0 ? 1 : other(random);
            piece.color[i][j] = piece.Set[i][j];
        }
        return piece;
    }
};

TEST_F(BoardViewTest, EveryPlacementLeavesTheBoardTheGameLeaves) {
    std::mt19937 random(2024);
    int placements = 0, clears = 0, wardensWoken = 0;
    for (int round = 0; round < 40; ++round) {
        RandomBoard(random);
        const TBlock piece = RandomPiece(random);
        const PieceView seen = SeePiece(piece);
        int davar0[BOARD_CELLS][BOARD_CELLS], colour0[BOARD_CELLS][BOARD_CELLS];
        std::copy(&board.davarLayer[0][0], &board.davarLayer[0][0] + BOARD_CELLS * BOARD_CELLS,
                  &davar0[0][0]);
        std::copy(&board.colorLayer[0][0], &board.colorLayer[0][0] + BOARD_CELLS * BOARD_CELLS,
                  &colour0[0][0]);
        const auto wardens0 = bossManager.bossDavar;
        const BoardView before = SeeBoard(board);
        for (int d = 0; d < 4; ++d) {
            for (int x = 0; x < BOARD_CELLS; ++x) {
                for (int y = 0; y < BOARD_CELLS; ++y) {
                    SCOPED_TRACE("round " + std::to_string(round) + " at " + std::to_string(x) + "," +
                                 std::to_string(y) + " turned " + std::to_string(d));
                    blocks.direction = d;
                    TBlock copy = piece;
                    const bool fits = Fits(before, seen, x, y, d);
                    ASSERT_EQ(board.placeBlock(&copy, x, y, 0) == 1, fits);
                    if (!fits) continue;
                    ++placements;
                    const int cleared = board.clearMatchingDavar(0);
                    BoardView view = before;
                    const MoveOutcome outcome = PlayMove(view, seen, x, y, d);
                    EXPECT_EQ(outcome.cleared, cleared);
                    EXPECT_EQ(view.wardenCount, static_cast<int>(bossManager.bossDavar.size()));
                    const BoardView after = SeeBoard(board);
                    for (int cx = 0; cx < BOARD_CELLS; ++cx) {
                        for (int cy = 0; cy < BOARD_CELLS; ++cy) {
                            ASSERT_EQ(view.kind[cx][cy], after.kind[cx][cy]) << "cell " << cx << "," << cy;
                            ASSERT_EQ(view.cls[cx][cy], after.cls[cx][cy]) << "cell " << cx << "," << cy;
                        }
                    }
                    clears += cleared > 0 ? 1 : 0;
                    wardensWoken += outcome.wardensBroken;
                    std::copy(&davar0[0][0], &davar0[0][0] + BOARD_CELLS * BOARD_CELLS,
                              &board.davarLayer[0][0]);
                    std::copy(&colour0[0][0], &colour0[0][0] + BOARD_CELLS * BOARD_CELLS,
                              &board.colorLayer[0][0]);
                    bossManager.bossDavar = wardens0;
                }
            }
        }
    }
    // The boards gave every rule something to do.
    EXPECT_GT(placements, 1000);
    EXPECT_GT(clears, 50);
    EXPECT_GT(wardensWoken, 0);
}

TEST_F(BoardViewTest, TheGoalIsMetAsTheGameMeetsIt) {
    BoardView v;
    v.goalType = 1;
    v.balls[0] = BallView{2, 0};
    v.balls[1] = BallView{3, 1};
    EXPECT_FALSE(v.GoalMet());
    v.balls[1].need = 0;
    EXPECT_TRUE(v.GoalMet());

    v.goalType = 2;
    v.kind[4][4] = VIEW_STONE;
    EXPECT_FALSE(v.GoalMet()) << "a stone is a rune to clear";
    v.kind[4][4] = VIEW_EMPTY;
    EXPECT_TRUE(v.GoalMet());

    v.goalType = 3;
    v.wardenCount = 1;
    EXPECT_FALSE(v.GoalMet());
    v.wardenCount = 0;
    EXPECT_TRUE(v.GoalMet());

    v.goalType = 0;
    EXPECT_FALSE(v.GoalMet()) << "a board without a goal is never won";
}

} // namespace
} // namespace vsm::tools
