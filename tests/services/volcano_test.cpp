// Curved-path emitters: particle flight, tapering, dormancy, and the live list walked while
// emitters leave it and new ones join it.
#include "ServicesFixture.h"

#include <functional>

namespace vsm::test {
namespace {

// An emitter subtype whose per-frame step the test chooses; counts its calls.
class ProbeEmiter : public TVolcanoEmiter {
  public:
    int steps = 0;
    std::function<void(ProbeEmiter&)> step;
    void _update() override {
        ++steps;
        if (step) step(*this);
    }
    static std::shared_ptr<ProbeEmiter> add(float ax, float ay, float bx, float by, float dt,
                                            float maxCount) {
        auto e = std::make_shared<ProbeEmiter>();
        e->ax = ax;
        e->ay = ay;
        e->bx = bx;
        e->by = by;
        e->mx = (ax + bx) / 2; // a straight flight keeps the positions easy to check
        e->my = (ay + by) / 2;
        e->dt = dt;
        e->maxCount = maxCount;
        e->r = 10;
        e->g = 20;
        e->b = 30;
        volcanoList.AddLast(e);
        return e;
    }
};

class VolcanoTest : public ServicesTest {
  protected:
    void SetUp() override {
        ServicesTest::SetUp();
        sparkImages[0] = CreateImage(16, 12);
        delta = 1.0;
    }
};

TEST_F(VolcanoTest, ANewEmitterTakesTheGlowImageAndIsActive) {
    TVolcanoEmiter e;
    EXPECT_EQ(e.image, sparkImages[0]);
    EXPECT_EQ(e.imgHW, 8);
    EXPECT_EQ(e.imgHH, 6);
    EXPECT_EQ(e.active, 1);
    EXPECT_EQ(e.counter, 0);
    EXPECT_TRUE(e.entities.IsEmpty());
    EXPECT_TRUE(volcanoList.IsEmpty()); // construction lists nothing

    TVolcanoEntity p;
    EXPECT_EQ(p.r, -1);
    EXPECT_EQ(p.active, 0);
}

TEST_F(VolcanoTest, TheControlPointLiesInTheRectangleOfTheTwoEndsWhicheverWayTheyLie) {
    struct Case {
        float ax, ay, bx, by;
    };
    const Case cases[] = {{10, 20, 110, 70}, {110, 70, 10, 20}, {300, 10, 200, 90}, {50, 50, 50, 50}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.ax) + " -> " + std::to_string(c.bx));
        for (uint32_t seed = 1; seed <= 20; ++seed) {
            SeedRnd(seed);
            VolcanoEmiterPtr e = TVolcanoEmiter::Create(c.ax, c.ay, c.bx, c.by, 0.05f, 10, 1, 2, 3);
            EXPECT_GE(e->mx, std::min(c.ax, c.bx));
            EXPECT_LE(e->mx, std::max(c.ax, c.bx));
            EXPECT_GE(e->my, std::min(c.ay, c.by));
            EXPECT_LE(e->my, std::max(c.ay, c.by));
            EXPECT_EQ(e->maxCount, 10.0f);
            EXPECT_EQ(volcanoList.Last(), e);
        }
    }
}

TEST_F(VolcanoTest, AParticlePassesTheEndThenSitsOnItThenIsDroppedAndTheEmitterLeaves) {
    auto e = ProbeEmiter::add(0, 0, 100, 0, 1.5f, 1);
    std::vector<float> drawnX;
    for (int update = 1; update <= 4; ++update) {
        SCOPED_TRACE(update);
        hl->ClearDrawLog();
        TVolcanoEmiter::updateAll();
        for (const DrawCall& c : Draws())
            drawnX.push_back(c.x + 8); // back to the centre
        EXPECT_EQ(volcanoList.Count(), update < 4 ? 1u : 0u);
    }
    ASSERT_EQ(drawnX.size(), 2u);
    EXPECT_NEAR(drawnX[0], 100.1f, 1e-3); // T = 1.001
    EXPECT_NEAR(drawnX[1], 100.0f, 1e-4); // T = 1, now inactive
    // _update ran in every update but the one that removed the emitter.
    EXPECT_EQ(e->steps, 3);
}

