// Dealing, rotating, marking, freezing and drawing the held and next piece.
#include "board/BoardFixture.h"

#include "board/BoardSeams.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "services/GameFlags.h"
#include "services/TDeltaTime.h"
#include "services/TMouse.h"

#include <set>

namespace vsm::test {

class PiecesTest : public BoardFixture {
  protected:
    void SetUp() override {
        BoardFixture::SetUp();
        for (const char* id : {"1", "2"}) {
            TRune& r = AddRune(id, id[0] - '0');
            r.img = CreateImage(32, 32);
            r.img2 = CreateImage(40, 40);
        }
        AddTemplate("bar3", {{0, 0}, {1, 0}, {2, 0}});
        AddTemplate("one", {{0, 0}});
        AddTemplate("row4", {{0, 1}, {1, 1}, {2, 1}, {3, 1}});
        FullEmptyBoard();
        delta = 1.0;
    }
    void AddTemplate(const std::string& id, const std::vector<std::pair<int, int>>& cells) {
        auto t = std::make_shared<TBlock>();
        t->id = id;
        t->pieces = static_cast<int>(cells.size());
        for (auto [x, y] : cells)
            t->Set[x][y] = 1;
        blocks.List.push_back(t);
    }
    // Cells of a piece as (i, j) pairs.
    static std::set<std::pair<int, int>> Cells(const TBlock& b) {
        std::set<std::pair<int, int>> out;
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                if (b.Set[i][j] != 0) out.emplace(i, j);
        return out;
    }
    void Hold(const BlockPtr& piece) {
        blocks.actualBlock = piece;
        blocks.blockFormed = 1;
        blocks.formStep = 0;
        blocks.blockAlpha = 1.0f;
        blocks.direction = blocks.newDir = 0;
        blocks.dirStep = blocks.dirAngle = 0;
    }
};

TEST_F(PiecesTest, LevelListsKeepKnownTemplatesAndRunes) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(blocks.setAvailableBlocks("bar3  nope one"), 1);
    EXPECT_EQ(blocks.availableBlocks, (std::vector<std::string>{"bar3", "one"}));
    EXPECT_EQ(blocks.setAvailableBlocks("nope"), 0);
    EXPECT_TRUE(blocks.availableBlocks.empty());
    EXPECT_EQ(blocks.setAvailableBlocks(""), 0);
    // Empty entries stay (they deal empty cells); ids the catalogue lacks go.
    EXPECT_EQ(blocks.setAvailableDavar("1  2 77"), 1);
    EXPECT_EQ(blocks.availableDavar, (std::vector<std::string>{"1", "", "2"}));
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("\"nope\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"77\""), std::string::npos) << out;
}

TEST_F(PiecesTest, RuneListsWithoutAKnownRuneAreRefusedAndDealNothing) {
    blocks.setAvailableBlocks("one");
    for (const char* list : {"", " ", "   ", "77", "77  88", "01"}) {
        SCOPED_TRACE(std::string("\"") + list + "\"");
        testing::internal::CaptureStdout();
        EXPECT_EQ(blocks.setAvailableDavar(list), 0);
        EXPECT_TRUE(blocks.availableDavar.empty());
        EXPECT_EQ(blocks._buildNextBlock(), nullptr);
        testing::internal::GetCapturedStdout();
    }
}

TEST_F(PiecesTest, DealingDrawsTemplatesAndRunesFromTheLevelLists) {
    blocks.setAvailableBlocks("bar3 one");
    blocks.setAvailableDavar("1 2");
    const std::set<std::pair<int, int>> bar = {{0, 0}, {1, 0}, {2, 0}}, one = {{0, 0}};
    std::set<int> runes;
    int bars = 0, ones = 0;
    SeedRnd(7);
    for (int k = 0; k < 200; ++k) {
        BlockPtr p = blocks._buildNextBlock();
        ASSERT_NE(p, nullptr);
        auto cells = Cells(*p);
        ASSERT_TRUE(cells == bar || cells == one);
        (cells == bar ? bars : ones)++;
        for (auto [i, j] : cells) {
            runes.insert(p->Set[i][j]);
            EXPECT_EQ(p->color[i][j], p->Set[i][j]) << "colour from the catalogue";
        }
        EXPECT_EQ(blocks.prevBlocks[0], p->Set[cells.rbegin()->first][0]) << "the last rune dealt";
    }
    EXPECT_GT(bars, 50);
    EXPECT_GT(ones, 50);
    EXPECT_EQ(runes, (std::set<int>{1, 2}));

    // The same seed deals the same pieces.
    auto deal = [&] {
        SeedRnd(99);
        std::vector<int> seq;
        for (int k = 0; k < 10; ++k) {
            BlockPtr p = blocks._buildNextBlock();
            for (int i = 0; i < 4; ++i)
                seq.push_back(p->Set[i][0]);
        }
        return seq;
    };
    EXPECT_EQ(deal(), deal());
}

