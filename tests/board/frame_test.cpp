// The frame built from odd board shapes, compared with hand-worked pieces, and its drawing.
#include "board/BoardFixture.h"

#include "platform/System.h"

#include <tuple>

namespace vsm::test {

namespace {

using FramePiece = std::tuple<int, int, int, int>; // side, Size, x, y

FramePiece Corner(int side, int x, int y) {
    return {side, side - 4, x, y};
}
FramePiece Side(int side, int size, int x, int y) {
    return {side, size, x, y};
}

// Sets grid from rows of text: '#' a board cell, anything else a hole; rows past the text
// and columns past a row's end are holes.
void Shape(const std::vector<std::string>& rows) {
    for (int x = 0; x < 15; ++x)
        for (int y = 0; y < 15; ++y)
            board.grid[x][y] = y < static_cast<int>(rows.size()) && x < static_cast<int>(rows[y].size()) &&
                               rows[y][x] == '#';
}

std::vector<FramePiece> Built() {
    board.buildFrame();
    std::vector<FramePiece> out;
    for (const FrameElementPtr& e : board.Frame) {
        out.emplace_back(e->side, e->Size, e->x, e->y);
        EXPECT_EQ(e->t, 0);
    }
    return out;
}

// The 24 pieces of the full board, with extra pieces of the holes inserted where they fall.
std::vector<FramePiece> FullBoard(const std::vector<FramePiece>& columns = {},
                                  const std::vector<FramePiece>& rows = {},
                                  const std::vector<FramePiece>& bottom = {}) {
    std::vector<FramePiece> out = {Corner(FRAME_LEFT_UPPER, -1, -1)};
    for (int y = 0; y < 15; y += 3)
        out.push_back(Side(FRAME_LEFT, 3, -1, y));
    out.push_back(Corner(FRAME_LEFT_LOWER, -1, 15));
    out.insert(out.end(), columns.begin(), columns.end());
    out.push_back(Corner(FRAME_RIGHT_UPPER, 15, -1));
    for (int y = 0; y < 15; y += 3)
        out.push_back(Side(FRAME_RIGHT, 3, 15, y));
    out.push_back(Corner(FRAME_RIGHT_LOWER, 15, 15));
    for (int x = 0; x < 15; x += 3)
        out.push_back(Side(FRAME_TOP, 3, x, -1));
    out.insert(out.end(), rows.begin(), rows.end());
    if (bottom.empty()) {
        for (int x = 0; x < 15; x += 3)
            out.push_back(Side(FRAME_BOTTOM, 3, x, 15));
    } else {
        out.insert(out.end(), bottom.begin(), bottom.end());
    }
    return out;
}

std::vector<std::string> FullRows() {
    return std::vector<std::string>(15, std::string(15, '#'));
}

} // namespace

class FrameTest : public BoardFixture {};

TEST_F(FrameTest, FullBoardIsFramedByCornersAndRunsOfThree) {
    Shape(FullRows());
    EXPECT_EQ(Built(), FullBoard());
}

TEST_F(FrameTest, SingleCellGetsEightPiecesInDrawingOrder) {
    for (auto [x, y] : {std::pair{5, 7}, {14, 14}, {0, 0}}) {
        SCOPED_TRACE("cell " + std::to_string(x) + "," + std::to_string(y));
        std::vector<std::string> rows(y + 1, "");
        rows[y] = std::string(x, '.') + "#";
        Shape(rows);
        const std::vector<FramePiece> expected = {
            Corner(FRAME_LEFT_UPPER, x - 1, y - 1), Side(FRAME_LEFT, 1, x - 1, y),
            Corner(FRAME_LEFT_LOWER, x - 1, y + 1), Corner(FRAME_RIGHT_UPPER, x + 1, y - 1),
            Side(FRAME_RIGHT, 1, x + 1, y),         Corner(FRAME_RIGHT_LOWER, x + 1, y + 1),
            Side(FRAME_TOP, 1, x, y - 1),           Side(FRAME_BOTTOM, 1, x, y + 1),
        };
        EXPECT_EQ(Built(), expected);
    }
}

TEST_F(FrameTest, HolesInsideTheBoard) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> holes;
        std::vector<FramePiece> expected;
    };
    const Case cases[] = {
        {"one cell, board on all four sides: nothing", {{7, 7}}, FullBoard()},
        {"2x2: four corners",
         {{6, 6}, {7, 6}, {6, 7}, {7, 7}},
         FullBoard({Corner(FRAME_LEFT_UPPER, 6, 6), Corner(FRAME_LEFT_LOWER, 6, 7),
                    Corner(FRAME_RIGHT_UPPER, 7, 6), Corner(FRAME_RIGHT_LOWER, 7, 7)})},
        {"3x3: corners and one-cell sides, nothing in the centre",
         {{5, 5}, {6, 5}, {7, 5}, {5, 6}, {6, 6}, {7, 6}, {5, 7}, {6, 7}, {7, 7}},
         FullBoard({Corner(FRAME_LEFT_UPPER, 5, 5), Side(FRAME_RIGHT, 1, 5, 6),
                    Corner(FRAME_LEFT_LOWER, 5, 7), Corner(FRAME_RIGHT_UPPER, 7, 5),
                    Side(FRAME_LEFT, 1, 7, 6), Corner(FRAME_RIGHT_LOWER, 7, 7)},
                   {Side(FRAME_BOTTOM, 1, 6, 5), Side(FRAME_TOP, 1, 6, 7)})},
        {"notch in the bottom edge cuts the bottom run",
         {{7, 14}},
         FullBoard({}, {},
                   {Side(FRAME_BOTTOM, 3, 0, 15), Side(FRAME_BOTTOM, 3, 3, 15), Side(FRAME_BOTTOM, 1, 6, 15),
                    Side(FRAME_BOTTOM, 3, 8, 15), Side(FRAME_BOTTOM, 3, 11, 15),
                    Side(FRAME_BOTTOM, 1, 14, 15)})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Shape(FullRows());
        for (auto [x, y] : c.holes)
            board.grid[x][y] = 0;
        EXPECT_EQ(Built(), c.expected);
    }
}

