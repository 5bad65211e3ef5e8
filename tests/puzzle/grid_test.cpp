// The puzzle grid: scrambling, swaps and locking, the home map and its drop shadow.
#include "PuzzleFixture.h"

#include "platform/Input.h"
#include "platform/System.h"
#include "puzzle/TPuzzleManager.h"
#include "services/TMouse.h"
#include "services/TSpark.h"

#include <set>

namespace vsm::test {

using PuzzleGrid = PuzzleFixture;

namespace {

// Runs one play step of the grid with the frame's input.
int Step(HeadlessBackendControl& control, const FrameInput& in) {
    control.SetScript({in});
    mouse.fetchState(0);
    return puzzle.puzzle->State();
}

} // namespace

TEST_F(PuzzleGrid, ScrambleLeavesNoTileHomeAndFollowsTheSeed) {
    std::vector<int> first;
    for (int run = 0; run < 2; ++run) {
        Build(4, 3);
        SeedRnd(77);
        control->SetScript(std::vector<FrameInput>(2000));
        puzzle.puzzle->Scramble(nullptr);
        EXPECT_EQ(puzzle.puzzle->IsScrambled(), 1);
        const std::vector<int> cells = Layout();
        EXPECT_EQ(std::set<int>(cells.begin(), cells.end()).size(), 12u);
        for (const auto& t : puzzle.puzzle->Tiles()) {
            EXPECT_EQ(t->targetNumber, t->currentNumber);
            EXPECT_FLOAT_EQ(t->dim->x, 65 + t->dim->width * static_cast<float>(t->currentNumber % 4));
        }
        if (run == 0)
            first = cells;
        else
            EXPECT_EQ(cells, first);
    }
}

TEST_F(PuzzleGrid, TwoClicksSwapAndBothLandHomeLocked) {
    Build(4, 3);
    auto tiles = puzzle.puzzle->Tiles();
    // Tiles 1 and 2 stand in each other's homes; everything else is home and locks.
    PutOnCell(*tiles[1], 2);
    PutOnCell(*tiles[2], 1);
    int x1, y1, x2, y2;
    Centre(*tiles[1], x1, y1);
    Centre(*tiles[2], x2, y2);

    FrameInput click1;
    ClickAt(click1, x1, y1);
    EXPECT_EQ(Step(*control, click1), 0);
    EXPECT_EQ(tiles[1]->marked, 1);
    EXPECT_EQ(tiles[0]->enable, 0);
    EXPECT_EQ(puzzle.clicks, 1);
    EXPECT_EQ(SoundOps("cue", "myszkafirst1.ogg"), 1);

    FrameInput click2;
    ClickAt(click2, x2, y2);
    EXPECT_EQ(Step(*control, click2), 1);
    EXPECT_EQ(puzzle.clicks, 2);
    EXPECT_EQ(SoundOps("cue", "myszkafirst1.ogg"), 2);
    EXPECT_EQ(SoundOps("cue", "zamiana1.ogg"), 1);
    EXPECT_EQ(tiles[1]->marked, 0);
    EXPECT_EQ(tiles[2]->marked, 0);
    EXPECT_EQ(tiles[1]->IsFlying(), 1);

    // Clicks during the flight, also on the landing frame, are not taken.
    for (int frame = 1; frame <= 25; ++frame) {
        FrameInput during;
        ClickAt(during, x2, y2);
        SparkList.Clear();
        EXPECT_EQ(Step(*control, during), 0);
        if (frame < 25) {
            EXPECT_EQ(tiles[1]->currentNumber, 2);
        }
    }
    EXPECT_EQ(puzzle.clicks, 2);
    EXPECT_EQ(tiles[1]->marked + tiles[2]->marked, 0);
    EXPECT_EQ(puzzle.puzzle->IsSet(), 1);
    EXPECT_EQ(tiles[1]->enable, 0);
    EXPECT_EQ(tiles[2]->enable, 0);
    EXPECT_EQ(SoundOps("cue", "odkrycie1.ogg"), 2);
    EXPECT_EQ(SparkList.Count(), 202);
}

TEST_F(PuzzleGrid, ClickingTheOnlyMarkedTileUnmarksItAndStillCounts) {
    Build(2, 1);
    auto tiles = puzzle.puzzle->Tiles();
    PutOnCell(*tiles[0], 1);
    PutOnCell(*tiles[1], 0);
    int x, y;
    Centre(*tiles[0], x, y);
    FrameInput click;
    ClickAt(click, x, y);
    Step(*control, click);
    EXPECT_EQ(Step(*control, click), 0);
    EXPECT_EQ(tiles[0]->marked, 0);
    EXPECT_EQ(puzzle.clicks, 2);
    EXPECT_EQ(SoundOps("cue", "myszkafirst1.ogg"), 2);
}

TEST_F(PuzzleGrid, HomeMapFillsFromHomeTilesAndClearEmptiesIt) {
    Build(3, 2);
    auto tiles = puzzle.puzzle->Tiles();
    PutOnCell(*tiles[4], 5);
    PutOnCell(*tiles[5], 4);
    puzzle.puzzle->doMatrix();
    const auto& m = puzzle.puzzle->matrix;
    EXPECT_EQ(m[1][1], 1);
    EXPECT_EQ(m[3][1], 1);
    EXPECT_EQ(m[2][2], 0); // tile 4 is away from home
    EXPECT_EQ(m[3][2], 0);
    EXPECT_EQ(m[4][1], 0); // the ring around the picture stays 0
    puzzle.puzzle->Clear();
    EXPECT_TRUE(puzzle.puzzle->items.empty());
    for (const auto& column : m)
        for (int v : column)
            EXPECT_EQ(v, 0);
}

TEST_F(PuzzleGrid, ShadowShadesTheBorderOfTheHomeRegion) {
    // The 3 x 3 home maps, row by row, and the shadow pieces each draws (by cien index: 0..3
    // corners tl, tr, bl, br; 4..7 edges l, t, r, b).
    struct Case {
        const char* name;
        int home[3][3];
        int pieces[8];
    };
    const Case cases[] = {
        {"single middle cell", {{0, 0, 0}, {0, 1, 0}, {0, 0, 0}}, {1, 1, 1, 1, 1, 1, 1, 1}},
        {"whole picture", {{1, 1, 1}, {1, 1, 1}, {1, 1, 1}}, {1, 1, 1, 1, 3, 3, 3, 3}},
        // An L of three cells: its inward corner gets one extra corner piece.
        {"L shape", {{1, 0, 0}, {1, 1, 0}, {0, 0, 0}}, {1, 3, 1, 1, 2, 2, 2, 2}},
        {"nothing home", {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}, {0, 0, 0, 0, 0, 0, 0, 0}},
    };
    Build(3, 3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto& grid = *puzzle.puzzle;
        for (auto& column : grid.matrix)
            column.fill(0);
        for (int r = 0; r < 3; ++r)
            for (int col = 0; col < 3; ++col)
                grid.matrix[static_cast<size_t>(col + 1)][static_cast<size_t>(r + 1)] = c.home[r][col];
        control->ClearDrawLog();
        grid.Draw();
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(CountDraws(grid.cien[static_cast<size_t>(i)]), c.pieces[i]) << "piece " << i;
    }
}

TEST_F(PuzzleGrid, ShadowPiecesSitInsideTheirCellAndEdgesStretch) {
    Build(3, 3); // cells of 223 x 164 from (65, 53)
    auto& grid = *puzzle.puzzle;
    grid.matrix[2][2] = 1;
    control->ClearDrawLog();
    grid.Draw();
    struct Expect {
        int piece;
        float x, y, sx, sy;
    };
    const float x0 = 65 + 223, y0 = 53 + 164, x1 = x0 + 223, y1 = y0 + 164;
    const Expect expects[] = {
        {4, x0, y0, 1, 164 / 82.0f}, {6, x1 - 7, y0, 1, 164 / 82.0f},
        {5, x0, y0, 223 / 82.0f, 1}, {7, x0, y1 - 7, 223 / 82.0f, 1},
        {0, x0, y0, 1, 1},           {3, x1 - 7, y1 - 7, 1, 1},
    };
    for (const Expect& e : expects) {
        SCOPED_TRACE(e.piece);
        bool found = false;
        for (const DrawCall& call : Draws()) {
            if (call.image != grid.cien[static_cast<size_t>(e.piece)]) continue;
            found = true;
            EXPECT_FLOAT_EQ(call.x, e.x);
            EXPECT_FLOAT_EQ(call.y, e.y);
            EXPECT_FLOAT_EQ(call.state.scaleX, e.sx);
            EXPECT_FLOAT_EQ(call.state.scaleY, e.sy);
        }
        EXPECT_TRUE(found);
    }
}

} // namespace vsm::test