TEST_F(PiecesTest, EmptyRuneEntryBesideARuneDealsAnEmptyCell) {
    blocks.setAvailableBlocks("one");
    blocks.setAvailableDavar(" 1");
    int empty = 0, runes = 0;
    SeedRnd(3);
    for (int k = 0; k < 40; ++k) {
        BlockPtr p = blocks._buildNextBlock();
        ASSERT_NE(p, nullptr);
        if (Cells(*p).empty()) {
            ++empty;
            EXPECT_EQ(blocks.prevBlocks[0], 0);
        } else {
            ++runes;
        }
    }
    EXPECT_GT(empty, 0);
    EXPECT_GT(runes, 0);
}

TEST_F(PiecesTest, NothingToDealLeavesNoPiece) {
    testing::internal::CaptureStdout();
    blocks.setAvailableBlocks("bar3");
    blocks.setAvailableDavar("");
    EXPECT_EQ(blocks._buildNextBlock(), nullptr);
    blocks.buildNextBlock();
    EXPECT_EQ(blocks.actualBlock, nullptr);
    EXPECT_EQ(blocks.nextBlock, nullptr);
    blocks.availableDavar = {"1"};
    blocks.availableBlocks = {"gone"}; // a list written past the filter
    EXPECT_EQ(blocks._buildNextBlock(), nullptr);
    control->ClearDrawLog();
    blocks.DrawNextBlock(107, 105);
    EXPECT_TRUE(control->DrawLog().empty());
    std::string out = testing::internal::GetCapturedStdout();
    size_t lines = 0;
    for (size_t at = out.find("Pieces: nothing to deal"); at != std::string::npos;
         at = out.find("Pieces: nothing to deal", at + 1))
        ++lines;
    EXPECT_EQ(lines, 1u) << "said once, not every frame";
}

TEST_F(PiecesTest, BuildNextBlockMovesTheNextPieceIntoTheHand) {
    blocks.setAvailableBlocks("row4");
    blocks.setAvailableDavar("1");
    blocks.buildNextBlock();
    ASSERT_NE(blocks.actualBlock, nullptr);
    ASSERT_NE(blocks.nextBlock, nullptr);
    EXPECT_NE(blocks.actualBlock, blocks.nextBlock);
    EXPECT_FLOAT_EQ(blocks.nextBlockWidth, 4);
    EXPECT_FLOAT_EQ(blocks.nextBlockHeight, 1);
    BlockPtr next = blocks.nextBlock;
    blocks.buildNextBlock();
    EXPECT_EQ(blocks.actualBlock, next);
    EXPECT_EQ(blocks.newMove, 1);
    EXPECT_EQ(blocks.blockFormed, 0);
}

TEST_F(PiecesTest, RotationTurnsAQuarterInFifteenFramesWithItsSound) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> cells;
        int d, direction, angle, sounds;
    };
    const Case cases[] = {
        {"clockwise pair", {{0, 0}, {1, 0}}, 1, 1, 90, 1},
        {"counter-clockwise pair", {{0, 0}, {1, 0}}, -1, 3, 270, 1},
        {"single cell turns silently", {{0, 0}}, 1, 1, 90, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        control->ClearSoundLog();
        Hold(Piece(c.cells, 1));
        blocks.rotateBlock(c.d);
        blocks.rotateBlock(c.d); // ignored: a turn is running
        EXPECT_EQ(blocks.newDir, c.direction);
        for (int frame = 0; frame < 14; ++frame)
            blocks.updateBlock(-1, -1);
        EXPECT_EQ(blocks.direction, 0) << "still turning after 14 frames";
        blocks.newMove = 0;
        blocks.updateBlock(-1, -1);
        EXPECT_EQ(blocks.direction, c.direction);
        EXPECT_EQ(blocks.dirAngle, c.angle);
        EXPECT_EQ(blocks.dirStep, 0);
        EXPECT_EQ(blocks.newMove, 1);
        EXPECT_EQ(Plays("playgame-szur1.ogg"), c.sounds);
    }
    blocks.actualBlock = nullptr;
    blocks.rotateBlock(1);
    EXPECT_EQ(blocks.newDir, blocks.direction) << "no piece, no turn";
}

TEST_F(PiecesTest, FormInTakesSixteenUpdates) {
    blocks.setAvailableBlocks("one");
    blocks.setAvailableDavar("1");
    blocks.buildNextBlock();
    for (int frame = 0; frame < 15; ++frame)
        blocks.updateBlock(-1, -1);
    EXPECT_EQ(blocks.blockFormed, 0);
    EXPECT_FLOAT_EQ(blocks.blockAlpha, 1.0f);
    blocks.updateBlock(-1, -1);
    EXPECT_EQ(blocks.blockFormed, 1);
    EXPECT_EQ(blocks.formStep, 0);
}

TEST_F(PiecesTest, UpdateMarksEachCellAndNoticesAMove) {
    Hold(Piece({{0, 0}, {1, 0}}, 1));
    board.grid[6][4] = 0;
    blocks.oldX = 5;
    blocks.oldY = 4;
    blocks.newMove = 0;
    blocks.updateBlock(5, 4);
    EXPECT_EQ(blocks.newMove, 0);
    EXPECT_EQ(blocks.actualBlock->placeable[0][0], 1);
    EXPECT_EQ(blocks.actualBlock->placeable[1][0], 0);
    EXPECT_EQ(blocks.actualBlock->placeable[3][3], 1) << "empty cells never block";
    blocks.updateBlock(4, 4);
    EXPECT_EQ(blocks.newMove, 1);
    EXPECT_EQ(blocks.oldX, 4);
    EXPECT_EQ(blocks.actualBlock->placeable[1][0], 1);
}

