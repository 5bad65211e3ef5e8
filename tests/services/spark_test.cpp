// Sparks (motion, fading, ageing, drawing order) and comets (flight along the curve, trail).
#include "ServicesFixture.h"
#include "support/TestSupport.h"

namespace vsm::test {
namespace {

class SparkTest : public ServicesTest {
  protected:
    void SetUp() override {
        ServicesTest::SetUp();
        for (int i = 0; i < 4; ++i)
            sparkImages[i] = CreateImage(16, 16);
        delta = 1.0;
    }
    // The alpha in force: a negative request shows nothing, as alpha 0 would.
    static float ShownAlpha(const DrawState& st) { return st.alphaNegative ? 0.0f : st.alpha; }
};

TEST_F(SparkTest, StraightSparksMoveByVelocityTimesTheFrameFactor) {
    SparkPtr s = TSpark::Create(sparkImages[1], 100, 50, 1.0f, 10, 255, 255, 255, 1, 0);
    s->setVelocity(1.5f, -0.5f);
    delta = 2.0;
    TSpark::UpdateAll();
    auto draws = Draws();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_FLOAT_EQ(draws[0].x, 103.0f);
    EXPECT_FLOAT_EQ(draws[0].y, 49.0f);
    EXPECT_FLOAT_EQ(s->life, 8.0f);

    // Frame factor 0: neither moves nor ages.
    delta = 0.0;
    TSpark::UpdateAll();
    EXPECT_FLOAT_EQ(s->x, 103.0f);
    EXPECT_FLOAT_EQ(s->life, 8.0f);
}

TEST_F(SparkTest, CirclingSparksTurnOneDegreePerUpdateWhateverTheFrameFactor) {
    SparkPtr s = TSpark::Create(sparkImages[1], 0, 0, 1.0f, 10, 255, 255, 255, 1, 0);
    s->setMovementType(89, 20, 200, 100);
    EXPECT_EQ(s->sparkType, 1);
    delta = 0.0;
    TSpark::UpdateAll();
    EXPECT_EQ(s->arcus, 90);
    EXPECT_NEAR(s->x, 200.0f, 1e-4);
    EXPECT_NEAR(s->y, 120.0f, 1e-4); // below the centre: clockwise on screen
    TSpark::UpdateAll();
    EXPECT_EQ(s->arcus, 91);
    EXPECT_NEAR(s->x, 199.650952f, 1e-4); // 200 + 20 cos 91 degrees
    EXPECT_FLOAT_EQ(s->life, 10.0f);
}

TEST_F(SparkTest, FadeRulesOverALifetimeOfOneHundred) {
    struct Case {
        int life;
        float fadeOut;   // showUp 0
        float fadeInOut; // showUp 1
    };
    const Case cases[] = {
        {100, 0.8f, 0.0f},
        {95, 0.75f, 0.0f},
        {94, 0.74f, 0.0f},
        {93, 0.73f, 1.0f / 30},
        {70, 0.5f, 0.8f},
        {50, 0.3f, 0.8f},
        {30, 0.1f, 0.8f},
        {29, 0.09f, 29.0f / 30 - 0.2f},
        {20, 0.0f, 20.0f / 30 - 0.2f},
        {6, 0.0f, 0.0f},
        {1, 0.0f, 0.0f},
    };
    for (int showUp : {0, 1}) {
        SCOPED_TRACE(showUp);
        TSpark::Create(sparkImages[1], 0, 0, 1.0f, 100, 255, 255, 255, 2, showUp);
        std::vector<float> alphaAtLife(101, -1);
        for (int life = 100; life >= 1; --life) {
            ASSERT_EQ(SparkList.Count(), 1u);
            TSpark::UpdateAll();
            alphaAtLife[life] = ShownAlpha(CurrentDrawState());
        }
        EXPECT_TRUE(SparkList.IsEmpty()); // gone right after its draw at life 1
        for (const Case& c : cases) {
            SCOPED_TRACE(c.life);
            EXPECT_NEAR(alphaAtLife[c.life], showUp == 0 ? c.fadeOut : c.fadeInOut, 1e-4);
        }
    }
}

TEST_F(SparkTest, ShortLivesAndMissingLifetimes) {
    SparkPtr once = TSpark::Create(sparkImages[1], 0, 0, 1.0f, 1, 255, 255, 255, 1, 0);
    TSpark::UpdateAll();
    EXPECT_EQ(Draws().size(), 1u);
    EXPECT_FALSE(SparkList.Contains(once.get()));

    // No lifetime: the fade rules cannot be applied, so nothing is drawn; it still leaves.
    hl->ClearDrawLog();
    for (int showUp : {0, 1, 2})
        TSpark::Create(sparkImages[1], 0, 0, 1.0f, 0, 255, 255, 255, 1, showUp);
    TSpark::Create(sparkImages[1], 0, 0, 1.0f, -5, 255, 255, 255, 1, 0);
    TSpark::UpdateAll();
    EXPECT_TRUE(Draws().empty());
    EXPECT_TRUE(SparkList.IsEmpty());
}

TEST_F(SparkTest, NewestSparksAreDrawnFirstWithTheirOwnBlendColourAndScale) {
    SetBlend(SOLIDBLEND);
    TSpark::Create(sparkImages[1], 1, 0, 0.5f, 10, 300, -20, 7, 0, 0); // blend left as it was
    TSpark::Create(sparkImages[2], 2, 0, 1.5f, 10, 1, 2, 3, 2, 0);
    TSpark::Create(sparkImages[3], 3, 0, 2.0f, 10, 4, 5, 6, 1, 0);
    TSpark::UpdateAll();
    auto draws = Draws();
    ASSERT_EQ(draws.size(), 3u);
    EXPECT_EQ(draws[0].image, sparkImages[3]);
    EXPECT_EQ(draws[0].state.blend, LIGHTBLEND);
    EXPECT_FLOAT_EQ(draws[0].state.scaleX, 2.0f);
    EXPECT_EQ(draws[1].image, sparkImages[2]);
    EXPECT_EQ(draws[1].state.blend, ALPHABLEND);
    EXPECT_EQ(draws[1].state.g, 2);
    EXPECT_EQ(draws[2].image, sparkImages[1]);
    EXPECT_EQ(draws[2].state.blend, ALPHABLEND); // the previous spark's
    EXPECT_EQ(draws[2].state.r, 255);            // clamped by the drawing layer
    EXPECT_EQ(draws[2].state.g, 0);
    EXPECT_EQ(draws[2].frame, 0);
    // The last spark's state stays in force.
    EXPECT_FLOAT_EQ(CurrentDrawState().scaleX, 0.5f);

    SparkList.First()->Destroy();
    EXPECT_EQ(SparkList.Count(), 2u);
    TSpark::destroyAll();
    EXPECT_TRUE(SparkList.IsEmpty());
}

TEST_F(SparkTest, SummarySparklesStartInTheirRanges) {
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        SeedRnd(seed);
        createSpark();
        SparkPtr s = SparkList.First();
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->img, sparkImages[1]);
        EXPECT_GE(s->x, 205);
        EXPECT_LE(s->x, 208);
        EXPECT_GE(s->y, 433);
        EXPECT_LE(s->y, 436);
        EXPECT_GE(s->life, 60);
        EXPECT_LE(s->life, 110);
        EXPECT_EQ(s->life, s->lifetime);
        EXPECT_GE(s->scale, 0.4f);
        EXPECT_LE(s->scale, 0.7f);
        for (int c : {s->r, s->g, s->b}) {
            EXPECT_GE(c, 100);
            EXPECT_LE(c, 200);
        }
        EXPECT_GE(s->vx, 0.1f);
        EXPECT_LE(s->vx, 0.6f + 1e-6f);
        EXPECT_GE(s->vy, 0.2f - 1e-6f);
        EXPECT_LE(s->vy, 0.4f + 1e-6f);
        EXPECT_EQ(s->blending, 1);
        EXPECT_EQ(s->showUp, 0);
    }
    EXPECT_EQ(SparkList.Count(), 40u);
}

