// Placement of a piece, the game-over search, the mouse cell and the pointer-over-board test.
#include "board/BoardFixture.h"

#include "platform/Input.h"
#include "services/TMouse.h"

namespace vsm::test {

class PlacementTest : public BoardFixture {
  protected:
    void SetUp() override {
        BoardFixture::SetUp();
        AddRune("1", 1);
        AddRune("21", 1, 1, "", "1"); // a stone
        FullEmptyBoard();
    }
    // The cells a piece covers after a trial placement at (x, y) in rotation d.
    std::vector<std::pair<int, int>> Covered(const BlockPtr& piece, int x, int y, int d) {
        blocks.direction = d;
        std::vector<std::pair<int, int>> cells;
        if (board.placeBlock(piece.get(), x, y, 0) == 0) return cells;
        for (int cy = 0; cy < 15; ++cy)
            for (int cx = 0; cx < 15; ++cx)
                if (board.davarLayer[cx][cy] != 0) cells.emplace_back(cx, cy);
        FullEmptyBoard();
        return cells;
    }
};

TEST_F(PlacementTest, BarOfThreeCoversTheRotatedCellsAboutItsOrigin) {
    BlockPtr bar = Piece({{0, 0}, {1, 0}, {2, 0}}, 1);
    struct Case {
        int d;
        std::vector<std::pair<int, int>> cells; // sorted by row, then column
    };
    const Case cases[] = {
        {0, {{5, 5}, {6, 5}, {7, 5}}},
        {1, {{5, 5}, {5, 6}, {5, 7}}},
        {2, {{3, 5}, {4, 5}, {5, 5}}},
        {3, {{5, 3}, {5, 4}, {5, 5}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("rotation " + std::to_string(c.d));
        EXPECT_EQ(Covered(bar, 5, 5, c.d), c.cells);
    }
}

TEST_F(PlacementTest, EveryFilledCellMustLandOnAnEmptyFreeBoardCell) {
    BlockPtr pair = Piece({{0, 0}, {1, 0}}, 1);
    struct Case {
        const char* name;
        int x, y;
        void (*prepare)(NeighbourLog&);
        int expected;
    };
    const Case cases[] = {
        {"free cells", 3, 3, [](NeighbourLog&) {}, 1},
        {"second cell in column 15", 14, 3, [](NeighbourLog&) {}, 0},
        {"origin in row -1", 3, -1, [](NeighbourLog&) {}, 0},
        {"over a hole", 3, 3, [](NeighbourLog&) { board.grid[4][3] = 0; }, 0},
        {"over a rune", 3, 3, [](NeighbourLog&) { board.davarLayer[4][3] = 1; }, 0},
        {"over a stone", 3, 3, [](NeighbourLog&) { board.davarLayer[4][3] = 21; }, 0},
        {"under a boss rune", 3, 3,
         [](NeighbourLog& l) {
             l.bossCells = {{4, 3}};
         },
         0},
        {"a negative id counts as empty", 3, 3, [](NeighbourLog&) { board.davarLayer[4][3] = -2; }, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FullEmptyBoard();
        log.bossCells.clear();
        c.prepare(log);
        control->ClearSoundLog();
        blocks.direction = 0;
        EXPECT_EQ(board.placeBlock(pair.get(), c.x, c.y, 0), c.expected);
        EXPECT_EQ(Plays("niemozna-postawic1.ogg"), 0); // a trial is silent either way
    }
}

TEST_F(PlacementTest, EmptyTemplateCellsMayHangOutsideTheBoard) {
    // Filled only at (0, 0): the other fifteen cells would lie beyond row and column 14.
    BlockPtr single = Piece({{0, 0}}, 1);
    blocks.direction = 0;
    EXPECT_EQ(board.placeBlock(single.get(), 14, 14, 0), 1);
    EXPECT_EQ(board.davarLayer[14][14], 1);
}

TEST_F(PlacementTest, RealMoveCommitsReleasesSoundsAndCountsOnce) {
    blocks.actualBlock = Piece({{0, 0}, {0, 1}, {1, 1}}, 1);
    control->SetClock(4321);
    EXPECT_EQ(board.placeBlock(nullptr, 2, 2, 1), 1);
    EXPECT_EQ(blocks.actualBlock, nullptr);
    EXPECT_EQ(Plays("put-new1.ogg"), 1);
    EXPECT_EQ(log.usedBlocks, 1);
    for (auto [x, y] : {std::pair{2, 2}, {2, 3}, {3, 3}}) {
        EXPECT_EQ(board.davarLayer[x][y], 1);
        EXPECT_EQ(board.colorLayer[x][y], 1);
        EXPECT_EQ(board.timerLayer[x][y], 4321);
    }
    EXPECT_EQ(board.davarLayer[3][2], 0);
}

TEST_F(PlacementTest, RefusedRealMovePlaysNoPlaceAndChangesNothing) {
    blocks.actualBlock = Piece({{0, 0}, {1, 0}}, 1);
    board.grid[6][2] = 0;
    EXPECT_EQ(board.placeBlock(nullptr, 5, 2, 1), 0);
    EXPECT_NE(blocks.actualBlock, nullptr);
    EXPECT_EQ(Plays("niemozna-postawic1.ogg"), 1);
    EXPECT_EQ(Plays("put-new1.ogg"), 0);
    EXPECT_EQ(board.davarLayer[5][2], 0);
    EXPECT_EQ(log.usedBlocks, 0);
}

TEST_F(PlacementTest, TrialMoveWritesLayersButKeepsThePiece) {
    blocks.actualBlock = Piece({{0, 0}}, 1);
    EXPECT_EQ(board.placeBlock(nullptr, 7, 7, 0), 1);
    EXPECT_EQ(board.davarLayer[7][7], 1);
    EXPECT_NE(blocks.actualBlock, nullptr);
    EXPECT_EQ(log.usedBlocks, 0);
    EXPECT_EQ(Plays("put-new1.ogg"), 0);
}

TEST_F(PlacementTest, NoHeldPieceIsRefusedSilently) {
    EXPECT_EQ(board.placeBlock(nullptr, 3, 3, 1), 0);
    EXPECT_EQ(Plays("niemozna-postawic1.ogg"), 0);
}

TEST_F(PlacementTest, MinusOneTakesTheMouseCell) {
    blocks.actualBlock = Piece({{0, 0}}, 1);
    // Column: 240 + 3*32 + 10 lies 10 px into column 3; row: 60 + 5*32 + 20 lies 20 px into
    // row 5, past the 15-pixel rule, so row 6.
    FrameInput pointer;
    pointer.mouseX = 240 + 3 * 32 + 10;
    pointer.mouseY = 60 + 5 * 32 + 20;
    control->SetScript({pointer});
    PollSystem();
    EXPECT_EQ(board.placeBlock(nullptr, -1, -1, 1), 1);
    EXPECT_EQ(board.davarLayer[3][6], 1);
}

TEST_F(PlacementTest, GameOverSearchesEveryRotationAndOrigin) {
    // Only the bottom-right corner cell and its left and upper neighbours are free.
    for (int x = 0; x < 15; ++x)
        for (int y = 0; y < 15; ++y)
            board.davarLayer[x][y] = 1;
    board.davarLayer[14][14] = 0;
    board.davarLayer[14][13] = 0;
    board.davarLayer[13][14] = 0;
    // The corner (0,0), (1,0), (0,1) fits there only turned twice, pointing left and up.
    blocks.actualBlock = Piece({{0, 0}, {1, 0}, {0, 1}}, 1);
    board.checkGameOver();
    EXPECT_EQ(board.gameOver, 0);

    // A bar of three fits nowhere on the same board.
    board.gameOver = 0;
    blocks.actualBlock = Piece({{0, 0}, {1, 0}, {2, 0}}, 1);
    board.checkGameOver();
    EXPECT_EQ(board.gameOver, 1);
}

TEST_F(PlacementTest, GameOverFindsAFitOnlyInRotationThree) {
    // Only (14, 14) and (14, 13) are free: a vertical pair upward from (14, 14), which is
    // rotation 3 of the pair (0,0), (1,0).
    for (int x = 0; x < 15; ++x)
        for (int y = 0; y < 15; ++y)
            board.grid[x][y] = 0;
    board.grid[14][14] = 1;
    board.grid[14][13] = 1;
    blocks.actualBlock = Piece({{0, 0}, {1, 0}}, 1);
    board.gameOver = 1;
    board.checkGameOver();
    EXPECT_EQ(board.gameOver, 0);
}

TEST_F(PlacementTest, GameOverVerdictWithTimeOverAndWithoutPiece) {
    blocks.actualBlock = Piece({{0, 0}}, 1);
    log.timeOver = 1;
    board.checkGameOver();
    EXPECT_EQ(board.gameOver, 1) << "time over ends the level although the piece fits";

    log.timeOver = 0;
    blocks.actualBlock = nullptr;
    board.gameOver = 1;
    board.checkGameOver();
    EXPECT_EQ(board.gameOver, 1) << "no held piece keeps the previous verdict";
    board.gameOver = 0;
    board.checkGameOver();
    EXPECT_EQ(board.gameOver, 0);
}

TEST_F(PlacementTest, MouseCellUsesTheFifteenPixelRule) {
    board.offsetX = 100;
    board.offsetY = 100;
    const std::pair<int, int> cases[] = {{116, 0}, {117, 1},           {99, 0},
                                         {68, -1}, {100 + 32 + 16, 1}, {100 + 32 + 17, 2}};
    for (auto [px, column] : cases) {
        SCOPED_TRACE("pointer x " + std::to_string(px));
        EXPECT_EQ(blocks.getXR(px), column);
        EXPECT_EQ(blocks.getYR(px), column);
        EXPECT_EQ(blocks.getX(px), column * 32 + 100);
    }
}

TEST_F(PlacementTest, MouseOnBoardReachesOneCellPastTheShape) {
    for (int x = 0; x < 15; ++x)
        for (int y = 0; y < 15; ++y)
            board.grid[x][y] = 0;
    board.grid[5][5] = 1;
    board.wjazd = -1;
    auto at = [](int cx, int cy) {
        mouse.x = 240 + cx * 32 + 3;
        mouse.y = 60 + cy * 32 + 3;
        return board.MouseOnBoard();
    };
    EXPECT_EQ(at(5, 5), 1);
    EXPECT_EQ(at(5, 4), 1) << "hole touching the cell orthogonally";
    EXPECT_EQ(at(6, 5), 1);
    EXPECT_EQ(at(6, 6), 0) << "hole touching it only diagonally";
    EXPECT_EQ(at(15, 5), 0);
    board.wjazd = 0.5f;
    EXPECT_EQ(at(5, 5), 0) << "still sliding in";
}

TEST_F(PlacementTest, ExtentAndMiddle) {
    struct Case {
        const char* name;
        int minx, maxx; // columns holding cells; -1 for none
        int width, middle;
    };
    const Case cases[] = {
        {"full row", 0, 14, 15, 240},
        {"four wide from column 5", 5, 8, 4, 224},
        {"one column", 3, 3, 1, 112},
        {"no cell", -1, -1, 0, 14 * 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int x = 0; x < 15; ++x)
            for (int y = 0; y < 15; ++y)
                board.grid[x][y] = (c.minx >= 0 && x >= c.minx && x <= c.maxx) ? 1 : 0;
        EXPECT_EQ(board.getWidth(), c.width);
        EXPECT_EQ(board.getHeight(), c.width == 0 ? 0 : 15);
        EXPECT_EQ(board.GetMiddleX(), c.middle);
    }
}

} // namespace vsm::test
