// The board's frame drawn with the game's own frame art on the real backend: it lies on the open
// cells round the board and covers no pixel of a playable cell, whatever the board's shape.
#include "board/TBoardManager.h"
#include "magic/CoreGame.h"
#include "shell/AssembleGame.h"
#include "shell/GameHooks.h"
#include "platform/Graphics.h"
#include "platform/Headless.h"
#include "platform/Platform.h"
#include "services/Paths.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vsm::test {
namespace {

// A colour that neither the planks nor the frame art holds.
constexpr uint32_t BACKGROUND = 0x00FF00u;

class BoardFrameGl : public ::testing::Test {
  protected:
    void SetUp() override {
        UseRealBackend();
        // The game's own assembly, its hooks included, as start-up makes it.
        ResetGameGlobals();
        InstallGameHooks();
        // Steered: the built resources, whose frame pictures the test draws.
        bDir = ResourcesDir();
        std::string error;
        ASSERT_TRUE(Graphics(800, 600, 0, 60, &error)) << error;
        ResetDrawState();
        SetClsColor(0, 255, 0);
        board.loadBoardGfx();
    }
    void TearDown() override {
        EndGraphics();
        ResetCoreGame();
    }

    // The play board of this shape ('#' a board cell), resting where the game puts it, drawn
    // over the plain background with or without its frame.
    PixmapPtr Drawn(const std::vector<std::string>& rows, bool withFrame) {
        for (int x = 0; x < BOARD_CELLS; ++x)
            for (int y = 0; y < BOARD_CELLS; ++y)
                board.grid[x][y] = y < static_cast<int>(rows.size()) &&
                                   x < static_cast<int>(rows[static_cast<size_t>(y)].size()) &&
                                   rows[static_cast<size_t>(y)][static_cast<size_t>(x)] == '#';
        board.buildFrame();
        if (!withFrame) board.Frame.clear();
        board.createBoardImage(1);
        board.alpha = 1.0f;
        board.scale = 1.0f;
        ResetDrawState();
        Cls();
        board.Draw(0);
        return GrabPixmap(0, 0, 800, 600);
    }

    static bool Playable(int x, int y) {
        return x >= 0 && y >= 0 && x < 15 && y < 15 && board.grid[x][y] > 0;
    }
};

TEST_F(BoardFrameGl, TheFrameLiesOnTheOpenCellsRoundTheBoardAndCoversNoRune) {
    const struct {
        const char* name;
        std::vector<std::string> rows;
    } shapes[] = {
        {"full board", std::vector<std::string>(15, "###############")},
        {"cross",
         {"", "", "", ".....####", ".....####", "...########", "...########", "...########", "...########",
          ".....####", ".....####"}},
        {"square holes",
         {"", "", "..###########", "..###########", "..##..###..##", "..##..###..##", "..###########",
          "..###########", "..###########", "..##..###..##", "..##..###..##", "..###########",
          "..###########"}},
        {"steps and a notch", {"###", "####", "#####", "##.###", "######"}},
    };
    for (const auto& shape : shapes) {
        SCOPED_TRACE(shape.name);
        const PixmapPtr plain = Drawn(shape.rows, false);
        const PixmapPtr framed = Drawn(shape.rows, true);
        ASSERT_TRUE(plain && framed);
        ASSERT_FALSE(board.Frame.empty());
        const int t = board.tileSize;

        // Not one pixel of a board cell changes when the frame is drawn.
        int covered = 0;
        for (int x = 0; x < BOARD_CELLS; ++x)
            for (int y = 0; y < BOARD_CELLS; ++y) {
                if (!Playable(x, y)) continue;
                for (int py = 0; py < t; ++py)
                    for (int px = 0; px < t; ++px) {
                        const int sx = board.offsetX + x * t + px, sy = board.offsetY + y * t + py;
                        if (ReadPixel(plain, sx, sy) != ReadPixel(framed, sx, sy)) ++covered;
                    }
            }
        EXPECT_EQ(covered, 0) << "frame pixels over playable cells";

        // Every cell that a frame piece stands on is filled by it, edge to edge: no background
        // shows between the frame and the board.
        for (const FrameElementPtr& e : board.Frame) {
            const bool down = e->side == FRAME_LEFT || e->side == FRAME_RIGHT;
            const bool across = e->side == FRAME_TOP || e->side == FRAME_BOTTOM;
            const int cells = down || across ? e->Size : 1;
            int bare = 0;
            for (int k = 0; k < cells; ++k) {
                const int cx = e->x + (across ? k : 0), cy = e->y + (down ? k : 0);
                for (int py = 0; py < t; ++py)
                    for (int px = 0; px < t; ++px)
                        if ((ReadPixel(framed, board.offsetX + cx * t + px, board.offsetY + cy * t + py) &
                             0xFFFFFFu) == BACKGROUND)
                            ++bare;
            }
            EXPECT_EQ(bare, 0) << "background inside the frame piece of side " << e->side << " at (" << e->x
                               << ", " << e->y << ")";
        }
    }
}

} // namespace
} // namespace vsm::test