TEST_F(SparkTest, SparkImageSlotsOutsideTheTableAreNothing) {
    EXPECT_EQ(SparkImage(-1), nullptr);
    EXPECT_EQ(SparkImage(5), nullptr);
    EXPECT_EQ(SparkImage(4), nullptr);
    EXPECT_EQ(SparkImage(0), sparkImages[0]);

    const std::string dir = ScratchDir("sparks");
    bDir = dir + "/";
    CreateDir(dir + "/gfx/gwiazdki", true);
    ASSERT_TRUE(SavePixmapPNG(CreatePixmap(8, 6), dir + "/gfx/gwiazdki/gradball.png"));
    loadSparkImage(0, "gfx/gwiazdki/gradball.png");
    ASSERT_NE(sparkImages[0], nullptr);
    EXPECT_EQ(ImageWidth(sparkImages[0]), 8);
    EXPECT_EQ(sparkImages[0]->flags & MASKEDIMAGE, 0);
    EXPECT_NE(sparkImages[0]->flags & FILTEREDIMAGE, 0);
    EXPECT_NE(sparkImages[0]->flags & MIPMAPPEDIMAGE, 0);
    EXPECT_EQ(sparkImages[0]->handleX, 0);
    loadSparkImage(5, "gfx/gwiazdki/gradball.png"); // ignored
    loadSparkImage(-1, "gfx/gwiazdki/gradball.png");
    loadSparkImage(2, "gfx/gwiazdki/missing.png");
    EXPECT_EQ(sparkImages[2], nullptr);
}

