// Floating captions (layout of the digits, rise and sink, fading, start delay) and the list of
// revealed slides.
#include "ServicesFixture.h"
#include "support/TestSupport.h"

namespace vsm::test {
namespace {

class CaptionTest : public ServicesTest {
  protected:
    void SetUp() override {
        ServicesTest::SetUp();
        TCaptions::cyfry = CreateImage(32, 32, 10);
        TCaptions::points = CreateImage(40, 20);
        TCaptions::match = CreateImage(50, 20);
        TCaptions::combo = CreateImage(256, 42, 3);
        delta = 1.0;
    }
    std::vector<DrawCall> DrawsOf(const ImagePtr& image) const {
        std::vector<DrawCall> out;
        for (const DrawCall& c : Draws())
            if (c.image == image) out.push_back(c);
        return out;
    }
};

TEST_F(CaptionTest, PointsDigitsAdvanceByTheirWidthsTimesTheScale) {
    struct Case {
        float scale;
        std::vector<float> digitX;
        float labelX;
        float height; // relative to the caption's y
    };
    const Case cases[] = {{1.0f, {0, 10, 29}, 63, 0}, {1.5f, {0, 15, 43.5f}, 88, -15}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scale);
        captions.Clear();
        hl->ClearDrawLog();
        CaptionPtr cap = TCaptions::addCaption(CAPTION_POINTS, 150, 100, 300, c.scale, 0, 0);
        TCaptions::updateAll();
        EXPECT_FLOAT_EQ(cap->y, 299.5f); // it rose half a pixel first
        auto digits = DrawsOf(TCaptions::cyfry);
        ASSERT_EQ(digits.size(), 3u);
        const int frames[3] = {1, 5, 0};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(digits[i].frame, frames[i]);
            EXPECT_FLOAT_EQ(digits[i].x, 100 + c.digitX[i]);
            EXPECT_FLOAT_EQ(digits[i].y, cap->y + c.height);
        }
        auto label = DrawsOf(TCaptions::points);
        ASSERT_EQ(label.size(), 1u);
        EXPECT_FLOAT_EQ(label[0].x, 100 + c.labelX);
        EXPECT_FLOAT_EQ(label[0].y, cap->y + c.height);
        EXPECT_FLOAT_EQ(label[0].state.scaleX, c.scale);
    }
}

TEST_F(CaptionTest, WidthAndCentring) {
    CaptionPtr points = TCaptions::addCaption(CAPTION_POINTS, 150, 100, 0, 1.0f, 0, 0);
    EXPECT_EQ(points->GetWidth(), 10 + 19 + 22 + 12 + 40);
    CaptionPtr match = TCaptions::addCaption(CAPTION_MATCH, 7, 100, 0, 1.0f, 1, 0);
    EXPECT_EQ(match->GetWidth(), 16 + 12 + 50);
    EXPECT_FLOAT_EQ(match->x, 100 - 39);
    CaptionPtr combo = TCaptions::addCaption(CAPTION_COMBO, 3, 100, 0, 1.0f, 1, 0);
    EXPECT_EQ(combo->GetWidth(), 19 + 12 + 256);
    EXPECT_FLOAT_EQ(combo->x, 100 - 143);
    CaptionPtr picture = TCaptions::addCaption(CAPTION_PICTURE, 0, 100, 0, 1.0f, 1, 0, CreateImage(64, 64));
    EXPECT_EQ(picture->GetWidth(), 22 + 12);
    // A negative number shows its digits without a sign.
    CaptionPtr negative = TCaptions::addCaption(CAPTION_POINTS, -15, 0, 0, 1.0f, 0, 0);
    EXPECT_EQ(negative->GetWidth(), 10 + 19 + 12 + 40);
    EXPECT_EQ(negative->drawNumber(0), 10 + 19 + 12);
}