TEST_F(FrameTest, OddShapes) {
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        std::vector<FramePiece> expected;
    };
    const Case cases[] = {
        {"one row with a one-cell gap",
         {"#######.#######"},
         {Corner(FRAME_LEFT_UPPER, -1, -1), Side(FRAME_LEFT, 1, -1, 0), Corner(FRAME_LEFT_LOWER, -1, 1),
          Corner(FRAME_RIGHT_UPPER, 15, -1), Side(FRAME_RIGHT, 1, 15, 0), Corner(FRAME_RIGHT_LOWER, 15, 1),
          Side(FRAME_TOP, 3, 0, -1), Side(FRAME_TOP, 3, 3, -1), Side(FRAME_TOP, 1, 6, -1),
          Side(FRAME_TOP, 3, 8, -1), Side(FRAME_TOP, 3, 11, -1), Side(FRAME_TOP, 1, 14, -1),
          Side(FRAME_BOTTOM, 3, 0, 1), Side(FRAME_BOTTOM, 3, 3, 1), Side(FRAME_BOTTOM, 1, 6, 1),
          Side(FRAME_BOTTOM, 3, 8, 1), Side(FRAME_BOTTOM, 3, 11, 1), Side(FRAME_BOTTOM, 1, 14, 1)}},
        {"L shape with an inside corner",
         {"#", "#", "###"},
         {Corner(FRAME_LEFT_UPPER, -1, -1), Side(FRAME_LEFT, 3, -1, 0), Corner(FRAME_LEFT_LOWER, -1, 3),
          Corner(FRAME_RIGHT_UPPER, 1, -1), Side(FRAME_RIGHT, 1, 1, 0), Corner(FRAME_LEFT_LOWER, 1, 1),
          Corner(FRAME_RIGHT_UPPER, 3, 1), Side(FRAME_RIGHT, 1, 3, 2), Corner(FRAME_RIGHT_LOWER, 3, 3),
          Side(FRAME_TOP, 1, 0, -1), Side(FRAME_TOP, 1, 2, 1), Side(FRAME_BOTTOM, 3, 0, 3)}},
        {"two cells touching at a corner",
         {"#", ".#"},
         {Corner(FRAME_LEFT_UPPER, -1, -1), Side(FRAME_LEFT, 1, -1, 0), Corner(FRAME_LEFT_LOWER, -1, 1),
          Corner(FRAME_RIGHT_UPPER, 0, 1), Corner(FRAME_LEFT_LOWER, 0, 2), Corner(FRAME_RIGHT_UPPER, 1, -1),
          Corner(FRAME_LEFT_LOWER, 1, 0), Corner(FRAME_RIGHT_UPPER, 2, 0), Side(FRAME_RIGHT, 1, 2, 1),
          Corner(FRAME_RIGHT_LOWER, 2, 2), Side(FRAME_TOP, 1, 0, -1), Side(FRAME_BOTTOM, 1, 1, 2)}},
        {"a column of seven cut 3 + 3 + 1",
         {"#", "#", "#", "#", "#", "#", "#"},
         {Corner(FRAME_LEFT_UPPER, -1, -1), Side(FRAME_LEFT, 3, -1, 0), Side(FRAME_LEFT, 3, -1, 3),
          Side(FRAME_LEFT, 1, -1, 6), Corner(FRAME_LEFT_LOWER, -1, 7), Corner(FRAME_RIGHT_UPPER, 1, -1),
          Side(FRAME_RIGHT, 3, 1, 0), Side(FRAME_RIGHT, 3, 1, 3), Side(FRAME_RIGHT, 1, 1, 6),
          Corner(FRAME_RIGHT_LOWER, 1, 7), Side(FRAME_TOP, 1, 0, -1), Side(FRAME_BOTTOM, 1, 0, 7)}},
        {"no board cell", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Shape(c.rows);
        EXPECT_EQ(Built(), c.expected);
    }
}

