// The per-frame board update (slide-in, fade-in, run preview), the board image cut from its
// plank, and the drawing of the board and its runes.
#include "board/BoardFixture.h"

#include "board/BoardSeams.h"
#include "board/TStoneEntity.h"
#include "platform/Input.h"
#include "services/GameFlags.h"
#include "services/TSpark.h"

#include <filesystem>

namespace vsm::test {

class BoardUpdateTest : public BoardFixture {
  protected:
    void SetUp() override {
        BoardFixture::SetUp();
        for (const char* id : {"1", "2", "21"}) {
            TRune& r = AddRune(id, id[0] - '0', id[1] != 0, id[1] ? "" : "21");
            r.img = CreateImage(32, 32);
        }
        FullEmptyBoard();
        board.shadow = CreateImage(32, 32);
        board.alpha = 1;
        board.scale = 1;
    }
    // Puts the pointer on the cell (10 px into it, so the mouse cell is that cell).
    void PointAt(int cx, int cy) {
        FrameInput in;
        in.mouseX = board.offsetX + cx * 32 + 10;
        in.mouseY = board.offsetY + cy * 32 + 10;
        control->SetScript({in});
        PollSystem();
    }
};

TEST_F(BoardUpdateTest, SlideWaitsForTheScreenFadeThenEasesIn) {
    board.clearBoard();
    board.typWjazdu = 0;
    guiAlpha = 0.5f;
    board.Update(0);
    EXPECT_FLOAT_EQ(board.wjazd, 1.0f);
    EXPECT_EQ(board.offsetX, 492 - 240 + 600);

    struct Case {
        int typ;
        int dx, dy; // offset from rest at wjazd 0.5
    };
    for (const Case& c : {Case{0, 150, 0}, Case{1, 0, 150}, Case{2, 0, -150}}) {
        SCOPED_TRACE("slide type " + std::to_string(c.typ));
        guiAlpha = 1.0f;
        board.typWjazdu = c.typ;
        board.offsetX = 252;
        board.offsetY = 60;
        board.wjazd = 0.515f;
        board.Update(0);
        EXPECT_NEAR(board.wjazd, 0.5f, 1e-6);
        EXPECT_NEAR(board.offsetX, 252 + c.dx, 1);
        EXPECT_NEAR(board.offsetY, 60 + c.dy, 1);
    }
}

TEST_F(BoardUpdateTest, SlideEndsSnappedAtRestAndTheBoardFadesIn) {
    board.clearBoard();
    board.typWjazdu = 1;
    board.alpha = 0;
    int updates = 0;
    while (board.wjazd > -1 && updates < 100) {
        board.Update(0);
        ++updates;
    }
    EXPECT_EQ(updates, 67);
    EXPECT_FLOAT_EQ(board.wjazd, -1.0f);
    EXPECT_EQ(board.offsetY, 60);
    EXPECT_FLOAT_EQ(board.alpha, 0.05f) << "the fade starts on the same update";
    for (int k = 0; k < 30; ++k)
        board.Update(0);
    EXPECT_EQ(board.alpha, 1.0f) << "exactly 1";
    EXPECT_EQ(board.offsetY, 60);
}

TEST_F(BoardUpdateTest, PreviewLightsTheRunsThePieceWouldMake) {
    Put(3, 5, 1);
    Put(4, 5, 1);
    blocks.actualBlock = Piece({{0, 0}}, 1);
    blocks.direction = blocks.newDir = 0;
    blocks.dirStep = 0;
    board.wjazd = -1;

    PointAt(5, 5); // completes 3, 4, 5 of row 5
    blocks.newMove = 1;
    board.Update(0);
    EXPECT_EQ(blocks.newMove, 0);
    int lit = 0;
    for (int x = 0; x < 15; ++x)
        for (int y = 0; y < 15; ++y)
            lit += board.highlightLayer[x][y] != 0;
    EXPECT_EQ(lit, 3);
    EXPECT_EQ(board.highlightLayer[5][5], 1);
    EXPECT_EQ(board.davarLayer[5][5], 0) << "the trial is taken back";
    EXPECT_EQ(board.colorLayer[5][5], 0);
    EXPECT_NE(blocks.actualBlock, nullptr);

    // While a rotation animates the highlights stay as they were.
    blocks.dirStep = 30;
    PointAt(9, 9);
    blocks.newMove = 1;
    board.Update(0);
    EXPECT_EQ(board.highlightLayer[5][5], 1);

    // A refused position lights nothing.
    blocks.dirStep = 0;
    PointAt(3, 5);
    blocks.newMove = 1;
    board.Update(0);
    EXPECT_EQ(board.highlightLayer[5][5], 0);
    EXPECT_EQ(board.highlightLayer[3][5], 0);
}

TEST_F(BoardUpdateTest, RunesDrawWithShadowAndPetrifyingStone) {
    Put(2, 0, 1);
    Put(1, 1, 2);
    board.davarLayer[0][0] = -4; // nothing for ids of 0 or less
    board.petrifyActive = 1;
    board.petrifyAlpha = 0.25f;
    board.petrifyTable[1][1] = 0;
    board.petrifyTable[2][0] = 1;
    board.alpha = 0.8f;
    control->ClearDrawLog();
    board._drawDavar();
    const auto& calls = control->DrawLog();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].image, board.shadow);
    EXPECT_FLOAT_EQ(calls[0].x, 240 + 64 + 5);
    EXPECT_FLOAT_EQ(calls[0].y, 60 + 4);
    EXPECT_EQ(calls[1].image, davar._findRuneByID("1")->img);
    EXPECT_EQ(calls[2].image, davar._findRuneByID("21")->img) << "the stone fades in over its rune";
    EXPECT_FLOAT_EQ(calls[2].state.alpha, 0.2f);
    EXPECT_FLOAT_EQ(calls[1].state.alpha, 0.8f);
    EXPECT_EQ(calls[4].image, davar._findRuneByID("2")->img) << "rows from the top";
}

