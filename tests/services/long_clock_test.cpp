// Timers that compare or subtract clock readings once the millisecond clock has passed 2^31
// (after 24.8 days of running), where a 32-bit reading would have wrapped.
#include "ServicesFixture.h"

#include <cstdint>

namespace vsm::test {
namespace {

using LongClockTest = ServicesTest;

constexpr int64_t kWrap = int64_t{1} << 31;

TEST_F(LongClockTest, FrameTimerMeasuresAFrameAcrossTheWrap) {
    hl->SetClock(kWrap - 10);
    deltaTime.Update();
    hl->AdvanceClock(17);
    deltaTime.Update();
    EXPECT_EQ(deltaTime.ElapsedTime, 17);
    EXPECT_NEAR(deltaTime.CurrDelta(), 1.02f, 1e-4);
}

TEST_F(LongClockTest, DelayedSoundWaitsItsTimeAcrossTheWrap) {
    hl->SetClock(kWrap - 300);
    TSoundQ::addSound(FakeSound("combo"), MilliSecs64() + 600);
    hl->SetClock(kWrap - 100);
    TSoundQ::updateAll();
    EXPECT_TRUE(Sounds("cue").empty());
    hl->SetClock(kWrap + 200);
    TSoundQ::updateAll();
    EXPECT_TRUE(Sounds("cue").empty());
    hl->SetClock(kWrap + 301);
    TSoundQ::updateAll();
    EXPECT_EQ(Sounds("cue").size(), 1u);
}

TEST_F(LongClockTest, DelayedCaptionWaitsItsTimeAcrossTheWrap) {
    hl->SetClock(kWrap - 100);
    CaptionPtr cap = TCaptions::addCaption(CAPTION_POINTS, 10, 0, 100, 1.0f, 0, 500);
    hl->SetClock(kWrap + 399);
    TCaptions::updateAll();
    EXPECT_EQ(cap->delayTime, 500);
    hl->SetClock(kWrap + 400);
    TCaptions::updateAll();
    EXPECT_EQ(cap->delayTime, 0);
}

} // namespace
} // namespace vsm::test
