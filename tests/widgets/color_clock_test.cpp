// Tests of TColor's channel split and of the countdown clock against the virtual clock.
#include "WidgetTest.h"
#include "widgets/TClock.h"
#include "widgets/TColor.h"

namespace vsm {
namespace {

TEST(ColorTest, ChannelsAreTheUnsignedBytesOfThePackedValue) {
    struct {
        const char* name;
        int argb;
        int a, r, g, b;
    } cases[] = {
        {"text default FFFFFF has alpha 0", 0xFFFFFF, 0, 255, 255, 255},
        {"four distinct bytes", static_cast<int>(0x80FF8040u), 128, 255, 128, 64},
        {"-1 is every channel 255", -1, 255, 255, 255, 255},
        {"zero", 0, 0, 0, 0, 0},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        ColorPtr color = CreateColor(c.argb);
        EXPECT_EQ(color->argb, c.argb);
        EXPECT_EQ(color->a, c.a);
        EXPECT_EQ(color->r, c.r);
        EXPECT_EQ(color->g, c.g);
        EXPECT_EQ(color->b, c.b);
    }
}

TEST(ColorTest, ColorRecomputesAndChannelOperationsReadTheirArgument) {
    ColorPtr color = CreateColor(0x11223344);
    color->Color(0x01020304);
    EXPECT_EQ(color->a, 1);
    EXPECT_EQ(color->r, 2);
    EXPECT_EQ(color->g, 3);
    EXPECT_EQ(color->b, 4);
    // The channel operations work on their argument, not on the stored fields.
    EXPECT_EQ(color->Red(0x00AB0000), 0xAB);
    EXPECT_EQ(color->r, 2);
}

class AnimClockTest : public test::WidgetTest {
  protected:
    // An 11-cell strip (digits 0-9 and the separator), each cell 10 x 12.
    AnimClockPtr MakeClock() {
        return CreateAnimClock(test::FilledPixmap(110, 12, 0xFFFFFFFFu), CreateDim(100, 200, 0, 0), 11);
    }
};

TEST_F(AnimClockTest, CountsDownOneSecondPerPollAfterEachFullSecond) {
    AnimClockPtr clock = MakeClock();
    ASSERT_TRUE(clock->image);
    EXPECT_EQ(ImageFrames(clock->image), 11);
    EXPECT_EQ(ImageWidth(clock->image), 10);

    ctl->SetClock(5000);
    clock->Set(3);
    EXPECT_EQ(clock->Stopped(), 0);
    ctl->SetClock(6000); // exactly the end of the wait: not yet passed
    clock->State();
    EXPECT_EQ(clock->seconds, 3);
    ctl->SetClock(6001);
    clock->State();
    EXPECT_EQ(clock->seconds, 2);
    // A long stall still takes off at most one second per poll.
    ctl->SetClock(20000);
    clock->State();
    EXPECT_EQ(clock->seconds, 1);
    clock->State(); // the new wait has just started
    EXPECT_EQ(clock->seconds, 1);
    ctl->SetClock(21001);
    clock->State();
    EXPECT_EQ(clock->seconds, 0);
    EXPECT_EQ(clock->Stopped(), 1);
    ctl->SetClock(30000);
    clock->State();
    EXPECT_EQ(clock->seconds, 0);
}

TEST_F(AnimClockTest, StartRestartsTheWaitStopAndNegativeValuesEndIt) {
    AnimClockPtr clock = MakeClock();
    ctl->SetClock(0);
    clock->Set(10);
    ctl->SetClock(900);
    clock->Start(); // the next second now ends at 1900
    ctl->SetClock(1500);
    clock->State();
    EXPECT_EQ(clock->seconds, 10);
    clock->Stop();
    EXPECT_EQ(clock->Stopped(), 1);
    clock->seconds = -4;
    clock->State();
    EXPECT_EQ(clock->seconds, 0);
}

TEST_F(AnimClockTest, DrawsMinutesSeparatorTensAndUnits) {
    AnimClockPtr clock = MakeClock();
    clock->seconds = 127; // 2:07
    clock->Draw();
    auto draws = Calls("image");
    ASSERT_EQ(draws.size(), 4u);
    struct {
        float x, y;
        int frame;
    } expected[] = {{100, 200, 2}, {118, 198, 10}, {135, 200, 0}, {153, 200, 7}};
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(draws[i].x, expected[i].x);
        EXPECT_EQ(draws[i].y, expected[i].y);
        EXPECT_EQ(draws[i].frame, expected[i].frame);
    }
}

TEST_F(AnimClockTest, ZeroCellsCountAsOneAndAMissingStripLeavesNoImage) {
    AnimClockPtr one = CreateAnimClock(test::FilledPixmap(30, 12, 0xFFFFFFFFu), CreateDim(0, 0, 0, 0), 0);
    ASSERT_TRUE(one->image);
    EXPECT_EQ(ImageWidth(one->image), 30);
    AnimClockPtr none = CreateAnimClock("/no/such/strip.png", CreateDim(0, 0, 0, 0), 11);
    EXPECT_FALSE(none->image);
    none->seconds = 5;
    ctl->ClearDrawLog();
    none->Draw();
    EXPECT_TRUE(ctl->DrawLog().empty()) << "no strip, nothing drawn";
}

} // namespace
} // namespace vsm
