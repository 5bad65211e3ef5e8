// Tests of the nine-slice image frame, its pieces and the colour frame.
#include "WidgetTest.h"
#include "widgets/TFrame.h"

namespace vsm {
namespace {

class FrameTest : public test::WidgetTest {
  protected:
    // A frame on (100, 50, 200, 80) with every piece 10 x 20 (the centre 4 x 4), each piece's image
    // remembered by position.
    ImageFramePtr NinePieces(int background, int kind) {
        ImageFramePtr f = CreateImageFrame(CreateDim(100, 50, 200, 80), background, 0.5f, kind);
        for (int p = 0; p < 9; ++p) {
            pieces[p] = p == 8 ? test::SolidImage(4, 4) : test::SolidImage(10, 20);
            f->AddImage(pieces[p], p);
        }
        return f;
    }
    int PositionOf(const ImagePtr& image) const {
        for (int p = 0; p < 9; ++p)
            if (pieces[p] == image) return p;
        return -1;
    }
    ImagePtr pieces[9];
};

TEST_F(FrameTest, PiecesSitOutsideTheRectangleAndEdgesStretch) {
    ImageFramePtr f = NinePieces(1, 0);
    f->dim->origin = 1; // only the raw fields count
    f->dim->xoffset = 33;
    SetAlpha(0.9f);
    f->Draw();
    auto draws = Calls("image");
    ASSERT_EQ(draws.size(), 9u);
    struct {
        int position;
        float x, y, sx, sy;
    } expected[] = {
        {0, 90, 30, 1, 1},    {1, 100, 30, 20, 1}, {2, 300, 30, 1, 1},
        {3, 90, 50, 1, 4},    {4, 300, 50, 1, 4},  {5, 90, 130, 1, 1},
        {6, 100, 130, 20, 1}, {7, 300, 130, 1, 1}, {8, 100, 50, 50, 20},
    };
    for (size_t i = 0; i < 9; ++i) {
        SCOPED_TRACE(expected[i].position);
        EXPECT_EQ(PositionOf(draws[i].image), expected[i].position);
        EXPECT_EQ(draws[i].x, expected[i].x);
        EXPECT_EQ(draws[i].y, expected[i].y);
        EXPECT_FLOAT_EQ(draws[i].state.scaleX, expected[i].sx);
        EXPECT_FLOAT_EQ(draws[i].state.scaleY, expected[i].sy);
        EXPECT_EQ(draws[i].state.alpha, 0.5f);
    }
    EXPECT_EQ(GetAlpha(), 1);
    EXPECT_EQ(CurrentDrawState().scaleX, 1);
}

TEST_F(FrameTest, OpenTopAndBackgroundChooseThePieces) {
    struct {
        int background, kind;
        size_t count;
    } cases[] = {{1, 0, 9}, {0, 0, 8}, {1, 1, 6}, {0, 1, 5}, {2, 7, 8}};
    for (auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "background " << c.background << " kind " << c.kind);
        ImageFramePtr f = NinePieces(c.background, c.kind);
        ctl->ClearDrawLog();
        f->Draw();
        auto draws = Calls("image");
        EXPECT_EQ(draws.size(), c.count);
        if (c.kind == 1) {
            for (const DrawCall& d : draws)
                EXPECT_GE(d.y, 50); // nothing above the rectangle
        }
    }
    ImageFramePtr hidden = NinePieces(1, 0);
    hidden->visible = 0;
    ctl->ClearDrawLog();
    hidden->Draw();
    EXPECT_TRUE(ctl->DrawLog().empty());
    EXPECT_EQ(hidden->State(), 0);
}

TEST_F(FrameTest, ZeroWidthFrameKeepsItsCornersTouching) {
    ImageFramePtr f = NinePieces(0, 0);
    f->dim->width = 0;
    f->Draw();
    auto draws = Calls("image");
    ASSERT_EQ(draws.size(), 8u);
    EXPECT_EQ(draws[0].x + 10, draws[2].x); // top-left ends where top-right starts
    EXPECT_EQ(draws[1].state.scaleX, 0);
}

TEST_F(FrameTest, FirstPieceOfAPositionWinsAndMissingPiecesAreSkipped) {
    ImageFramePtr f = CreateImageFrame(CreateDim(0, 0, 10, 10), 1, 1, 0);
    ImagePtr first = test::SolidImage(2, 2), second = test::SolidImage(2, 2);
    f->AddImage(first, 8);
    f->AddImage(second, 8);
    EXPECT_EQ(f->GetImage(8)->image, first);
    EXPECT_EQ(f->GetImage(3), nullptr);

    testing::internal::CaptureStdout();
    f->AddImage("/no/such/piece.png", 0);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("frame piece image missing: /no/such/piece.png"), std::string::npos) << out;
    ASSERT_TRUE(f->GetImage(0));
    EXPECT_FALSE(f->GetImage(0)->image);

    f->Draw(); // pieces 1-7 never added, piece 0 without an image: only the centre draws
    auto draws = Calls("image");
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].image, first);
}

TEST_F(FrameTest, ColourFrameDrawsBarsOutsideThenTheFill) {
    DimPtr dim = CreateDim(100, 50, 200, 80, 5);
    ColorFramePtr f = CreateColorFrame(dim, CreateColor(0xFF0000), 1, CreateColor(0x0000FF), 0.5f, 0);
    f->Draw();
    auto rects = Calls("rect");
    ASSERT_EQ(rects.size(), 5u);
    struct {
        float x, y, w, h;
        int r, b;
    } expected[] = {{95, 45, 210, 5, 255, 0},
                    {95, 50, 5, 80, 255, 0},
                    {300, 50, 5, 80, 255, 0},
                    {95, 130, 210, 5, 255, 0},
                    {100, 50, 200, 80, 0, 255}};
    for (size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rects[i].x, expected[i].x);
        EXPECT_EQ(rects[i].y, expected[i].y);
        EXPECT_EQ(rects[i].w, expected[i].w);
        EXPECT_EQ(rects[i].h, expected[i].h);
        EXPECT_EQ(rects[i].state.r, expected[i].r);
        EXPECT_EQ(rects[i].state.b, expected[i].b);
        EXPECT_EQ(rects[i].state.alpha, 0.5f);
    }
    EXPECT_EQ(GetAlpha(), 1);
    ctl->ClearDrawLog();
    f->kind = 1;
    f->background = 0;
    f->Draw();
    EXPECT_EQ(Calls("rect").size(), 3u);
}

} // namespace
} // namespace vsm
