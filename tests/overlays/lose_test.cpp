// Tests of the lose screen: its zoom, its answers, the skip link and the reason it shows.
#include "overlays/OverlayFixture.h"

#include "board/TBoardManager.h"
#include "level/TTimeManager.h"
#include "overlays/TPopupManager.h"
#include "platform/System.h"
#include "services/GameFlags.h"
#include "widgets/TImageButton.h"

#include <functional>

namespace vsm::test {
namespace {

// Frames the zoom-in takes: 0.025 a frame in single precision passes 1 at the 41st.
constexpr int kZoomFrames = 41;

class LoseTest : public OverlayFixture {
  protected:
    // Runs the lose screen with input per frame from `input` (frame counted from the call) for
    // `frames` frames, after which the script ends with a terminate request. Returns the result;
    // `presented` gets the frames presented.
    int Run(std::function<FrameInput(int)> input, int frames, int* presented = nullptr) {
        control->SetScript([input, frames](int frame, FrameInput& out) {
            if (frame >= frames) return false;
            out = input(frame);
            return true;
        });
        const int start = control->Frame();
        const int result = popupManager.GameOverPopup();
        if (presented) *presented = control->Frame() - start;
        return result;
    }
    static FrameInput Click(int x, int y) {
        FrameInput in = At(x, y);
        in.clicks = {1};
        return in;
    }
    // The skip link picture drawn last: 0 pointer over, 1 away, -1 none.
    int SkipShown() const {
        int shown = -1;
        for (const DrawCall& call : control->DrawLog()) {
            if (call.image && call.image == popupManager.skip[0]) shown = 0;
            if (call.image && call.image == popupManager.skip[1]) shown = 1;
        }
        return shown;
    }
};

TEST_F(LoseTest, ZoomTakesFortyOneFramesAndIgnoresEverythingMeanwhile) {
    levelReplays = 5;
    int presented = 0;
    // Clicks on both buttons and the link and a terminate request, all during the zoom.
    const int result = Run(
        [](int frame) {
            FrameInput in = Click(frame % 2 ? 400 : 330 + 10, frame % 3 ? 320 : 410);
            in.terminate = frame == 10;
            return in;
        },
        kZoomFrames - 1, &presented);
    EXPECT_EQ(result, LOSE_TERMINATE);
    EXPECT_EQ(presented, kZoomFrames);
    EXPECT_EQ(skipLevel, 0);
    EXPECT_EQ(levelReplays, 6);
    EXPECT_EQ(Plays("playgame-nomoves-timesup.ogg"), 1);
}

TEST_F(LoseTest, AnswersRetryMainMenuAndTheSkipLink) {
    struct Case {
        const char* name;
        int replaysBefore;
        int x, y;
        int result;
        int skip;
    } cases[] = {
        {"retry", 0, 400, 320, LOSE_RETRY, 0},
        {"main menu", 0, 400, 366, LOSE_MAIN_MENU, 0},
        {"skip on a second loss", 1, 400, 410, LOSE_RETRY, 1},
        {"no skip link on a first loss", 0, 400, 410, LOSE_TERMINATE, 0},
        {"link edge is outside", 3, 330, 410, LOSE_TERMINATE, 0},
        {"link edge is outside", 3, 474, 410, LOSE_TERMINATE, 0},
        {"link edge is outside", 3, 400, 400, LOSE_TERMINATE, 0},
        {"link edge is outside", 3, 400, 420, LOSE_TERMINATE, 0},
        {"link corner is inside", 3, 331, 401, LOSE_RETRY, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(c.x) + "," + std::to_string(c.y));
        levelReplays = c.replaysBefore;
        skipLevel = 0;
        const int clickFrame = kZoomFrames + 3;
        EXPECT_EQ(Run([&](int frame) { return frame == clickFrame ? Click(c.x, c.y) : At(c.x, c.y); },
                      clickFrame + 3),
                  c.result);
        EXPECT_EQ(skipLevel, c.skip);
        EXPECT_EQ(levelReplays, c.replaysBefore + 1);
    }
}

TEST_F(LoseTest, LinkShowsFromTheSecondLossAndAButtonOverItWins) {
    for (int replays : {0, 1}) {
        SCOPED_TRACE(replays);
        levelReplays = replays;
        control->ClearDrawLog();
        Run([](int) { return At(400, 410); }, kZoomFrames + 2);
        EXPECT_EQ(SkipShown(), replays == 0 ? -1 : 0);
        control->ClearDrawLog();
        Run([](int) { return At(100, 100); }, kZoomFrames + 2);
        EXPECT_EQ(SkipShown(), 1);
    }

    // A press inside both a button and the link answers for the button.
    popupManager.button2->dim->y = 395;
    levelReplays = 3;
    skipLevel = 0;
    EXPECT_EQ(Run([](int frame) { return frame == kZoomFrames + 2 ? Click(400, 410) : At(400, 410); },
                  kZoomFrames + 5),
              LOSE_MAIN_MENU);
    EXPECT_EQ(skipLevel, 0);
}

TEST_F(LoseTest, ReasonFollowsTheClockWhichKeepsRunning) {
    const ImagePtr noMoves = popupManager.whyImg[0];
    const ImagePtr timeOut = popupManager.whyImg[1];
    ASSERT_TRUE(noMoves && timeOut);
    auto reasonsDrawn = [&] {
        std::vector<ImagePtr> seen;
        for (const DrawCall& call : control->DrawLog())
            if (call.image && (call.image == noMoves || call.image == timeOut) &&
                (seen.empty() || seen.back() != call.image))
                seen.push_back(call.image);
        return seen;
    };

    // No limit: no moves, drawn at full size with its corner at (400 - 280 / 2, 235).
    control->SetClock(10000);
    timeManager.Set(0);
    timeManager.Reset(0);
    control->ClearDrawLog();
    Run([](int) { return FrameInput(); }, kZoomFrames + 2);
    EXPECT_EQ(reasonsDrawn(), std::vector<ImagePtr>{noMoves});
    EXPECT_EQ(LastDrawAt(noMoves), std::make_pair(260.0f, 235.0f));

    // A limit that runs out while the screen waits: the picture changes, the clock was not held.
    timeManager.Set(1500);
    timeManager.Reset(0);
    control->ClearDrawLog();
    Run([](int) { return FrameInput(); }, 120);
    EXPECT_EQ(reasonsDrawn(), (std::vector<ImagePtr>{noMoves, timeOut}));
    EXPECT_EQ(timeManager.paused, 0);
    EXPECT_EQ(popUpIsOn, 0);
}

} // namespace
} // namespace vsm::test