TEST_F(VolcanoTest, ParticlesStartOnePerUpdateEachSmallerThanTheOneBefore) {
    auto e = ProbeEmiter::add(0, 0, 0, 0, 0.01f, 4); // B = A: every particle stays at A
    for (int i = 0; i < 4; ++i)
        TVolcanoEmiter::updateAll();
    std::vector<float> scales;
    for (const VolcanoEntityPtr& p : e->entities)
        scales.push_back(p->scale);
    EXPECT_EQ(scales, (std::vector<float>{1.0f, 0.75f, 0.5f, 0.25f}));
    EXPECT_EQ(e->counter, 4);
    // The last update drew all four, centred on A at their own scales, in the emitter's colour.
    auto draws = Draws();
    ASSERT_EQ(draws.size(), 1u + 2u + 3u + 4u);
    const DrawCall& last = draws.back();
    EXPECT_FLOAT_EQ(last.x, 0 - 8 * 0.25f);
    EXPECT_FLOAT_EQ(last.y, 0 - 6 * 0.25f);
    EXPECT_EQ(last.state.blend, LIGHTBLEND);
    EXPECT_EQ(last.state.r, 10);
    EXPECT_EQ(last.state.b, 30);
    // Afterwards: light blend, alpha 1, scale 1, white.
    const DrawState& st = CurrentDrawState();
    EXPECT_EQ(st.blend, LIGHTBLEND);
    EXPECT_EQ(st.alpha, 1.0f);
    EXPECT_EQ(st.scaleX, 1.0f);
    EXPECT_EQ(st.r, 255);
    EXPECT_EQ(st.g, 255);

    // A fractional count starts every whole k below it: 2.5 gives three.
    auto f = ProbeEmiter::add(0, 0, 0, 0, 0.01f, 2.5f);
    for (int i = 0; i < 5; ++i)
        f->Update();
    EXPECT_EQ(f->entities.Count(), 3u);
}

TEST_F(VolcanoTest, AnEmitterWithNothingToStartLeavesAtOnceWithoutItsStep) {
    auto e = ProbeEmiter::add(0, 0, 10, 10, 0.1f, 0);
    TVolcanoEmiter::updateAll();
    EXPECT_TRUE(volcanoList.IsEmpty());
    EXPECT_EQ(e->steps, 0);
    EXPECT_TRUE(Draws().empty());
}

TEST_F(VolcanoTest, ADormantEmitterOnlyRunsItsStepAndKeepsItsParticlesFrozen) {
    auto e = ProbeEmiter::add(0, 0, 100, 0, 0.1f, 5);
    TVolcanoEmiter::updateAll();
    const float x = e->entities.First()->px;
    e->active = 0;
    hl->ClearDrawLog();
    for (int i = 0; i < 10; ++i)
        TVolcanoEmiter::updateAll();
    EXPECT_TRUE(Draws().empty());
    EXPECT_EQ(e->entities.First()->px, x);
    EXPECT_EQ(e->counter, 1);
    EXPECT_EQ(e->steps, 11);
    EXPECT_EQ(volcanoList.Count(), 1u); // a dormant emitter never leaves by itself
    e->active = 1;
    TVolcanoEmiter::updateAll();
    EXPECT_EQ(e->counter, 2);
    EXPECT_GT(e->entities.First()->px, x);
}

TEST_F(VolcanoTest, AParticleWithItsOwnColourDrawsInIt) {
    auto e = ProbeEmiter::add(0, 0, 0, 0, 0.01f, 2);
    TVolcanoEmiter::updateAll();
    VolcanoEntityPtr p = e->entities.First();
    p->r = 200;
    p->g = 0;
    p->b = 100;
    hl->ClearDrawLog();
    TVolcanoEmiter::updateAll();
    auto draws = Draws();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].state.r, 200);
    // The next particle has none: it keeps the colour the one before it set.
    EXPECT_EQ(draws[1].state.r, 200);
    EXPECT_EQ(draws[1].state.b, 100);
}

TEST_F(VolcanoTest, EmittersAppendedDuringTheWalkAreUpdatedInTheSameWalk) {
    std::shared_ptr<ProbeEmiter> child;
    auto parent = ProbeEmiter::add(0, 0, 10, 0, 0.1f, 3);
    parent->step = [&child](ProbeEmiter&) {
        if (!child) child = ProbeEmiter::add(5, 5, 5, 5, 0.1f, 2);
    };
    TVolcanoEmiter::updateAll();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->counter, 1);
    EXPECT_EQ(child->steps, 1);
    EXPECT_EQ(volcanoList.Count(), 2u);
}

TEST_F(VolcanoTest, EmittersLeavingDuringTheWalkDoNotDisturbIt) {
    auto gone1 = ProbeEmiter::add(0, 0, 1, 1, 0.1f, 0);
    auto stays = ProbeEmiter::add(0, 0, 1, 1, 0.1f, 3);
    auto gone2 = ProbeEmiter::add(0, 0, 1, 1, 0.1f, 0);
    auto last = ProbeEmiter::add(0, 0, 1, 1, 0.1f, 3);
    TVolcanoEmiter::updateAll();
    EXPECT_EQ(stays->counter, 1);
    EXPECT_EQ(last->counter, 1);
    EXPECT_EQ(volcanoList.Snapshot(), (std::vector<VolcanoEmiterPtr>{stays, last}));
}

TEST_F(VolcanoTest, EmptyingTheListFromAnEffectStopsEveryEmitterAtOnce) {
    auto first = ProbeEmiter::add(0, 0, 1, 1, 0.1f, 3);
    auto second = ProbeEmiter::add(0, 0, 1, 1, 0.1f, 3);
    first->step = [](ProbeEmiter&) { volcanoList.Clear(); };
    TVolcanoEmiter::updateAll();
    EXPECT_TRUE(volcanoList.IsEmpty());
    EXPECT_EQ(second->steps, 0);
    EXPECT_EQ(first->steps, 1);
}

} // namespace
} // namespace vsm::test
