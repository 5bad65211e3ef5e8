// Tests of the level clock: limit from the document, count-down, pause shift, slide-in, resume
// and time-out.
#include "level/LevelFixture.h"

#include "board/TBoardManager.h"
#include "data/TTSCFile.h"
#include "level/TTimeManager.h"
#include "platform/System.h"

#include <climits>

namespace vsm::test {
namespace {

class ClockTest : public LevelFixture {
  protected:
    void SetUp() override {
        LevelFixture::SetUp();
        for (int i = 0; i < 30; ++i)
            timeManager.framesPixmaps[i] = CreatePixmap(4 + i, 4);
        timeManager.timerImg = CreateImage(8, 8);
        timeManager.menuBgImg = CreateImage(8, 8);
    }
    // Advances the virtual clock and updates the clock.
    void Run(int ms) {
        control->AdvanceClock(ms);
        timeManager.Update();
    }
};

TEST_F(ClockTest, LimitComesFromTheDocumentInSeconds) {
    struct Case {
        const char* text;
        int maxTime;
    };
    const Case cases[] = {
        {"Settings{ Level{ Time=90 } }", 90000},
        {"Settings{ Level{ Time=1.5 } }", 1500},
        {"Settings{ Level{ Time=0.0004 } }", 0},
        {"Settings{ Level{ Number=3 } }", 0},
        {"Settings{ Level{ Time=99999999999999999999 } }", INT_MAX},
        {"Settings{ Level{ Time=-99999999999999999999 } }", INT_MIN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto doc = CreateTSCFile();
        doc->LoadFromText(c.text);
        timeManager.Load(doc);
        EXPECT_EQ(timeManager.maxTime, c.maxTime);
    }
    timeManager.Update();
    EXPECT_EQ(timeManager.TimeOver(), 0);
}

TEST_F(ClockTest, CountsDownThroughTheFramesAndEndsTheGame) {
    timeManager.Set(60000);
    timeManager.Reset(0);
    Run(2068);
    EXPECT_EQ(timeManager.actualFrame, 0);
    EXPECT_EQ(timeManager.leftTime, 60000 - 2068);
    Run(1);
    EXPECT_EQ(timeManager.actualFrame, 1);
    Run(60000 - 2069 - 1);
    EXPECT_EQ(timeManager.TimeOver(), 0);
    EXPECT_EQ(timeManager.actualFrame, 28);
    timeManager.DrawAndUpdate();
    EXPECT_EQ(board.gameOver, 0);

    control->AdvanceClock(5000);
    timeManager.DrawAndUpdate();
    EXPECT_EQ(timeManager.actualTime, 60000);
    EXPECT_EQ(timeManager.leftTime, 0);
    EXPECT_EQ(timeManager.actualFrame, 29);
    EXPECT_EQ(timeManager.TimeOver(), 1);
    EXPECT_EQ(board.gameOver, 1);
    EXPECT_EQ(timeManager.actualFrameImg->width, 4 + 29);
}

TEST_F(ClockTest, PauseExcludesThePausedSpan) {
    timeManager.Set(60000);
    timeManager.Reset(0);
    Run(5000);
    timeManager.PauseOn();
    timeManager.PauseOn();
    Run(10000);
    EXPECT_EQ(timeManager.actualTime, 5000);
    timeManager.PauseOff();
    EXPECT_EQ(timeManager.actualTime, 5000);
    EXPECT_EQ(timeManager.paused, 0);
    Run(1000);
    EXPECT_EQ(timeManager.actualTime, 6000);

    const int64_t start = timeManager.startSystemTime;
    control->AdvanceClock(3000);
    timeManager.PauseOff(); // not paused: nothing changes
    EXPECT_EQ(timeManager.startSystemTime, start);
    EXPECT_EQ(timeManager.actualTime, 6000);
}

TEST_F(ClockTest, CountsAndPausesPastThe31BitClock) {
    control->SetClock((int64_t{1} << 31) - 3000);
    timeManager.Set(60000);
    timeManager.Reset(0);
    Run(5000);
    EXPECT_EQ(timeManager.actualTime, 5000);
    timeManager.PauseOn();
    Run(10000);
    timeManager.PauseOff();
    Run(1000);
    EXPECT_EQ(timeManager.actualTime, 6000);
    EXPECT_EQ(timeManager.leftTime, 54000);
}

TEST_F(ClockTest, SlideInRunsTheFramesBackwardThenCountsTheTimeSinceReset) {
    timeManager.Set(60000);
    timeManager.Reset(1);
    std::vector<int> frames;
    for (int t = 0; t < 600; t += 20) {
        timeManager.Update();
        frames.push_back(timeManager.actualFrame);
        EXPECT_EQ(timeManager.actualTime, 0);
        control->AdvanceClock(20);
    }
    EXPECT_EQ(frames.front(), 29);
    EXPECT_EQ(frames[1], 28);
    EXPECT_EQ(frames.back(), 0);
    EXPECT_EQ(timeManager.wjazd, 1);
    timeManager.Update(); // 600 ms: the slide-in ends here, the time not yet taken
    EXPECT_EQ(timeManager.wjazd, 0);
    EXPECT_EQ(timeManager.actualTime, 0);
    timeManager.Update();
    EXPECT_EQ(timeManager.actualTime, 600);
}

TEST_F(ClockTest, ResumeFromProfileAndClockInTheFuture) {
    timeManager.Set(60000);
    control->AdvanceClock(1000);
    timeManager.Reset(1);
    timeManager.LoadFromProfile(45000);
    EXPECT_EQ(timeManager.wjazd, 0);
    EXPECT_EQ(timeManager.actualTime, 45000);
    EXPECT_EQ(timeManager.SaveToProfile(), 45000);

    // Values from a damaged saved game resume without overflow.
    timeManager.LoadFromProfile(INT_MIN);
    EXPECT_EQ(timeManager.actualTime, 0);
    timeManager.LoadFromProfile(INT_MAX);
    EXPECT_EQ(timeManager.actualTime, 60000);

    // The time spell may move the start past the present; elapsed time never goes negative.
    timeManager.startSystemTime = MilliSecs() + 20000;
    timeManager.Update();
    EXPECT_EQ(timeManager.actualTime, 0);
}

TEST_F(ClockTest, WithoutLimitTimeCountsButNoFrameIsShown) {
    timeManager.Set(0);
    timeManager.Reset(1);
    Run(700);
    Run(300);
    EXPECT_EQ(timeManager.actualTime, 1000);
    EXPECT_EQ(timeManager.leftTime, 0);
    EXPECT_EQ(timeManager.TimeOver(), 0);
    timeManager.DrawAndUpdate();
    EXPECT_EQ(board.gameOver, 0);
    int frameDraws = 0, otherDraws = 0;
    for (const DrawCall& call : control->DrawLog()) {
        if (call.op != "image") continue;
        if (call.image == timeManager.timerImg || call.image == timeManager.menuBgImg)
            ++otherDraws;
        else if (call.image && call.x == timeManager.x + 17)
            ++frameDraws;
    }
    EXPECT_EQ(otherDraws, 2);
    EXPECT_EQ(frameDraws, 0);
}

} // namespace
} // namespace vsm::test