TEST_F(PiecesTest, FreezeHoldsTheNextPiece) {
    control->SetClock(10000);
    EXPECT_EQ(blocks.IsFreze(), 0);
    blocks.Freze(2000);
    control->SetClock(10500);
    EXPECT_EQ(blocks.IsFreze(), 1);
    EXPECT_EQ(blocks.ToDefreze(), 1500);
    blocks.Freze(1000);
    EXPECT_EQ(blocks.ToDefreze(), 1500) << "a shorter freeze changes nothing";
    blocks.Freze(2000);
    EXPECT_EQ(blocks.ToDefreze(), 2000) << "a longer one restarts it";
    control->SetClock(12500);
    EXPECT_EQ(blocks.IsFreze(), 1);
    control->SetClock(12501);
    EXPECT_EQ(blocks.IsFreze(), 0);

    blocks.Freze(3000);
    blocks.Freze(-1);
    EXPECT_EQ(blocks.IsFreze(), 0) << "-1 lifts a running freeze";

    // Past the 31-bit clock the freeze still ends on time.
    constexpr int64_t wrap = int64_t{1} << 31;
    control->SetClock(wrap - 500);
    blocks.Freze(1000);
    control->SetClock(wrap + 500);
    EXPECT_EQ(blocks.IsFreze(), 1);
    EXPECT_EQ(blocks.ToDefreze(), 0);
    control->SetClock(wrap + 501);
    EXPECT_EQ(blocks.IsFreze(), 0);
}

TEST_F(PiecesTest, NextPiecePreviewScale) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> cells;
        int tile;
        float scale;
        float firstX; // 107 less half the piece's width in tiles x tile x scale, truncated
    };
    const Case cases[] = {
        {"a full row of four", {{0, 1}, {1, 1}, {2, 1}, {3, 1}}, 32, 0.5f, 75},    // 107 - 4 x 32 x 0.5 / 2
        {"a full row at tile 40", {{0, 1}, {1, 1}, {2, 1}, {3, 1}}, 40, 0.4f, 75}, // 107 - 4 x 40 x 0.4 / 2
        {"a bar of three", {{0, 0}, {1, 0}, {2, 0}}, 32, 0.6f, 78},                // 107 - 28.8
        {"a bar of three at tile 40", {{0, 0}, {1, 0}, {2, 0}}, 40, 0.48f, 78},    // 107 - 28.8
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        board.tileSize = c.tile;
        blocks.nextBlock = Piece(c.cells, 1);
        blocks.nextBlockWidth = blocks.nextBlockHeight = 0;
        blocks.blockFormed = 1;
        blocks.blockAlpha = 1.0f;
        control->ClearDrawLog();
        blocks.DrawNextBlock(107, 105);
        ASSERT_EQ(control->DrawLog().size(), 2 * c.cells.size()) << "rune and its light pass per cell";
        EXPECT_FLOAT_EQ(control->DrawLog()[0].state.scaleX, c.scale);
        // Centred: the first cell starts half the piece's measured size left of the centre.
        EXPECT_FLOAT_EQ(control->DrawLog()[0].x, c.firstX);
        float sx, sy;
        GetScale(sx, sy);
        EXPECT_FLOAT_EQ(sx, 1.0f);
    }
    popUpIsOn = 1;
    control->ClearDrawLog();
    blocks.DrawNextBlock(107, 105);
    EXPECT_TRUE(control->DrawLog().empty()) << "hidden under a popup";
}

TEST_F(PiecesTest, HeldPieceShowsItsGhostAndMarksCellsThatCannotBePlaced) {
    board.wjazd = -1;
    board.grid[6][4] = 0; // the second cell cannot land
    mouse.x = 240 + 5 * 32 + 4;
    mouse.y = 60 + 4 * 32 + 4;
    FrameInput pointer;
    pointer.mouseX = mouse.x;
    pointer.mouseY = mouse.y;
    control->SetScript({pointer});
    PollSystem();
    Hold(Piece({{0, 0}, {1, 0}}, 1));
    blocks.updateBlock(-1, -1);
    control->ClearDrawLog();
    blocks.drawBlock(0, 0);
    std::vector<ImagePtr> drawn;
    for (const DrawCall& call : control->DrawLog())
        drawn.push_back(call.image);
    ImagePtr rune = davar._findRuneByID("1")->img;
    // Ghost pass: the ghost on the free cell, nothing on the blocked one; then the piece at the
    // pointer: the free rune and its light pass, the blocked rune with the X mark.
    EXPECT_EQ(drawn, (std::vector<ImagePtr>{blocks.gImg, rune, rune, rune, blocks.xImg}));
    EXPECT_FLOAT_EQ(control->DrawLog()[0].x, 240 + 5 * 32);
}

} // namespace vsm::test
