// The cadence of presented frames on a simulated clock: each frame's work moves the clock on,
// and so does the wait the pacer asks for.
#include "platform/FramePacer.h"

#include <gtest/gtest.h>

#include <vector>

namespace vsm {
namespace {

constexpr int64_t kPeriod = 1000000 / 60;

// Runs frames whose work takes work[i] ms on a simulated clock, each shown after the wait the
// pacer asks for; returns when each frame was shown, in microseconds.
std::vector<int64_t> ShownAt(const std::vector<int>& work) {
    FramePacer pacer;
    std::vector<int64_t> shown;
    int64_t now = 1000000;
    for (int ms : work) {
        now += ms * 1000;
        const int64_t wait = pacer.WaitBeforeShowing(now);
        EXPECT_GE(wait, 0);
        EXPECT_LE(wait, kPeriod); // never a sleep longer than a frame
        now += wait;
        shown.push_back(now);
    }
    return shown;
}

TEST(FramePacer, QuickFramesComeOnePeriodApart) {
    const std::vector<int64_t> shown = ShownAt(std::vector<int>(60, 3));
    for (size_t i = 2; i < shown.size(); i++)
        EXPECT_EQ(shown[i] - shown[i - 1], kPeriod) << "frame " << i;
    // Sixty frames take a second, not more: the waits do not add up their rounding.
    EXPECT_EQ(shown.back() - shown[1], 58 * kPeriod);
}

TEST(FramePacer, ALongFrameIsFollowedByFramesAtTheNormalPaceNotABurst) {
    std::vector<int> work(20, 4);
    work[10] = 70; // a stall of over four frames
    const std::vector<int64_t> shown = ShownAt(work);
    EXPECT_GT(shown[10] - shown[9], 60000);
    for (size_t i = 11; i < shown.size(); i++)
        EXPECT_EQ(shown[i] - shown[i - 1], kPeriod) << "frame " << i;
}

TEST(FramePacer, AFrameALittleLateKeepsTheCadenceAndResetStartsAfresh) {
    FramePacer pacer;
    EXPECT_EQ(pacer.WaitBeforeShowing(0), 0);
    EXPECT_EQ(pacer.WaitBeforeShowing(5000), kPeriod - 5000);
    // Due at 2 periods; shown 1 ms late: the next is still due at 3 periods.
    EXPECT_EQ(pacer.WaitBeforeShowing(2 * kPeriod + 1000), 0);
    EXPECT_EQ(pacer.WaitBeforeShowing(2 * kPeriod + 6000), kPeriod - 6000);
    pacer.Reset();
    EXPECT_EQ(pacer.WaitBeforeShowing(10 * kPeriod), 0);
    EXPECT_EQ(pacer.WaitBeforeShowing(10 * kPeriod + 1), kPeriod - 1);
}

} // namespace
} // namespace vsm