TEST_F(FrameTest, VariantsStayWithinTheArtThatExists) {
    for (int seed = 1; seed <= 20; ++seed) {
        SeedRnd(static_cast<uint32_t>(seed));
        Shape({"##.#####", "#......#", "##.##.##"});
        board.buildFrame();
        for (const FrameElementPtr& e : board.Frame) {
            int top = (e->side >= FRAME_LEFT_UPPER || e->Size == 3) ? 2 : 1;
            EXPECT_GE(e->id, 0);
            EXPECT_LE(e->id, top) << "side " << e->side << " size " << e->Size;
        }
    }
}

TEST_F(FrameTest, BuildReplacesPiecesReadFromTheDocument) {
    auto stale = std::make_shared<TFrameElement>();
    stale->side = FRAME_TOP;
    board.Frame.push_back(stale);
    Shape(FullRows());
    EXPECT_EQ(Built(), FullBoard());
}

class FrameDrawTest : public BoardFixture {
  protected:
    void SetUp() override {
        BoardFixture::SetUp();
        for (int a = 0; a < 4; ++a)
            for (int v = 0; v < 3; ++v) {
                board.frameH[a][v] = CreateImage(8, 8);
                board.frameV[a][v] = CreateImage(8, 8);
                board.frameC[a][v] = CreateImage(8, 8);
            }
        board.alpha = 0.5f;
        board.scale = 1.0f;
    }
    void Add(int side, int size, int id, int x, int y) {
        auto e = std::make_shared<TFrameElement>();
        e->side = side;
        e->Size = size;
        e->id = id;
        e->x = x;
        e->y = y;
        board.Frame.push_back(e);
    }
};

