// Tests of the board preview: where the selected board is found, how it is centred and the fade
// between selections.
#include "boardlists/BoardListsFixture.h"

#include "board/TRuneManager.h"

#include <sys/stat.h>

#include <algorithm>
#include <vector>

namespace vsm::test {
namespace {

// offsetX of a preview whose cells are columns x0..x1 (13-pixel tiles centred on 490).
int PreviewX(int x0, int x1) {
    return 490 - static_cast<int>((x0 + (x1 - x0 + 1) / 2.0) * 13);
}

class PreviewTest : public BoardListsFixture {
  protected:
    // Selects the single entry and loads it; returns the board's offsetX afterwards.
    int Preview(const std::string& entry) {
        boardSelector.levels = {entry};
        boardSelector.selectedLevel = 0;
        boardSelector.LoadMiniBoard();
        return board.offsetX;
    }
};

TEST_F(PreviewTest, TheSelectedBoardIsFoundInTheArchiveUnderItsAliasOrOnDisk) {
    Levels({{"level_a.tsc", BoardDocument(2, 6, 0, 14)}, {"lp-b.tsc", BoardDocument(0, 3, 0, 14)}});
    const std::string disk = resources + "user/custom-levels/";
    WriteText(disk + "own.tsc", BoardDocument(4, 13, 0, 14));
    WriteText(disk + "lp-d.tsc", BoardDocument(1, 1, 0, 14));
    WriteText(disk + "broken.tsc", "Board{ Line1=\"1 ");
    std::filesystem::create_directories(disk + "folder.tsc");

    const int untouched = -77;
    struct Case {
        std::string entry;
        int offsetX;
    } cases[] = {
        {"level_a.tsc", 432}, // columns 2 to 6: 490 - trunc(4.5 x 13)
        {"level_b.tsc", PreviewX(0, 3)},
        {disk + "own.tsc", PreviewX(4, 13)},
        {disk + "level_d.tsc", PreviewX(1, 1)},
        {"level_none.tsc", untouched},
        {disk + "broken.tsc", untouched},
        {disk + "folder.tsc", untouched},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        board.offsetX = untouched;
        boardSelector.alpha = 0.7f;
        EXPECT_EQ(Preview(c.entry), c.offsetX);
        if (c.offsetX == untouched) {
            EXPECT_EQ(boardSelector.alpha, 0.7f);
            continue;
        }
        EXPECT_EQ(board.offsetY, 370 - static_cast<int>(7.5 * 13));
        EXPECT_EQ(board.tileSize, 13);
        EXPECT_EQ(board.scale, 0.40625f);
        EXPECT_EQ(board.alpha, 1.0f);
        EXPECT_EQ(boardSelector.alpha, 0.0f);
        EXPECT_EQ(ImageWidth(board.img), 480) << "the picture is built with 32-pixel cells";
    }

    // With an empty list nothing is touched.
    boardSelector.levels.clear();
    board.offsetX = untouched;
    boardSelector.LoadMiniBoard();
    EXPECT_EQ(board.offsetX, untouched);
}

TEST_F(PreviewTest, FadesInOutAndLoadsOnlyTheSelectionReachedAtTheEndOfTheFadeOut) {
    Levels({{"a.tsc", BoardDocument(0, 0, 0, 14)},
            {"b.tsc", BoardDocument(1, 1, 0, 14)},
            {"c.tsc", BoardDocument(2, 2, 0, 14)},
            {"d.tsc", BoardDocument(3, 3, 0, 14)}});
    boardSelector.levels = {"a.tsc", "b.tsc", "c.tsc", "d.tsc"};
    boardSelector.LoadMiniBoard();
    ASSERT_EQ(board.offsetX, PreviewX(0, 0));

    // Each frame draws at the opacity from before its step; 10 steps reach full opacity.
    std::vector<float> drawnAt;
    auto frame = [&] {
        control->ClearDrawLog();
        boardSelector.DrawMiniBoard();
        for (const DrawCall& call : control->DrawLog())
            if (call.image && call.image == board.img) drawnAt.push_back(call.state.alpha);
    };
    for (int i = 0; i < 10; ++i)
        frame();
    EXPECT_GT(boardSelector.alpha, 1.0f);
    EXPECT_LT(boardSelector.alpha, 1.0001f);
    ASSERT_EQ(drawnAt.size(), 10u);
    EXPECT_EQ(drawnAt[0], 0.0f);
    EXPECT_FLOAT_EQ(drawnAt[1], 0.1f);
    const float full = boardSelector.alpha;
    frame();
    EXPECT_EQ(boardSelector.alpha, full);

    // Three steps during the fade-out: only the last selection is ever loaded.
    boardSelector.nextLevel();
    for (int i = 0; i < 10; ++i) {
        if (i == 3 || i == 6) boardSelector.nextLevel();
        frame();
        EXPECT_EQ(board.offsetX, PreviewX(0, 0)) << "frame " << i;
    }
    frame();
    EXPECT_EQ(board.offsetX, PreviewX(3, 3));
    EXPECT_EQ(boardSelector.change, 0);
    EXPECT_EQ(boardSelector.alpha, 0.0f);

    // A selection that cannot be found: the board shown fades back in.
    boardSelector.levels[0] = "gone.tsc";
    boardSelector.alpha = full;
    boardSelector.nextLevel();
    for (int i = 0; i < 11; ++i)
        frame();
    EXPECT_EQ(board.offsetX, PreviewX(3, 3));
    EXPECT_EQ(boardSelector.alpha, 0.0f);
    EXPECT_EQ(boardSelector.change, 0);
}

// A custom level file is the player's own: whatever it holds, the preview either shows a board
// read within bounds or keeps the one it showed, whole.
TEST_F(PreviewTest, HostileCustomLevelFilesAreClampedOrRefusedAndARefusalKeepsThePreviousPreview) {
    auto rune = std::make_shared<TRune>();
    rune->id = "1";
    rune->color = "1";
    davar.List.push_back(rune);

    const std::string disk = resources + "user/custom-levels/";
    const std::string shown = BoardDocument(2, 6, 0, 14);
    std::string wide = "Board{ Line1=\"";
    for (int i = 0; i < 40; ++i)
        wide += "1 ";
    wide += "\"";
    for (int row = 2; row <= 15; ++row)
        wide += " Line" + std::to_string(row) + "=\"0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\"";
    wide += " Line16=\"1 1 1\" Line99=\"1\" }\n";
    const std::string padding(1024 * 1024, ' ');
    std::filesystem::create_directories(disk);
    ASSERT_EQ(mkfifo((disk + "pipe.tsc").c_str(), 0600), 0);
    std::filesystem::create_directories(disk + "folder.tsc");

    struct Case {
        const char* name;
        std::string text; // empty: the entry is prepared above
        bool shown;
        int offsetX, offsetY; // of a board that is shown
    } cases[] = {
        {"no playable cell", BoardDocument(1, 0, 0, 14), false, 0, 0},
        {"over a mebibyte", shown + padding, false, 0, 0},
        {"syntax fault", "Board{ Line1=\"1 ", false, 0, 0},
        {"pipe", "", false, 0, 0},
        {"folder", "", false, 0, 0},
        {"just under a mebibyte", shown + std::string(1024 * 1024 - shown.size(), ' '), true, 432,
         370 - static_cast<int>(7.5 * 13)},
        // Only the first 15 entries of the first 15 rows are read: one full row is left.
        {"entries and rows past the board", wide, true, PreviewX(0, 14), 370 - 6},
        {"huge and unknown numbers",
         BoardDocument(0, 3, 0, 14) + "Davar{ Read=\"1\" Line1=\"99999999999999999999 1 -7 555\" }\n"
                                      "Frame{ LQ=1.000e300 RQ=99999999999 TQ=-1.000e300 BQ=2147483648 }\n",
         true, PreviewX(0, 3), 370 - static_cast<int>(7.5 * 13)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The previous preview, faded in.
        Levels({{"level_shown.tsc", shown}});
        ASSERT_EQ(Preview("level_shown.tsc"), 432);
        boardSelector.alpha = 0.6f;
        const ImagePtr before = board.img;
        const size_t frameBefore = board.Frame.size();

        const std::string path = disk + c.name + std::string(".tsc");
        if (!c.text.empty()) WriteText(path, c.text);
        const std::string entry =
            c.text.empty() ? disk + (c.name == std::string("pipe") ? "pipe.tsc" : "folder.tsc") : path;
        Preview(entry);

        if (!c.shown) {
            EXPECT_EQ(board.offsetX, 432);
            EXPECT_EQ(board.img, before);
            EXPECT_EQ(board.tileSize, 13);
            EXPECT_EQ(board.scale, 0.40625f);
            EXPECT_EQ(board.Frame.size(), frameBefore);
            EXPECT_EQ(board.grid[2][0], 1);
            EXPECT_EQ(board.grid[0][0], 0);
            EXPECT_EQ(boardSelector.alpha, 0.6f);
            continue;
        }
        EXPECT_EQ(board.offsetX, c.offsetX);
        EXPECT_EQ(board.offsetY, c.offsetY);
        EXPECT_NE(board.img, before);
        EXPECT_EQ(boardSelector.alpha, 0.0f);
    }

    // The clamped board: unknown and out-of-range runes left empty, the frame built from the
    // cells alone, as for the same cells without the hostile lines.
    EXPECT_EQ(board.davarLayer[0][0], 0);
    EXPECT_EQ(board.davarLayer[1][0], 1);
    EXPECT_EQ(board.davarLayer[2][0], 0);
    EXPECT_EQ(board.davarLayer[3][0], 0);
    std::vector<std::pair<int, int>> frame;
    for (const FrameElementPtr& e : board.Frame)
        frame.emplace_back(e->side, e->x * 100 + e->y);
    Levels({{"plain.tsc", BoardDocument(0, 3, 0, 14)}});
    Preview("plain.tsc");
    std::vector<std::pair<int, int>> plain;
    for (const FrameElementPtr& e : board.Frame)
        plain.emplace_back(e->side, e->x * 100 + e->y);
    EXPECT_EQ(frame, plain);
}

} // namespace
} // namespace vsm::test
