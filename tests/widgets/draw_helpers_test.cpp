// Tests of the drawing helpers' vertex and texture-coordinate math through the recorded quads.
#include "WidgetTest.h"
#include "widgets/DrawHelpers.h"

namespace vsm {
namespace {

using Quad = std::vector<float>;

class DrawHelpersTest : public test::WidgetTest {
  protected:
    // The one recorded polygon; fails the test when there is not exactly one.
    Quad OnlyPoly() {
        auto polys = Calls("poly");
        EXPECT_EQ(polys.size(), 1u);
        return polys.empty() ? Quad{} : polys[0].poly;
    }
};

void ExpectQuad(const Quad& actual, const Quad& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "vertex " << i / 4 << " component " << i % 4);
        EXPECT_NEAR(actual[i], expected[i], 1e-5);
    }
}

TEST(FindNextPowerOf2Test, RoundsUpToAPowerOfTwo) {
    const std::pair<int, int> cases[] = {{-5, 1}, {0, 1},   {1, 1},    {2, 2},
                                         {3, 4},  {64, 64}, {65, 128}, {600, 1024}};
    for (auto [n, p] : cases) {
        SCOPED_TRACE(n);
        EXPECT_EQ(findNextPowerOf2(n), p);
    }
}

TEST_F(DrawHelpersTest, VialDrawsTheBandWithPowerOfTwoTextureCoordinates) {
    ImagePtr image = test::SolidImage(100, 60); // texture 128 x 64
    drawVial(image, 10, 20, 0.25f, 1.0f);
    ExpectQuad(OnlyPoly(), {10, 35, 0, 0.234375f,         //
                            110, 35, 0.78125f, 0.234375f, //
                            110, 80, 0.78125f, 0.9375f,   //
                            10, 80, 0, 0.9375f});
}

TEST_F(DrawHelpersTest, VialIgnoresTheImageHandleAndKeepsTheDrawingState) {
    ImagePtr image = test::SolidImage(100, 60);
    MidHandleImage(image);
    SetColor(10, 20, 30);
    SetAlpha(0.5f);
    drawVial(image, 0, 0, 0, 1);
    Quad q = OnlyPoly();
    ASSERT_EQ(q.size(), 16u);
    EXPECT_EQ(q[0], 0);
    EXPECT_EQ(q[1], 0);
    EXPECT_EQ(q[8], 100);
    EXPECT_EQ(q[9], 60);
    const DrawCall call = Calls("poly")[0];
    EXPECT_EQ(call.state.r, 10);
    EXPECT_EQ(call.state.alpha, 0.5f);
    EXPECT_EQ(GetAlpha(), 0.5f);
}

TEST_F(DrawHelpersTest, CroppedImageMapsPixelsToTexture) {
    ImagePtr image = test::SolidImage(300, 100); // texture 512 x 128
    drawCroppedImage(image, 0, 0, 0, 10, 300, 60);
    ExpectQuad(OnlyPoly(), {0, 10, 0, 10.f / 128,             //
                            300, 10, 300.f / 512, 10.f / 128, //
                            300, 60, 300.f / 512, 60.f / 128, //
                            0, 60, 0, 60.f / 128});
}

TEST_F(DrawHelpersTest, ViewportCropsTheImagePlacedByItsHandle) {
    ImagePtr image = test::SolidImage(600, 400); // texture 1024 x 512
    MidHandleImage(image);                       // image corner at (100, 100) when placed at (400, 300)
    struct {
        const char* name;
        int vx, vy, vw, vh;
        Quad quad; // empty: nothing drawn
    } cases[] = {
        {"band in the middle",
         0,
         250,
         800,
         100,
         {100, 250, 0, 150.f / 512, 700, 250, 600.f / 1024, 150.f / 512, 700, 350, 600.f / 1024, 250.f / 512,
          100, 350, 0, 250.f / 512}},
        {"zero height",
         0,
         300,
         800,
         0,
         {100, 300, 0, 200.f / 512, 700, 300, 600.f / 1024, 200.f / 512, 700, 300, 600.f / 1024, 200.f / 512,
          100, 300, 0, 200.f / 512}},
        {"narrower than the image on both sides",
         200,
         0,
         300,
         600,
         {200, 100, 100.f / 1024, 0, 500, 100, 400.f / 1024, 0, 500, 500, 400.f / 1024, 400.f / 512, 200, 500,
          100.f / 1024, 400.f / 512}},
        {"touching the top edge is drawn",
         0,
         0,
         800,
         100,
         {100, 100, 0, 0, 700, 100, 600.f / 1024, 0, 700, 100, 600.f / 1024, 0, 100, 100, 0, 0}},
        {"wholly above", 0, 0, 800, 99, {}},
        {"wholly below", 0, 501, 800, 50, {}},
        {"wholly left", 0, 0, 99, 600, {}},
        {"wholly right", 701, 0, 50, 600, {}},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        ctl->ClearDrawLog();
        drawInViewPort(image, 400, 300, c.vx, c.vy, c.vw, c.vh);
        if (c.quad.empty()) {
            EXPECT_TRUE(Calls("poly").empty());
        } else {
            ExpectQuad(OnlyPoly(), c.quad);
        }
    }
}

TEST(IsTextInViewportTest, BandReaches50AboveAnd10Below) {
    const std::pair<int, int> cases[] = {{50, 0}, {51, 1}, {200, 1}, {309, 1}, {310, 0}, {-1000, 0}};
    for (auto [y, in] : cases) {
        SCOPED_TRACE(y);
        EXPECT_EQ(isTextInViewport(y, 100, 200), in);
    }
}

TEST_F(DrawHelpersTest, TexturedPolyDrawsAtMostCountWholeVertices) {
    ImagePtr image = test::SolidImage(8, 8);
    // Four vertices plus a trailing partial one that must never be read.
    const Quad poly = {0, 0, 0, 0, 8, 0, 1, 0, 8, 8, 1, 1, 0, 8, 0, 1, 4, 4};
    struct {
        int count;
        size_t floats; // 0: nothing drawn
    } cases[] = {{-1, 16}, {3, 12}, {4, 16}, {1000, 16}, {0, 0}};
    for (auto& c : cases) {
        SCOPED_TRACE(c.count);
        ctl->ClearDrawLog();
        DrawTexturedPoly(image, poly, 0, c.count);
        auto polys = Calls("poly");
        if (c.floats == 0) {
            EXPECT_TRUE(polys.empty());
        } else {
            ASSERT_EQ(polys.size(), 1u);
            EXPECT_EQ(polys[0].poly.size(), c.floats);
            EXPECT_EQ(polys[0].image, image);
        }
    }
    // Two vertices make no visible polygon; whatever reaches the platform holds no more than them.
    ctl->ClearDrawLog();
    DrawTexturedPoly(image, poly, 0, 2);
    for (const DrawCall& c : Calls("poly"))
        EXPECT_LE(c.poly.size(), 8u);
}

TEST_F(DrawHelpersTest, NullImagesDrawNothing) {
    drawVial(nullptr, 0, 0, 0, 1);
    drawCroppedImage(nullptr, 0, 0, 0, 0, 1, 1);
    drawInViewPort(nullptr, 0, 0, 0, 0, 800, 600);
    DrawTexturedPoly(nullptr, {0, 0, 0, 0, 1, 0, 1, 0, 1, 1, 1, 1}, 0, -1);
    EXPECT_TRUE(ctl->DrawLog().empty());
}

} // namespace
} // namespace vsm