TEST_F(FrameDrawTest, PiecesLandOnTheirCellsShiftedSevenPixels) {
    board.offsetX = 240;
    board.offsetY = 60;
    board.tileSize = 32;
    Add(FRAME_LEFT_UPPER, 0, 2, -1, -1);
    Add(FRAME_RIGHT, 3, 1, 15, 0);
    Add(FRAME_BOTTOM, 2, 0, 0, 15);
    Add(FRAME_TOP, 1, 1, 4, -1);
    Add(FRAME_RIGHT_LOWER, 3, 0, 15, 15);
    Add(9, 1, 0, 3, 3); // no such side
    control->ClearDrawLog();
    board._drawFrame();
    const auto& calls = control->DrawLog();
    ASSERT_EQ(calls.size(), 5u);
    const struct {
        ImagePtr image;
        float x, y;
    } expected[] = {{board.frameC[0][2], 201, 21},
                    {board.frameH[3][1], 713, 60},
                    {board.frameV[2][0], 240, 533},
                    {board.frameV[1][1], 368, 21},
                    {board.frameC[3][0], 720, 540}};
    for (size_t k = 0; k < calls.size(); ++k) {
        SCOPED_TRACE("piece " + std::to_string(k));
        EXPECT_EQ(calls[k].image, expected[k].image);
        EXPECT_FLOAT_EQ(calls[k].x, expected[k].x);
        EXPECT_FLOAT_EQ(calls[k].y, expected[k].y);
        EXPECT_FLOAT_EQ(calls[k].state.alpha, 0.5f);
    }
}

TEST_F(FrameDrawTest, PreviewFrameScalesArtAndShift) {
    board.offsetX = 100;
    board.offsetY = 50;
    board.tileSize = 13;
    board.scale = 0.40625f;
    Add(FRAME_LEFT, 1, 0, -1, 4);
    control->ClearDrawLog();
    board._drawSmallFrame();
    ASSERT_EQ(control->DrawLog().size(), 1u);
    const DrawCall& call = control->DrawLog()[0];
    EXPECT_FLOAT_EQ(call.x, 100 - 13 - 2.84375f);
    EXPECT_FLOAT_EQ(call.y, 50 + 52);
    EXPECT_FLOAT_EQ(call.state.scaleX, 0.40625f);
    float sx, sy;
    GetScale(sx, sy);
    EXPECT_FLOAT_EQ(sx, 1.0f) << "later drawing is not scaled";
    EXPECT_FLOAT_EQ(sy, 1.0f);
}

TEST_F(FrameDrawTest, EmptyFrameDrawsNothingButSetsAlpha) {
    board.alpha = 0.0f;
    control->ClearDrawLog();
    board._drawFrame();
    EXPECT_TRUE(control->DrawLog().empty());
    EXPECT_FLOAT_EQ(GetAlpha(), 0.0f);
}

TEST_F(FrameDrawTest, ArtLoadsIntoTheSlotsTheDrawingReads) {
    // Left and Right pieces come from the plain names, Top and Bottom from the "-p" names.
    WritePicture("gfx/ramka/2b.png", 7, 64);
    WritePicture("gfx/ramka/2b-p.png", 64, 7);
    WritePicture("gfx/ramka/1b-rd_v3.png", 9, 9);
    board = TBoardManager();
    board.loadBoardGfx();
    EXPECT_EQ(ImageWidth(board.frameH[2][1]), 7);
    EXPECT_EQ(ImageWidth(board.frameV[2][1]), 64);
    EXPECT_EQ(ImageWidth(board.frameC[3][2]), 9);
    for (const ImagePtr& piece : {board.frameH[2][1], board.frameV[2][1], board.frameC[3][2]})
        EXPECT_EQ(piece->flags, MASKEDIMAGE | FILTEREDIMAGE | MIPMAPPEDIMAGE);
    EXPECT_EQ(board.frameH[1][2], nullptr) << "short pieces have two variants";
    EXPECT_EQ(board.shadow, board._s1);
    EXPECT_NE(board._s1, nullptr);
}

} // namespace vsm::test
