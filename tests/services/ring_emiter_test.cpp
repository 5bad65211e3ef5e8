// Ring spark emitters: creation defaults, the three-turn life with its colour envelope, and the
// live list walked while several emitters end in one frame.
#include "ServicesFixture.h"

namespace vsm::test {
namespace {

class RingEmiterTest : public ServicesTest {
  protected:
    void SetUp() override {
        ServicesTest::SetUp();
        sparkImages[1] = CreateImage(10, 8);
        delta = 1.0;
    }
    // The newest spark (sparks are put at the front of their list).
    SparkPtr Newest() const { return SparkList.Snapshot().front(); }
};

TEST_F(RingEmiterTest, CreateKeepsADefaultForEveryArgumentThatAsksForIt) {
    struct Case {
        float range;
        int r, g, b;
        float mins, maxs;
        float wantRange;
        int wantR, wantG, wantB;
        float wantMins, wantMaxs;
    };
    const Case cases[] = {
        {0, -1, -1, -1, -1, -1, 26, 255, 150, 150, 0.5f, 1.0f},
        {-12, 0, 7, -5, 0, 2, -12, 0, 7, 150, 0, 2},
        {40, 10, 20, 30, 0.8f, 1.2f, 40, 10, 20, 30, 0.8f, 1.2f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.range);
        ringEmiterList.Clear();
        EXPECT_EQ(TRingEmiter::Create(100, 50, c.range, c.r, c.g, c.b, c.mins, c.maxs, 1), 0);
        ASSERT_EQ(ringEmiterList.Count(), 1u);
        const auto e = ringEmiterList.Snapshot().front();
        EXPECT_EQ(e->x, 100);
        EXPECT_EQ(e->y, 50);
        EXPECT_EQ(e->Range, c.wantRange);
        EXPECT_EQ(e->r, c.wantR);
        EXPECT_EQ(e->g, c.wantG);
        EXPECT_EQ(e->b, c.wantB);
        EXPECT_EQ(e->mins, c.wantMins);
        EXPECT_EQ(e->maxs, c.wantMaxs);
        EXPECT_EQ(e->angle, 0);
    }
    EXPECT_TRUE(SparkList.IsEmpty()) << "a new emitter emits nothing at its creation";
}

TEST_F(RingEmiterTest, ThreeTurnsLeave109SparksThatFadeInAndOut) {
    TRingEmiter::Create(200, 300, 0, 255, 150, 150, 1, 1, 1);
    int updates = 0;
    while (!ringEmiterList.IsEmpty() && updates < 500) {
        TRingEmiter::UpdateAll();
        ++updates;
        const SparkPtr s = Newest();
        if (updates == 1) {
            // Angle 10: each channel at int(channel * 10 / 360).
            EXPECT_EQ(s->r, 7);
            EXPECT_EQ(s->g, 4);
            EXPECT_EQ(s->b, 4);
            EXPECT_EQ(s->life, 50);
            EXPECT_EQ(s->blending, 1);
            EXPECT_EQ(s->showUp, 0);
            // Centred at 10 degrees on the circle, (225.6, 304.5) +- 2, at scale 1 with a 10x8
            // picture: left 220.6 +- 2 and top 300.5 +- 2, truncated.
            EXPECT_GE(s->x, 218);
            EXPECT_LE(s->x, 222);
            EXPECT_GE(s->y, 298);
            EXPECT_LE(s->y, 302);
        }
        if (updates == 36) { // angle 360: full colour
            EXPECT_EQ(s->r, 255);
            EXPECT_EQ(s->g, 150);
        }
    }
    EXPECT_EQ(updates, 109);
    EXPECT_EQ(SparkList.Count(), 109u);
    // The last spark, at angle 1090: int(channel * (1 - 190 / 360)).
    EXPECT_EQ(Newest()->r, 120);
    EXPECT_EQ(Newest()->g, 70);
}

TEST_F(RingEmiterTest, EmittersEndingInOneFrameLeaveTogetherAndTheWalkVisitsTheRest) {
    TRingEmiter::Create(0, 0, 0, -1, -1, -1, -1, -1, 1);
    TRingEmiter::Create(0, 0, 0, -1, -1, -1, -1, -1, 1);
    TRingEmiter::Create(0, 0, 0, -1, -1, -1, -1, -1, 1);
    auto all = ringEmiterList.Snapshot();
    all[0]->angle = 1075;
    all[2]->angle = 1075;
    TRingEmiter::UpdateAll();
    EXPECT_EQ(ringEmiterList.Count(), 1u);
    EXPECT_EQ(ringEmiterList.Snapshot().front(), all[1]);
    EXPECT_EQ(all[1]->angle, 10);
    EXPECT_EQ(SparkList.Count(), 3u) << "the leaving emitters still emit their last spark";

    // One long frame may end an emitter after its only spark.
    delta = 120;
    TRingEmiter::UpdateAll();
    EXPECT_TRUE(ringEmiterList.IsEmpty());
    EXPECT_EQ(SparkList.Count(), 4u);
    TRingEmiter::UpdateAll(); // an empty list does nothing
    EXPECT_EQ(SparkList.Count(), 4u);
}

} // namespace
} // namespace vsm::test