using CometTest = SparkTest;

TEST_F(CometTest, FliesPastTheEndOnceThenLandsOnItAndLeaves) {
    CometPtr c = TCometEmiter::start(0, 0, 100, 0, 50, 0, 0.6f, 0, 0, 0, 0, 1.0f);
    EXPECT_EQ(cometList.Count(), 1u);
    EXPECT_EQ(c->active, 1);
    TCometEmiter::updateAll();
    EXPECT_FLOAT_EQ(c->t, 0.6f);
    EXPECT_NEAR(c->px, 60.0f, 1e-4);
    EXPECT_EQ(SparkList.Count(), 4u);
    TCometEmiter::updateAll();
    EXPECT_FLOAT_EQ(c->t, 1.001f);
    EXPECT_NEAR(c->px, 100.1f, 1e-3);
    EXPECT_EQ(cometList.Count(), 1u);
    TCometEmiter::updateAll();
    EXPECT_FLOAT_EQ(c->t, 1.0f);
    EXPECT_EQ(c->active, 0);
    EXPECT_FLOAT_EQ(c->px, 100.0f);
    EXPECT_EQ(SparkList.Count(), 12u); // its last trail is still thrown
    EXPECT_TRUE(cometList.IsEmpty());
    EXPECT_TRUE(Draws().empty()); // a comet draws nothing itself
}

TEST_F(CometTest, TrailStartsAtTheHeadWhileTheHistoryIsEmpty) {
    CometPtr c = TCometEmiter::start(40, 30, 200, 30, 120, 30, 0.25f, 0, 0, 0, 0, 1.0f);
    c->setRGB(100, 50, 200);
    c->update();
    // All four sparks at A: an empty history entry reads as the head, and there is no spread.
    ASSERT_EQ(SparkList.Count(), 4u);
    int trail = 0, head = 0;
    for (const SparkPtr& s : SparkList) {
        EXPECT_EQ(s->x, 40);
        EXPECT_EQ(s->y, 30);
        EXPECT_EQ(s->img, sparkImages[0]);
        EXPECT_EQ(s->blending, 1);
        EXPECT_EQ(s->showUp, 0);
        EXPECT_GE(s->r, 110);
        EXPECT_LE(s->r, 150);
        EXPECT_GE(s->g, 55);
        EXPECT_LE(s->g, 75);
        EXPECT_GE(s->b, 220);
        EXPECT_LE(s->b, 300);
        if (s->scale == 1.5f) {
            ++trail;
            EXPECT_GE(s->life, 50);
            EXPECT_LE(s->life, 60);
        } else {
            ++head;
            EXPECT_FLOAT_EQ(s->scale, 1.3f);
            EXPECT_GE(s->life, 20);
            EXPECT_LE(s->life, 50);
        }
    }
    EXPECT_EQ(trail, 2);
    EXPECT_EQ(head, 2);
    // The head sparks take the colour of the last trail spark (newest first in the list).
    auto sparks = SparkList.Snapshot();
    EXPECT_EQ(sparks[0]->r, sparks[2]->r);
    EXPECT_EQ(sparks[1]->g, sparks[2]->g);
    // The history took the head before the move; the head moved to the curve point.
    EXPECT_EQ(c->lastX[4], 40);
    EXPECT_EQ(c->lastY[4], 30);
    EXPECT_EQ(c->lastX[3], 0);
    EXPECT_EQ(c->x, 80); // Int(px) at t = 0.25
}

TEST_F(CometTest, ACometWithoutColourThrowsBlackSparks) {
    TCometEmiter::start(0, 0, 10, 10, 5, 5, 0.1f, -6, 6, -6, 6, 1.0f);
    TCometEmiter::updateAll();
    for (const SparkPtr& s : SparkList)
        EXPECT_EQ(s->r + s->g + s->b, 0);
    // The never-flying global comet is untouched by all this.
    EXPECT_EQ(comet.active, 0);
    EXPECT_TRUE(comet.entities.IsEmpty());
}

} // namespace
} // namespace vsm::test