TEST_F(BoardUpdateTest, HighlightsSparkleEveryFrameWhileTheyStand) {
    SparkList.Clear();
    board._drawHighlights();
    EXPECT_EQ(SparkList.Count(), 0u);
    board.highlightLayer[3][3] = 1;
    board.highlightLayer[4][3] = 1;
    board._drawHighlights();
    EXPECT_EQ(SparkList.Count(), 2u);
    board.clearHighlights();
    board._drawHighlights();
    EXPECT_EQ(SparkList.Count(), 2u);
}

TEST_F(BoardUpdateTest, DrawOrderLeavesAlphaBlendRotationZeroAndAlphaOne) {
    int helpCalls = 0;
    size_t drawnBeforeHelp = 0;
    boardSeams.bossDrawHelp = [&] {
        ++helpCalls;
        drawnBeforeHelp = control->DrawLog().size();
        return 0;
    };
    board.img = CreateImage(480, 480);
    Put(0, 0, 1);
    board.alpha = 0.6f;
    control->ClearDrawLog();
    board.Draw(0);
    EXPECT_EQ(helpCalls, 1);
    EXPECT_EQ(drawnBeforeHelp, 1u) << "boss marks over the board image, under the runes";
    ASSERT_GE(control->DrawLog().size(), 3u);
    EXPECT_EQ(control->DrawLog()[0].image, board.img);
    EXPECT_FLOAT_EQ(control->DrawLog()[0].state.alpha, 0.6f);
    EXPECT_EQ(GetBlend(), ALPHABLEND);
    EXPECT_FLOAT_EQ(GetRotation(), 0.0f);
    EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);
}

TEST_F(BoardUpdateTest, PreviewBoardDrawsScaledWithoutBossMarksOrFragments) {
    int helpCalls = 0;
    boardSeams.bossDrawHelp = [&] { return ++helpCalls; };
    board.img = CreateImage(480, 480);
    board.scale = 0.40625f;
    board.offsetX = 30;
    Put(0, 0, 1);
    TStoneEntity::Create(5, 5, 0, 0, CreateImage(2, 2));
    control->ClearDrawLog();
    board.DrawSmall();
    EXPECT_EQ(helpCalls, 0);
    ASSERT_EQ(control->DrawLog().size(), 3u) << "board image, shadow, rune";
    EXPECT_EQ(control->DrawLog()[0].image, board.img);
    EXPECT_FLOAT_EQ(control->DrawLog()[0].x, 30);
    EXPECT_FLOAT_EQ(control->DrawLog()[0].state.scaleX, 0.40625f);
    EXPECT_EQ(stonesList.size(), 1u);
}

class BoardImageTest : public BoardFixture {
  protected:
    void SetUp() override {
        BoardFixture::SetUp();
        for (int n = 1; n <= 3; ++n)
            WritePicture("gfx/bg/deski/n/deska-" + std::to_string(n) + ".jpg", 480, 480,
                         0xFF000000u | n * 0x101010u);
        FullEmptyBoard();
    }
    uint32_t Pixel(int x, int y) {
        return board.img->frames[0]->pixels[static_cast<size_t>(y) * board.img->width + x];
    }
};