TEST_F(CaptionTest, FadesInFastOutSlowlyAndLeavesAfterAboutTwoSeconds) {
    CaptionPtr cap = TCaptions::addCaption(CAPTION_MATCH, 5, 0, 200, 1.0f, 0, 0);
    std::vector<float> alphas;
    int updates = 0;
    while (captions.Contains(cap.get()) && updates < 500) {
        hl->ClearDrawLog();
        TCaptions::updateAll();
        ++updates;
        auto label = DrawsOf(TCaptions::match);
        if (!label.empty()) alphas.push_back(label[0].state.alpha);
    }
    EXPECT_EQ(updates, 120);        // phase 3 per update to 90, then 1 per update to 180
    ASSERT_EQ(alphas.size(), 119u); // the update that reaches 180 draws nothing
    EXPECT_EQ(alphas[0], 0.0f);     // the first frame draws with the alpha from before
    EXPECT_NEAR(alphas[30], 1.0f, 1e-5);
    EXPECT_NEAR(alphas[1], 0.0523360f, 1e-5); // sin 3 degrees
    EXPECT_LT(alphas.back(), 0.04f);
    EXPECT_NEAR(cap->y, 200 - 0.5f * 120, 1e-3);
}

TEST_F(CaptionTest, ADelayedCaptionNeitherMovesNorDrawsUntilItsTimeHasPassed) {
    hl->SetClock(1000);
    CaptionPtr cap = TCaptions::addCaption(CAPTION_POINTS, 10, 0, 100, 1.0f, 0, 500);
    EXPECT_EQ(cap->Timer, 1000);
    for (int64_t t : {1000, 1200, 1499}) {
        hl->SetClock(t);
        TCaptions::updateAll();
    }
    EXPECT_TRUE(Draws().empty());
    EXPECT_EQ(cap->y, 100);
    EXPECT_EQ(cap->alphaStage, 0);
    hl->SetClock(1500);
    TCaptions::updateAll();
    EXPECT_EQ(cap->delayTime, 0);
    EXPECT_EQ(DrawsOf(TCaptions::points).size(), 1u);

    // A negative delay starts at once.
    hl->ClearDrawLog();
    TCaptions::addCaption(CAPTION_MATCH, 1, 0, 0, 1.0f, 0, -100);
    TCaptions::updateAll();
    EXPECT_EQ(DrawsOf(TCaptions::match).size(), 1u);
}

TEST_F(CaptionTest, ComboCaptionsGrowWithTheFrameFactorButSinkPerUpdate) {
    CaptionPtr cap = TCaptions::addCaption(CAPTION_COMBO, 3, 400, 100, 1.0f, 0, 0);
    delta = 2.0;
    TCaptions::updateAll();
    EXPECT_FLOAT_EQ(cap->scale, 1.008f);
    EXPECT_FLOAT_EQ(cap->y, 100.6f);
    EXPECT_FLOAT_EQ(cap->alphaStage, 6.0f);
    auto draws = DrawsOf(TCaptions::combo);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].frame, 1);
    EXPECT_FLOAT_EQ(draws[0].state.scaleX, 1.0f); // drawn at the scale from before
    EXPECT_FLOAT_EQ(draws[0].x, 400);
    EXPECT_FLOAT_EQ(draws[0].y, 100.6f);

    // Counts outside 2..4 show the nearest picture rather than nothing.
    struct Case {
        int number, frame;
    };
    for (Case c : {Case{2, 0}, Case{4, 2}, Case{7, 2}, Case{1, 0}, Case{-3, 0}}) {
        SCOPED_TRACE(c.number);
        captions.Clear();
        hl->ClearDrawLog();
        TCaptions::addCaption(CAPTION_COMBO, c.number, 0, 0, 1.0f, 0, 0);
        TCaptions::updateAll();
        ASSERT_EQ(DrawsOf(TCaptions::combo).size(), 1u);
        EXPECT_EQ(DrawsOf(TCaptions::combo)[0].frame, c.frame);
    }
}

