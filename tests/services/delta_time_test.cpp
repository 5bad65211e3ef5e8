// The frame timer: the frame factor from the clock and the frames-per-second count.
#include "ServicesFixture.h"

namespace vsm::test {
namespace {

using DeltaTimeTest = ServicesTest;

TEST_F(DeltaTimeTest, FrameFactorIsElapsedMillisecondsOverOneSixtiethOfASecond) {
    struct Case {
        int frameMs;
        float factor;
    };
    const Case cases[] = {{16, 0.96f}, {17, 1.02f}, {33, 1.98f}, {40, 2.4f}, {2000, 120.0f}, {0, 0.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frameMs);
        TDeltaTime t = TDeltaTime::Create(60.0f);
        EXPECT_NEAR(t.dDelta, 1000.0f / 60.0f, 1e-4);
        hl->SetClock(5000);
        t.Update();
        hl->AdvanceClock(c.frameMs);
        t.Update();
        EXPECT_EQ(t.ElapsedTime, c.frameMs);
        EXPECT_NEAR(t.CurrDelta(), c.factor, 1e-4);
    }
}

TEST_F(DeltaTimeTest, FirstUpdateMeasuresFromClockZeroAndLaterOnesFromThePrevious) {
    hl->SetClock(250);
    deltaTime = TDeltaTime::Create(60.0f);
    deltaTime.Update();
    EXPECT_EQ(deltaTime.ElapsedTime, 250);
    // A screen loop's frames at the virtual clock's 1000/60 ms step.
    for (int i = 0; i < 3; ++i) {
        Flip(0);
        deltaTime.Update();
        delta = deltaTime.CurrDelta();
        EXPECT_GE(deltaTime.ElapsedTime, 16);
        EXPECT_LE(deltaTime.ElapsedTime, 17);
        EXPECT_NEAR(delta, 1.0, 0.05);
    }
}

TEST_F(DeltaTimeTest, CountsTheFramesOfEachWholeSecond) {
    TDeltaTime t = TDeltaTime::Create(60.0f);
    hl->SetFrameStep(10);
    t.Update(); // clock 0 is not past CheckTime 0: counted
    Flip(0);
    t.Update(); // clock 10 opens the second ending at 1010 and publishes that one frame
    EXPECT_EQ(t.FPS(), 1);
    EXPECT_EQ(t.FPSCounter, 0);
    for (int i = 0; i < 100; ++i) {
        Flip(0);
        t.Update(); // clocks 20..1010
    }
    EXPECT_EQ(t.FPS(), 1);
    EXPECT_EQ(t.FPSCounter, 100);
    Flip(0);
    t.Update(); // clock 1020 closes it
    EXPECT_EQ(t.FPS(), 100);
    EXPECT_EQ(t.FPSCounter, 0);
    EXPECT_EQ(t.CheckTime, 2020);
}

TEST_F(DeltaTimeTest, ATimerWithoutARateGivesNoFactor) {
    TDeltaTime t; // every field 0
    hl->SetClock(100);
    t.Update();
    EXPECT_EQ(t.CurrDelta(), 0.0f);
    t.SetFPS(0); // ignored
    EXPECT_EQ(t.dDelta, 0.0f);
    t.SetFPS(30);
    EXPECT_NEAR(t.CurrDelta(), 3.0f, 1e-5); // 100 ms at 30 fps
}

} // namespace
} // namespace vsm::test
