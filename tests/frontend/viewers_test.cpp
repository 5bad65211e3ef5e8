// Hiscores viewer and credits: how long each runs by itself, which input ends it and when, and
// what a close request does in each phase.
#include "frontend/FrontendFixture.h"

#include "frontend/TTitleScreen.h"
#include "overlays/TOptionsWindow.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "profiles/THiscores.h"
#include "widgets/TFont.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace vsm::test {
namespace {

enum class Viewer { Hiscores, Credits };

class Viewers : public FrontendFixture {
  protected:
    void SetUp() override {
        FrontendFixture::SetUp();
        optionsWindow.SetState(MENU_MAIN, 0, MENU_WINDOW_X, MENU_WINDOW_Y);
    }
    // Runs the viewer over the frames (then quiet frames); returns the frames it took, or -1
    // when the program ended inside it.
    int Run(Viewer viewer, std::vector<FrameInput> frames) {
        Script(std::move(frames), 20000);
        const int start = control->Frame();
        try {
            if (viewer == Viewer::Hiscores)
                titleScreen.showHiscores(1);
            else
                titleScreen.showCredits();
        } catch (const ProgramEnd&) {
            return -1;
        }
        return control->Frame() - start;
    }
    static std::vector<FrameInput> Quiet(int n) { return std::vector<FrameInput>(static_cast<size_t>(n)); }
    static std::vector<FrameInput> Then(std::vector<FrameInput> frames, FrameInput last) {
        frames.push_back(std::move(last));
        return frames;
    }
    static FrameInput ClickAt(int x, int y) {
        FrameInput in = At(x, y);
        in.clicks = {1};
        return in;
    }
};

TEST_F(Viewers, InputEndsThePagesOrTablesAtOnceAndCloseRequestsActByPhase) {
    const int mid = FADE_FRAMES + 30; // a frame of the tables or pages
    // The press is read at the start of a frame, the close request after it is presented: a
    // request in the next frame's input meets the press in one frame of the loop.
    std::vector<FrameInput> closeAndClick = Then(Then(Quiet(mid), ClickAt(400, 300)), Close());
    FrameInput ctrlClick = ClickAt(400, 300);
    ctrlClick.keysHeld = {KEY_LCONTROL};
    FrameInput rightClick = At(400, 300);
    rightClick.clicks = {2};
    struct Row {
        const char* what;
        std::vector<FrameInput> frames;
        int frames_taken; // -1: the program ended; 0: ran to its own end (not checked here)
        int quit;
    };
    const std::vector<Row> rows = {
        {"a left press ends the main phase", Then(Quiet(mid), ClickAt(400, 300)), mid + 1 + FADE_FRAMES, 0},
        // Keys are read after the frame is presented, so an Enter ends the frame before it.
        {"Enter ends it", Then(Quiet(mid), Key(KEY_ENTER)), mid + FADE_FRAMES, 0},
        // Enter pressed during the fade in waits, unread, for the main phase's first frame.
        {"an Enter from the fade in ends its first frame", Then(Quiet(10), Key(KEY_ENTER)),
         FADE_FRAMES + 1 + FADE_FRAMES, 0},
        {"a close request in the main phase ends the program", Then(Quiet(mid), Close()), -1, 0},
        {"a close request with a press ends the program", closeAndClick, -1, 0},
        {"a close request in the fade in skips the main phase", Then(Quiet(10), Close()), 2 * FADE_FRAMES, 1},
        {"a press with left Ctrl is a right button and does not end it",
         Then(Then(Quiet(mid), ctrlClick), Key(KEY_ENTER)), mid + 1 + FADE_FRAMES, 0},
        {"a right press does not end it", Then(Then(Quiet(mid), rightClick), Key(KEY_ENTER)),
         mid + 1 + FADE_FRAMES, 0},
    };
    for (Viewer viewer : {Viewer::Hiscores, Viewer::Credits}) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(viewer == Viewer::Hiscores ? "hiscores: " : "credits: ") + row.what);
            titleScreen.Prepare();
            // Presses queued before the viewer are left to it, as the menu leaves them.
            FlushKeys();
            const int taken = Run(viewer, row.frames);
            EXPECT_EQ(taken, row.frames_taken);
            if (taken < 0) continue;
            EXPECT_EQ(titleScreen.quit, row.quit);
            EXPECT_EQ(titleScreen.action, 0);
            EXPECT_FLOAT_EQ(titleScreen.alphaOne, 1.02f);
            EXPECT_GT(optionsWindow.alpha, 1.0f) << "the menu window faded in with the title";
        }
    }
}

TEST_F(Viewers, LeftAloneTheHiscoresShowThreeTablesAndTheCreditsTenPages) {
    // Each table shows more than 6000 ms from its load, the first from before the fade in.
    const double frameMs = 1000.0 / 60.0;
    titleScreen.Prepare();
    const int hiscoresFrames = Run(Viewer::Hiscores, {});
    const int tables = hiscoresFrames - FADE_FRAMES; // frames from the load to the fade back
    EXPECT_NEAR(tables * frameMs, 3 * 6000.0, 5 * frameMs);

    // Each page is in view for just over 5000 ms.
    titleScreen.Prepare();
    const int creditsFrames = Run(Viewer::Credits, {});
    const int pages = creditsFrames - 2 * FADE_FRAMES;
    EXPECT_NEAR(pages * frameMs, 10 * 5000.0, 12 * frameMs);
    EXPECT_EQ(titleScreen.action, 0);
}

TEST_F(Viewers, ACreditsPageIsShownForFourSecondsThenFadesAndHides) {
    // The page's letters are the pictures of the page font.
    std::set<const TImage*> letters;
    for (const LetterPtr& letter : fonts[1]->letters)
        if (letter->image) letters.insert(letter->image.get());
    titleScreen.Prepare();
    std::vector<float> pageAlpha; // per frame of the pages: alpha of the page's letters, -1 none
    control->SetScript([&](int frame, FrameInput&) {
        if (frame > FADE_FRAMES) {
            float alpha = -1;
            for (const DrawCall& call : control->DrawLog())
                if (call.op == "image" && call.image && letters.count(call.image.get()))
                    alpha = call.state.alpha;
            pageAlpha.push_back(alpha);
        }
        control->ClearDrawLog();
        return frame < FADE_FRAMES + 290;
    });
    EXPECT_THROW(titleScreen.showCredits(), ProgramEnd);
    // Frame k of the pages runs at k * 16.67 ms of the page.
    ASSERT_GE(pageAlpha.size(), 285u);
    EXPECT_FLOAT_EQ(pageAlpha[200], 1.0f);    // 3.3 s: shown
    EXPECT_NEAR(pageAlpha[255], 0.5f, 0.05f); // 4.25 s: half faded
    EXPECT_EQ(pageAlpha[280], -1.0f);         // 4.67 s: hidden
}

TEST_F(Viewers, ACloseRequestInTheFrameTheLastCreditsPageEndsEndsTheProgram) {
    titleScreen.Prepare();
    const int alone = Run(Viewer::Credits, {});
    // The close request meets the end of the last page in the pages' last frame.
    titleScreen.Prepare();
    EXPECT_EQ(Run(Viewer::Credits, Then(Quiet(alone - FADE_FRAMES), Close())), -1);
}

} // namespace
} // namespace vsm::test