TEST_F(CaptionTest, PictureCaptionsGrowAndUnknownKindsWaitForDestroyAll) {
    ImagePtr bonus = CreateImage(30, 30);
    CaptionPtr pic = TCaptions::addCaption(CAPTION_PICTURE, 0, 50, 60, 1.0f, 0, 0, bonus);
    CaptionPtr bare = TCaptions::addCaption(CAPTION_PICTURE, 0, 50, 60, 1.0f, 0, 0);
    CaptionPtr odd = TCaptions::addCaption(9, 0, 0, 0, 1.0f, 0, 0);
    TCaptions::updateAll();
    EXPECT_FLOAT_EQ(pic->scale, 1.005f);
    auto draws = Draws();
    ASSERT_EQ(draws.size(), 1u); // the caption without a picture draws nothing
    EXPECT_EQ(draws[0].image, bonus);
    EXPECT_EQ(draws[0].x, 50);
    EXPECT_EQ(CurrentDrawState().blend, ALPHABLEND);
    for (int i = 0; i < 200; ++i)
        TCaptions::updateAll();
    EXPECT_EQ(captions.Snapshot(), (std::vector<CaptionPtr>{odd}));
    TCaptions::destroyAll();
    EXPECT_TRUE(captions.IsEmpty());
}

TEST_F(CaptionTest, CaptionsWithoutTheirPicturesStillAgeAndLeave) {
    TCaptions::cyfry = nullptr;
    TCaptions::points = nullptr;
    CaptionPtr cap = TCaptions::addCaption(CAPTION_POINTS, 42, 0, 0, 1.0f, 1, 0);
    EXPECT_EQ(cap->GetWidth(), 19 + 19 + 12);
    for (int i = 0; i < 120; ++i)
        TCaptions::updateAll();
    EXPECT_TRUE(captions.IsEmpty());
    EXPECT_TRUE(Draws().empty());
}

TEST_F(CaptionTest, LoadGfxCutsTheStripsAndCentresTheComboHandle) {
    const std::string dir = ScratchDir("captions");
    bDir = dir + "/";
    CreateDir(dir + "/gfx/fonts", true);
    ASSERT_TRUE(SavePixmapPNG(CreatePixmap(60, 20), dir + "/gfx/fonts/match.png"));
    ASSERT_TRUE(SavePixmapPNG(CreatePixmap(256, 126), dir + "/gfx/fonts/combo.png"));
    ASSERT_TRUE(SavePixmapPNG(CreatePixmap(45, 20), dir + "/gfx/fonts/points.png"));
    ASSERT_TRUE(SavePixmapPNG(CreatePixmap(320, 32), dir + "/gfx/fonts/CYFRY2.png"));
    TCaptions::loadGfx();
    EXPECT_EQ(ImageWidth(TCaptions::match), 60);
    EXPECT_EQ(ImageWidth(TCaptions::points), 45);
    EXPECT_EQ(ImageFrames(TCaptions::combo), 3);
    EXPECT_EQ(TCaptions::combo->handleX, 128);
    EXPECT_EQ(TCaptions::combo->handleY, 21);
    EXPECT_EQ(ImageFrames(TCaptions::cyfry), 10);
    EXPECT_EQ(ImageWidth(TCaptions::cyfry), 32);
}

using SlidesTest = ServicesTest;

TEST_F(SlidesTest, RevealedNamesAreKeptOnceInOrderComparedExactly) {
    for (const char* name : {"gfx/bg/a.jpg", "gfx/bg/b.jpg", "gfx/bg/a.jpg", "GFX/BG/A.JPG", ""})
        slides.addRevealedImage(name);
    slides.addRevealedImage("");
    EXPECT_EQ(slides.revealedImages,
              (std::vector<std::string>{"gfx/bg/a.jpg", "gfx/bg/b.jpg", "GFX/BG/A.JPG", ""}));
}

} // namespace
} // namespace vsm::test