TEST_F(BoardImageTest, RecentringPutsTheMiddleOfTheShapeOnTheRestPoint) {
    board.createBoardImage(1);
    EXPECT_EQ(board.offsetX, 252);
    EXPECT_EQ(board.offsetY, 60);
    for (int x = 0; x < 15; ++x)
        for (int y = 0; y < 15; ++y)
            board.grid[x][y] = x >= 5 && x <= 8 ? 1 : 0;
    board.tileSize = 20;
    board.createBoardImage(1);
    EXPECT_EQ(board.tileSize, 32);
    EXPECT_EQ(board.offsetX, 268);
    board.offsetX = 5;
    board.createBoardImage(0);
    EXPECT_EQ(board.offsetX, 5) << "without recentring the offsets stay";
}

TEST_F(BoardImageTest, HolesAreTransparentWholeTiles) {
    board.grid[0][0] = 0;
    board.grid[14][14] = 0;
    board.createBoardImage(1);
    ASSERT_NE(board.img, nullptr);
    EXPECT_EQ(board.img->width, 480);
    EXPECT_EQ(board.img->height, 480);
    EXPECT_EQ(Pixel(0, 0) >> 24, 0u);
    EXPECT_EQ(Pixel(31, 31) >> 24, 0u);
    EXPECT_EQ(Pixel(32, 0) >> 24, 0xFFu);
    EXPECT_EQ(Pixel(479, 479) >> 24, 0u);
    EXPECT_EQ(Pixel(447, 479) >> 24, 0xFFu);
    EXPECT_EQ(board.pix2, nullptr);
    EXPECT_NE(board.pix, nullptr);
}

TEST_F(BoardImageTest, PlankCyclesWithTheQuestPosition) {
    const std::pair<int, int> cases[] = {{0, 1}, {3, 1}, {6, 1},  {1, 2}, {4, 2},
                                         {2, 3}, {5, 3}, {-1, 3}, {-3, 1}};
    for (auto [seq, plank] : cases) {
        SCOPED_TRACE("position " + std::to_string(seq));
        log.seqNo = seq;
        board.createBoardImage(1);
        EXPECT_EQ(board.pixName, "gfx/bg/deski/n/deska-" + std::to_string(plank) + ".jpg");
        EXPECT_EQ(Pixel(100, 100) & 0xFFFFFFu, static_cast<uint32_t>(plank) * 0x101010u);
    }
}

TEST_F(BoardImageTest, MissingOrSmallPlankLeavesPlayableCellsOpaque) {
    std::filesystem::remove(resources + "gfx/bg/deski/n/deska-1.jpg");
    board.grid[7][7] = 0;
    board.createBoardImage(1);
    ASSERT_NE(board.img, nullptr);
    EXPECT_EQ(board.img->width, 480);
    EXPECT_EQ(Pixel(10, 10) >> 24, 0xFFu) << "a playable cell must not look like a hole";
    EXPECT_EQ(Pixel(479, 479) >> 24, 0xFFu);
    EXPECT_EQ(Pixel(7 * 32 + 3, 7 * 32 + 3) >> 24, 0u);

    // A plank of 100 x 50 pixels, one with see-through pixels among them.
    WritePicture("gfx/bg/deski/n/deska-1.jpg", 100, 50, 0x80123456u);
    board.createBoardImage(1);
    ASSERT_NE(board.img, nullptr);
    EXPECT_EQ(board.img->width, 480);
    EXPECT_EQ(board.img->height, 480);
    EXPECT_EQ(Pixel(10, 10), 0xFF123456u);
    EXPECT_EQ(Pixel(99, 49), 0xFF123456u);
    EXPECT_EQ(Pixel(100, 10) >> 24, 0xFFu) << "beyond the plank's width";
    EXPECT_EQ(Pixel(10, 50) >> 24, 0xFFu) << "below the plank";
    EXPECT_EQ(Pixel(100, 10), Pixel(400, 400)) << "one plain fill";
    EXPECT_EQ(Pixel(7 * 32 + 3, 7 * 32 + 3) >> 24, 0u);
}

TEST_F(BoardImageTest, PreviewImageKeepsOffsetsAndUsesTheNormalShadow) {
    board._s1 = CreateImage(32, 32);
    board.offsetX = 17;
    board.tileSize = 13;
    board.createSmallBoardImage();
    EXPECT_EQ(board.tileSize, 32);
    EXPECT_EQ(board.offsetX, 17);
    EXPECT_EQ(board.shadow, board._s1);
    EXPECT_EQ(board.img->width, 480);
}

} // namespace vsm::test
