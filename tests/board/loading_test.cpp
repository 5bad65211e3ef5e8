// Reading the rune catalogue, the piece templates and a level's Board, Davar and Frame groups
// from fixture documents, hostile ones included.
#include "board/BoardFixture.h"

#include "board/BoardText.h"
#include "data/TTSCFile.h"
#include "platform/Files.h"
#include "services/Paths.h"
#include "services/ServicesGlobals.h"
#include "support/TestSupport.h"
#include "services/TSpark.h"

#include <climits>

namespace vsm::test {

namespace {

TTSCFilePtr Doc(const std::string& text) {
    auto doc = CreateTSCFile();
    doc->LoadFromText(text);
    return doc;
}

} // namespace

class BoardDocumentTest : public BoardFixture {
  protected:
    void SetUp() override {
        BoardFixture::SetUp();
        AddRune("1", 4);
        AddRune("21", 6, 1, "", "1");
    }
};

TEST_F(BoardDocumentTest, BoardLinesShapeTheRows) {
    struct Case {
        const char* name;
        std::string line;
        std::vector<int> row; // expected grid values of columns 0..14 in row 2
    };
    const Case cases[] = {
        {"four entries; the rest stay playable", "0 0 1 1", {0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
        {"a trailing blank adds an entry 0", "1 1 ", {1, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
        {"two blanks make a hole", "1  1", {1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
        {"text reads 0", "x 2 -3", {0, 2, -3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
        {"entries past column 14 are ignored",
         "0 1 1 1 1 1 1 1 1 1 1 1 1 1 1 0 0 0",
         {0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
        {"huge numbers are clamped",
         "99999999999999999999 -99999999999999999999",
         {INT_MAX, INT_MIN, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        board.davarLayer[5][5] = 1;
        board.loadBoard(*Doc("Board{ Line3=\"" + c.line + "\" }"));
        std::vector<int> row;
        for (int x = 0; x < 15; ++x)
            row.push_back(board.grid[x][2]);
        EXPECT_EQ(row, c.row);
        EXPECT_EQ(board.grid[7][0], 1) << "absent lines leave their rows playable";
        EXPECT_EQ(board.davarLayer[5][5], 0) << "loading resets the board first";
    }
}

TEST_F(BoardDocumentTest, OverlongLineIsReported) {
    testing::internal::CaptureStdout();
    board.loadBoard(*Doc("Board{ Line1=\"1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\" }"));
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("line 1"), std::string::npos) << out;
}

TEST_F(BoardDocumentTest, DavarLinesPlaceRunesWhenReadIsOne) {
    control->SetClock(900);
    board.loadBoard(*Doc("Settings{ Level{ Number=1 } }"));
    testing::internal::CaptureStdout();
    board.loadDavar(*Doc("Davar{ Read=\"1\" Line2=\"1 0 21 99\" Line3=\"99 -5\" }"));
    const std::string out = testing::internal::GetCapturedStdout();
    // 99 and -5 are not in the catalogue: a rune that could never match or be cleared is left out.
    const int ids[] = {1, 0, 21, 0};
    const int colours[] = {4, 0, 6, 0};
    for (int x = 0; x < 4; ++x) {
        SCOPED_TRACE("column " + std::to_string(x));
        EXPECT_EQ(board.davarLayer[x][1], ids[x]);
        EXPECT_EQ(board.colorLayer[x][1], colours[x]);
        EXPECT_EQ(board.timerLayer[x][1], 900) << "entries of 0 get the time too";
    }
    EXPECT_EQ(board.timerLayer[4][1], 0);
    EXPECT_EQ(board.davarLayer[0][2], 0);
    EXPECT_EQ(board.davarLayer[1][2], 0);
    EXPECT_NE(out.find("preset rune id 99 "), std::string::npos) << out;
    EXPECT_EQ(out.find("99 "), out.rfind("99 ")) << "one line per unknown id";
    EXPECT_NE(out.find("preset rune id -5 "), std::string::npos) << out;
}

TEST_F(BoardDocumentTest, DavarGroupIsIgnoredUnlessReadIsExactlyOne) {
    const char* reads[] = {"Read=0", "Read=\"yes\"", "", "Read=\" 1\""};
    for (const char* read : reads) {
        SCOPED_TRACE(read);
        board.loadBoard(*Doc("Settings{ Level{ Number=1 } }"));
        board.loadDavar(*Doc(std::string("Davar{ ") + read + " Line1=\"1 1 1\" }"));
        EXPECT_EQ(board.IsEmpty(), 1);
    }
    board.loadDavar(*Doc("Davar{ Read=1 Line1=\"1 1 1\" }"));
    EXPECT_EQ(board.davarLayer[2][0], 1) << "a number 1 reads as the text 1";
}

TEST_F(BoardDocumentTest, FrameGroupListsPiecesCornersGetRandomVariants) {
    board.loadFrame(*Doc(R"(Frame{ LQ=2 LUCQ=1
        Left{ x1=-1 y1=0 size1=3 id1=1 x2=-1 y2=3 size2=2 id2=0 }
        LeftUpperCorner{ x1=-1 y1=-1 size1=0 id1=4 } })"));
    ASSERT_EQ(board.Frame.size(), 3u);
    EXPECT_EQ(board.Frame[0]->side, FRAME_LEFT);
    EXPECT_EQ(board.Frame[0]->Size, 3);
    EXPECT_EQ(board.Frame[0]->id, 1);
    EXPECT_EQ(board.Frame[1]->y, 3);
    EXPECT_EQ(board.Frame[2]->side, FRAME_LEFT_UPPER);
    EXPECT_LE(board.Frame[2]->id, 2) << "a corner's id is drawn, not read";
}

TEST_F(BoardDocumentTest, HostileFrameCountIsBounded) {
    testing::internal::CaptureStdout();
    board.loadFrame(*Doc("Frame{ TQ=1000000000000 }"));
    testing::internal::GetCapturedStdout();
    EXPECT_LE(board.Frame.size(), 17u * 17u);
}

class RuneCatalogueTest : public BoardFixture {
  protected:
    void SetUp() override {
        BoardFixture::SetUp();
        WritePicture("gfx/runy/a.png", 32, 32);
        WritePicture("gfx/runy/a40.png", 40, 40);
    }
};

TEST_F(RuneCatalogueTest, LoadsRunesStonesAndColourRanges) {
    int appended = davar.loadDavarDoc(*Doc(R"(List{ Quantity=5
        Rune1{ id="1" fileName="gfx/runy/a.png" fileName2="gfx/runy/a40.png" color="2" width=32 height=32
               blocked=0 title="Ash" description="d" blockedID="21" rgb="100,200:50,60:0,10" unblocked="7" }
        Rune2{ id="1" fileName="gfx/runy/a.png" color="3" rgb="1,1:1,1:1,1" }
        Rune3{ id="21" fileName="gfx/runy/a.png" color="7" blocked=1 unblocked="1" rgb="9,9:9,9:9,9" }
        Rune4{ id="4" fileName="gfx/runy/missing.png" color="4" }
        Rune5{ id="5" fileName="gfx/runy/a.png" color="5" rgb="5,6" } })"));
    EXPECT_EQ(appended, 4) << "a rune whose image fails is left out";
    EXPECT_EQ(control->notifications.size(), 5u) << "the missing picture and four absent second pictures";
    EXPECT_EQ(davar.getRuneColor("1"), 2) << "the first of two equal ids wins";
    EXPECT_EQ(davar.getRuneColor("4"), 0);
    EXPECT_EQ(davar.getRuneColor(" 1"), 0) << "ids compare as exact text";
    const TRune* ash = davar._findRuneByID("1");
    ASSERT_NE(ash, nullptr);
    EXPECT_EQ(ash->title, "Ash");
    EXPECT_EQ(ash->blockedID, "21");
    EXPECT_EQ(ash->unblocked, "") << "read for stones only";
    EXPECT_EQ(davar.isBlocked(21), 1);
    EXPECT_EQ(davar.unblocked(21), 1);
    EXPECT_EQ(davar.isBlocked(1), 0);
    EXPECT_EQ(davar.isBlocked(99), 0);
    EXPECT_EQ(davar.unblocked(99), 0);
    EXPECT_EQ(davar._findRuneByID("99"), nullptr);

    for (int k = 0; k < 50; ++k) {
        int r = davar.getRuneRGB(2, 1), g = davar.getRuneRGB(2, 2), b = davar.getRuneRGB(2, 3);
        EXPECT_TRUE(r >= 100 && r <= 200) << r;
        EXPECT_TRUE(g >= 50 && g <= 60) << g;
        EXPECT_TRUE(b >= 0 && b <= 10) << b;
    }
    EXPECT_EQ(davar.getRuneRGB(2, 0), 0);
    EXPECT_EQ(davar.getRuneRGB(2, 4), 0);
    EXPECT_EQ(davar.getRuneRGB(7, 1), 0) << "a colour class held only by a stone";
    const TRune* short_rgb = davar._findRuneByID("5");
    ASSERT_NE(short_rgb, nullptr);
    EXPECT_EQ(std::vector<int>(
                  {short_rgb->r1, short_rgb->r2, short_rgb->g1, short_rgb->g2, short_rgb->b1, short_rgb->b2}),
              std::vector<int>({5, 6, 0, 0, 0, 0}));
}

TEST_F(RuneCatalogueTest, DrawUsesTheSecondImageAtTileSizeForty) {
    davar.loadDavarDoc(*Doc(R"(List{ Quantity=1
        Rune1{ id="3" fileName="gfx/runy/a.png" fileName2="gfx/runy/a40.png" color="1" } })"));
    const TRune* rune = davar._findRuneByID("3");
    ASSERT_NE(rune, nullptr);
    // Not masked, so that art without alpha keeps its black; mipmapped for the small previews.
    EXPECT_EQ(rune->img->flags, FILTEREDIMAGE | MIPMAPPEDIMAGE);
    EXPECT_EQ(rune->img2->flags, FILTEREDIMAGE | MIPMAPPEDIMAGE);
    for (int tile : {32, 40, 13}) {
        SCOPED_TRACE("tile " + std::to_string(tile));
        board.tileSize = tile;
        control->ClearDrawLog();
        davar.Draw(3, 10.5f, 20);
        davar.Draw(8, 0, 0); // unknown: nothing
        ASSERT_EQ(control->DrawLog().size(), 1u);
        EXPECT_EQ(control->DrawLog()[0].image, tile == 40 ? rune->img2 : rune->img);
        EXPECT_FLOAT_EQ(control->DrawLog()[0].x, 10.5f);
    }
}

TEST_F(RuneCatalogueTest, MissingFortyPixelArtFallsBackToTheNormalArtScaled) {
    testing::internal::CaptureStdout();
    davar.loadDavarDoc(*Doc(R"(List{ Quantity=1 Rune1{ id="3" fileName="gfx/runy/a.png" color="1" } })"));
    testing::internal::GetCapturedStdout();
    const TRune* rune = davar._findRuneByID("3");
    ASSERT_NE(rune, nullptr);
    ASSERT_EQ(rune->img2, nullptr);
    board.tileSize = 40;
    SetScale(0.5f, 0.5f); // a caller's own scale still applies
    control->ClearDrawLog();
    davar.Draw(3, 10, 20);
    ASSERT_EQ(control->DrawLog().size(), 1u);
    const DrawCall& call = control->DrawLog()[0];
    EXPECT_EQ(call.image, rune->img);
    // The 32-pixel art grows by 40 / 32 = 1.25, on top of the caller's 0.5.
    EXPECT_FLOAT_EQ(call.state.scaleX, 0.625f);
    EXPECT_FLOAT_EQ(call.state.scaleY, 0.625f);
    float sx = 0, sy = 0;
    GetScale(sx, sy);
    EXPECT_FLOAT_EQ(sx, 0.5f) << "the caller's scale is left as it was";
}

TEST_F(RuneCatalogueTest, HostileQuantityStopsAtTheLastGroup) {
    testing::internal::CaptureStdout();
    int appended = davar.loadDavarDoc(*Doc(R"(List{ Quantity=1000000000000000
        Rune1{ id="3" fileName="gfx/runy/a.png" fileName2="gfx/runy/a40.png" color="1" } })"));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(appended, 1);
}

TEST_F(RuneCatalogueTest, RuneSparkLandsNearItsCellOrPoint) {
    davar.loadDavarDoc(*Doc(R"(List{ Quantity=1
        Rune1{ id="3" fileName="gfx/runy/a.png" fileName2="gfx/runy/a40.png" color="12" rgb="1,2:3,4:5,6" } })"));
    board.offsetX = 240;
    board.offsetY = 60;
    board.tileSize = 32;
    for (int k = 0; k < 30; ++k) {
        davar.particleRune(12, 2, 3, 0.5f, -0.5f, 0, 0);
        SparkPtr s = SparkList.First();
        EXPECT_TRUE(s->x >= 240 + 64 - 7 && s->x <= 240 + 64 + 12) << s->x;
        EXPECT_TRUE(s->y >= 60 + 96 - 7 && s->y <= 60 + 96 + 12) << s->y;
        EXPECT_FLOAT_EQ(s->vx, 0.5f) << "colour classes from 10 drift";
        davar.particleRune(12, 2, 3, 0, 0, 500, 400);
        s = SparkList.First();
        EXPECT_TRUE(s->x >= 493 && s->x <= 512) << s->x;
        EXPECT_TRUE(s->y >= 393 && s->y <= 412) << s->y;
    }
}

TEST(PieceTemplateTest, TemplatesKeepOnlyCellsInsideTheFourByFour) {
    UseHeadlessBackend();
    ResetBoardGlobals();
    testing::internal::CaptureStdout();
    int appended = blocks.loadBlocksDoc(*Doc(R"(List{ Quantity=5
        Block1{ id="bar3" width=3 height=1 pieces=3 piece1=0,0 piece2=1,0 piece3=2,0 title="Bar" }
        Block2{ id="odd" pieces=4 piece1=4,0 piece2=0,-1 piece3=0,0 piece4=3,3 }
        Block3{ id="many" pieces=10000000000 piece1=1,1 }
        Block4{ id="none" pieces=0 }
        Block5{ id="outside" pieces=2 piece1=4,4 piece2=-1,0 } })"));
    std::string out = testing::internal::GetCapturedStdout();
    // Templates without a cell inside the piece are never dealt.
    EXPECT_EQ(appended, 3);
    EXPECT_EQ(blocks._findBlockByID("none"), nullptr);
    EXPECT_EQ(blocks._findBlockByID("outside"), nullptr);
    EXPECT_NE(out.find("Block4 (\"none\") has no cell"), std::string::npos) << out;
    EXPECT_NE(out.find("Block5 (\"outside\") has no cell"), std::string::npos) << out;
    ASSERT_EQ(blocks.List.size(), 3u);
    const TBlock& bar = *blocks.List[0];
    EXPECT_EQ(bar.id, "bar3");
    EXPECT_EQ(bar.title, "Bar");
    EXPECT_EQ(bar.width, 3);
    EXPECT_EQ(bar.pieces, 3);
    EXPECT_EQ(bar.Set[0][0] + bar.Set[1][0] + bar.Set[2][0], 3);
    const TBlock& odd = *blocks.List[1];
    int filled = 0;
    for (auto& column : odd.Set)
        for (int cell : column)
            filled += cell;
    EXPECT_EQ(filled, 2);
    EXPECT_EQ(odd.Set[0][0], 1);
    EXPECT_EQ(odd.Set[3][3], 1);
    EXPECT_NE(out.find("piece1"), std::string::npos) << out;
    EXPECT_EQ(blocks.List[2]->Set[1][1], 1);
    EXPECT_EQ(blocks._findBlockByID("odd"), blocks.List[1]);
    EXPECT_EQ(blocks._findBlockByID("ODD"), nullptr);
    ResetBoardGlobals();
}

TEST(PieceTemplateTest, SizeCountsFilledCellsNotExtents) {
    TBlock b;
    b.Set[0][0] = 5;
    b.Set[2][0] = 5;
    b.getSize();
    EXPECT_EQ(b.width, 2);
    EXPECT_EQ(b.height, 1);
    b.Set[2][1] = 5;
    b.Set[2][3] = 5;
    b.getSize();
    EXPECT_EQ(b.height, 3);
}

// The game's own catalogue and templates, as packed into the built resources.
TEST(GameCatalogueTest, ShippedRunesAndTemplatesLoadAndLinkUp) {
    const std::string archive = ResourcesDir() + "data/settings_lp.bca";
    if (FileType(archive) != 1) GTEST_SKIP() << "no built resources at " << ResourcesDir();
    UseHeadlessBackend();
    ResetServicesGlobals();
    bDir = ResourcesDir();
    ResetBoardGlobals();
    davar.loadDavarGfx();
    blocks.loadBlocksDef();
    ASSERT_FALSE(davar.List.empty());
    ASSERT_FALSE(blocks.List.empty());
    for (const RunePtr& rune : davar.List) {
        SCOPED_TRACE("rune " + rune->id);
        if (rune->blocked != 0) {
            // Rubble (an empty unblocked) turns back into nothing; any other stone into a known rune.
            if (!rune->unblocked.empty()) {
                EXPECT_NE(davar._findRuneByID(rune->unblocked), nullptr)
                    << "a stone turns back into a known rune";
            }
        } else if (!rune->blockedID.empty()) {
            EXPECT_EQ(davar.isBlocked(TextToInt(rune->blockedID)), 1)
                << "a rune petrifies into a known stone";
        }
        EXPECT_NE(rune->img2, nullptr);
    }
    for (const BlockPtr& t : blocks.List) {
        SCOPED_TRACE("template " + t->id);
        int cells = 0;
        for (auto& column : t->Set)
            for (int cell : column)
                cells += cell;
        EXPECT_EQ(cells, t->pieces);
    }
    ResetBoardGlobals();
}

} // namespace vsm::test
