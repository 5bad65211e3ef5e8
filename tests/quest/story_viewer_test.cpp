// Tests of the story viewer: its opening fade, loading frame and cross-fade, page turns by time
// and by Next with their fades, the buttons' hit boxes and tint, leaving by Skip, Esc or Next at
// the end, the voice and its cut-off, and stories that cannot be shown.
#include "quest/QuestFixture.h"

#include "platform/Input.h"
#include "platform/System.h"
#include "quest/StoryViewer.h"
#include "services/OptionsSeam.h"
#include "services/TSongManager.h"
#include "support/TestAssets.h"
#include "widgets/SharedImageIds.h"
#include "widgets/TContainer.h"

#include <map>

namespace vsm::test {
namespace {

// With no opening fade, the loading frame and the 31 cross-fade frames come first: page-loop
// frame k is presented frame FIRST_PAGE_FRAME + k and reads script frame FIRST_PAGE_FRAME + k.
constexpr int FIRST_PAGE_FRAME = 32;
constexpr int CLOSING_FRAMES = 21;

// Picture widths that tell the drawn pictures apart.
constexpr int TOP = 3, BOTTOM = 4, NEXT = 5, SKIP = 6, LOADING = 7, PAGE1 = 71, PAGE2 = 72;

constexpr const char* kThreePages = R"(Story1{ Pages=3 Voice=""
  Page1{ Picture="pics/1.png" PosY=0 Lines=1 Time=100 Line1="p1" }
  Page2{ Picture="pics/2.png" PosY=10 Lines=1 Time=1000 Line1="p2" }
  Page3{ Picture="<<" PosY=20 Lines=1 Time=-1 Line1="p3" }
})";

FrameInput Click(int x, int y) {
    FrameInput in;
    in.mouseX = x;
    in.mouseY = y;
    in.clicks = {1};
    return in;
}
const FrameInput kNext = Click(440, 580);
const FrameInput kSkip = Click(350, 580);

class StoryViewerTest : public QuestFixture {
  protected:
    void SetUp() override {
        QuestFixture::SetUp();
        Picture("gfx/story/top.png", TOP, 1);
        Picture("gfx/story/bottom.png", BOTTOM, 1); // the ".png" twin of "bottom.jp2"
        Picture("gfx/story/next-g.png", NEXT, 1);
        Picture("gfx/story/skip-g.png", SKIP, 1);
        Picture("pics/1.png", PAGE1, 1);
        Picture("pics/2.png", PAGE2, 1);
        data.Add(CreateImage(LOADING, 1), DATA_LOADING_TEXT);
        ASSERT_TRUE(WriteSilentSound(resources + "sfx/davar-lost-in-vessamoor.ogg"));
    }
    // Runs story 1 with the inputs keyed by script frame (the pointer rests at (100, 100));
    // the script ends after `frames` frames.
    int Run(const std::string& document, std::map<int, FrameInput> inputs, int fadeIn = 0, int frames = 400) {
        WriteResource("data/part-1.tsc", document);
        // Keys and clicks a previous run left unread must not reach this one.
        FlushKeys();
        FlushMouse();
        control->SetScript([inputs, frames](int frame, FrameInput& in) {
            in.mouseX = 100;
            in.mouseY = 100;
            if (auto it = inputs.find(frame); it != inputs.end()) in = it->second;
            return frame < frames;
        });
        testing::internal::CaptureStdout();
        try {
            const int result = showStory(1, fadeIn);
            testing::internal::GetCapturedStdout();
            return result;
        } catch (...) {
            testing::internal::GetCapturedStdout();
            throw;
        }
    }
    // The page pictures and text lines of a presented frame, in drawing order, with their alphas.
    static std::vector<std::string> Page(const std::vector<DrawCall>& frame) {
        std::vector<std::string> out;
        for (const DrawCall& c : frame) {
            if (c.op == "image" && c.image->width >= PAGE1)
                out.push_back("pic" + std::to_string(c.image->width - 70));
            else if (c.op == "text")
                out.push_back(c.text);
        }
        return out;
    }
    std::string LastEventOf(const std::string& file) const {
        std::string last;
        for (const SoundEvent& e : control->SoundLog())
            if (e.path.ends_with(file)) last = e.op;
        return last;
    }
    // The closing fade: black over the whole screen, darker each frame, under the cursor.
    static void ExpectClosingFade(const std::vector<std::vector<DrawCall>>& frames) {
        ASSERT_GE(frames.size(), static_cast<size_t>(CLOSING_FRAMES));
        for (int i = 0; i < CLOSING_FRAMES; ++i) {
            SCOPED_TRACE(i);
            const auto& f = frames[frames.size() - CLOSING_FRAMES + static_cast<size_t>(i)];
            ASSERT_EQ(f.size(), 2u);
            EXPECT_EQ(f[0].op, "rect");
            EXPECT_EQ(f[0].w, 800);
            EXPECT_EQ(f[0].state.r + f[0].state.g + f[0].state.b, 0);
            EXPECT_FLOAT_EQ(f[0].state.alpha, i / 20.0f);
            EXPECT_EQ(f[1].image->width, 1); // the cursor
        }
    }
};

TEST_F(StoryViewerTest, OpeningFadeLoadingFrameAndCrossFadeIgnoreClicks) {
    // With the opening fade, page-loop frames start 21 frames later. A Skip during the cross-fade
    // is dropped; an Esc then is acted on in the first page-loop frame.
    const int firstPage = 21 + FIRST_PAGE_FRAME;
    EXPECT_EQ(Run(kThreePages,
                  {{40, kSkip},
                   {45,
                    [] {
                        FrameInput esc;
                        esc.keysHit = {KEY_ESCAPE};
                        return esc;
                    }()}},
                  1),
              0);
    const auto frames = Frames();
    ASSERT_EQ(frames.size(), static_cast<size_t>(firstPage + 1 + CLOSING_FRAMES));
    EXPECT_EQ(Clicks(), 0);

    for (int i = 0; i <= 20; ++i) {
        SCOPED_TRACE(i);
        const auto& f = frames[static_cast<size_t>(i)];
        ASSERT_EQ(f.size(), 2u); // no clearing and no cursor
        EXPECT_EQ(f[0].op, "rect");
        EXPECT_FLOAT_EQ(f[0].state.alpha, i / 20.0f);
        EXPECT_EQ(f[1].image->width, LOADING);
        EXPECT_FLOAT_EQ(f[1].state.alpha, i / 20.0f);
    }
    const auto& loading = frames[21];
    ASSERT_EQ(loading.size(), 2u);
    EXPECT_EQ(loading[0].op, "cls");
    EXPECT_EQ(loading[1].image->width, LOADING);
    EXPECT_EQ(loading[1].state.alpha, 1.0f);

    for (int i : {0, 15, 30}) {
        SCOPED_TRACE(i);
        const auto& f = frames[static_cast<size_t>(22 + i)];
        EXPECT_EQ(f[0].op, "cls");
        EXPECT_FLOAT_EQ(ImagesOfWidth(f, LOADING)[0].state.alpha, 1 - i / 30.0f);
        for (int w : {PAGE1, TOP, BOTTOM, SKIP, NEXT})
            EXPECT_FLOAT_EQ(ImagesOfWidth(f, w)[0].state.alpha, i / 30.0f) << w;
        EXPECT_EQ(ImagesOfWidth(f, 1).size(), 1u); // the cursor
    }
    EXPECT_EQ(Page(frames[firstPage]), (std::vector<std::string>{"pic1", "p1"}));
    ExpectClosingFade(frames);
    EXPECT_EQ(CountCues(*control, "davar-lost-in-vessamoor.ogg"), 1);
    EXPECT_EQ(LastEventOf("davar-lost-in-vessamoor.ogg"), "stop");

    // Without the opening fade the loading frame comes first.
    control->ClearDrawLog();
    Run(kThreePages, {{FIRST_PAGE_FRAME, kSkip}});
    EXPECT_EQ(Frames()[0][0].op, "cls");
    EXPECT_EQ(Frames()[0][1].image->width, LOADING);
}

TEST_F(StoryViewerTest, PagesTurnByTimeAndTheLastWaitsForTwoNexts) {
    // Page 1 (100 ms) turns in page frame 7, the first more than 100 ms after it began, and
    // shows from frame 8; page 2 (1000 ms) turns in frame 68; page 3 waits.
    const int p = FIRST_PAGE_FRAME;
    EXPECT_EQ(Run(kThreePages, {{p + 130, kNext}, {p + 140, kNext}}), 0);
    const auto frames = Frames();
    ASSERT_EQ(frames.size(), static_cast<size_t>(p + 141 + CLOSING_FRAMES));
    auto page = [&](int k) { return Page(frames[static_cast<size_t>(p + k)]); };
    using Lines = std::vector<std::string>;

    EXPECT_EQ(page(0), (Lines{"pic1", "p1"}));
    EXPECT_EQ(page(7), (Lines{"pic1", "p1"}));
    // Picture and text cross-fade: the old page already a step below full.
    EXPECT_EQ(page(8), (Lines{"pic1", "pic2", "p1", "p2"}));
    const auto outgoing = ImagesOfWidth(frames[static_cast<size_t>(p + 8)], PAGE1)[0];
    EXPECT_GT(outgoing.state.alpha, 0.95f);
    EXPECT_LT(outgoing.state.alpha, 1.0f);
    EXPECT_EQ(ImagesOfWidth(frames[static_cast<size_t>(p + 8)], PAGE2)[0].y, 10);
    EXPECT_EQ(page(60), (Lines{"pic2", "p2"}));
    EXPECT_EQ(page(68), (Lines{"pic2", "p2"}));
    // A "<<" page keeps the picture still; only the text cross-fades.
    EXPECT_EQ(page(69), (Lines{"pic2", "p2", "p3"}));
    EXPECT_EQ(ImagesOfWidth(frames[static_cast<size_t>(p + 69)], PAGE2)[0].y, 20);
    EXPECT_EQ(page(100), (Lines{"pic2", "p2", "p3"}));
    EXPECT_EQ(page(129), (Lines{"pic2", "p3"}));
    // The first Next on the last page changes nothing; the second leaves.
    for (int k = 130; k <= 140; ++k)
        EXPECT_EQ(page(k), (Lines{"pic2", "p3"})) << k;
    EXPECT_EQ(Clicks(), 2);
    ExpectClosingFade(frames);
}

TEST_F(StoryViewerTest, NextTurnsInTheFollowingFrameAndStopsTimedTurns) {
    // The pointer rests on Next from the start: the tint shows one frame after the hover is
    // seen and goes one frame after the pointer leaves.
    const int p = FIRST_PAGE_FRAME;
    std::map<int, FrameInput> inputs;
    for (int f = 0; f < p + 5; ++f) {
        inputs[f].mouseX = 440;
        inputs[f].mouseY = 580;
    }
    inputs[p + 2] = kNext;
    inputs[p + 70] = kSkip;
    EXPECT_EQ(Run(R"(Story1{ Pages=3 Voice=""
  Page1{ Picture="pics/1.png" Lines=1 Time=100 Line1="p1" }
  Page2{ Picture="pics/2.png" Lines=1 Time=100 Line1="p2" }
  Page3{ Picture="pics/1.png" Lines=1 Time=100 Line1="p3" } })",
                  inputs),
              0);
    const auto frames = Frames();
    ASSERT_EQ(frames.size(), static_cast<size_t>(p + 71 + CLOSING_FRAMES));
    auto page = [&](int k) { return Page(frames[static_cast<size_t>(p + k)]); };
    EXPECT_EQ(page(3), (std::vector<std::string>{"pic1", "p1"}));
    EXPECT_EQ(page(4), (std::vector<std::string>{"pic1", "pic2", "p1", "p2"}));
    // Page 2's 100 ms have long run out, but pages no longer turn by themselves.
    EXPECT_EQ(page(70), (std::vector<std::string>{"pic2", "p2"}));
    EXPECT_EQ(Clicks(), 2);

    for (int k = 0; k <= 7; ++k) {
        SCOPED_TRACE(k);
        const auto& next = ImagesOfWidth(frames[static_cast<size_t>(p + k)], NEXT);
        ASSERT_EQ(next.size(), 1u);
        const bool tinted = k >= 1 && k <= 5;
        EXPECT_EQ(next[0].state.r, tinted ? 200 : 255);
        EXPECT_EQ(ImagesOfWidth(frames[static_cast<size_t>(p + k)], SKIP)[0].state.r, 255);
    }
}

TEST_F(StoryViewerTest, ButtonsAnswerOnlyStrictlyInsideTheirBoxes) {
    const struct {
        int x, y;
        bool hit;
    } cases[] = {
        {319, 580, false}, {320, 580, true},  {382, 580, true},  {383, 580, false}, {350, 572, false},
        {350, 573, true},  {350, 591, true},  {350, 592, false}, {413, 580, false}, {414, 580, true},
        {470, 580, true},  {471, 580, false}, {440, 572, false}, {440, 592, false},
    };
    FrameInput esc;
    esc.keysHit = {KEY_ESCAPE};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        control->ClearSoundLog();
        Run(R"(Story1{ Pages=1 Voice="" Page1{ Picture="pics/1.png" Time=-1 } })",
            {{FIRST_PAGE_FRAME + 1, Click(c.x, c.y)}, {FIRST_PAGE_FRAME + 3, esc}});
        EXPECT_EQ(Clicks(), c.hit ? 1 : 0);
    }
}

TEST_F(StoryViewerTest, SkipEscAndNextAtTheEndLeaveAlike) {
    FrameInput esc;
    esc.keysHit = {KEY_ESCAPE};
    const int p = FIRST_PAGE_FRAME;
    const struct {
        const char* name;
        std::map<int, FrameInput> inputs;
        int lastPageFrame;
    } cases[] = {
        {"Skip", {{p + 5, kSkip}}, 5},
        // A key is read after the frame is presented, so it is seen one frame before a click.
        {"Esc", {{p + 5, esc}}, 4},
        // A one-page story: the first Next (or the page's time running out) only reaches the end.
        {"Next twice", {{p + 5, kNext}, {p + 9, kNext}}, 9},
    };
    ASSERT_TRUE(WriteSilentSound(resources + "voice/v.ogg"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        control->ClearDrawLog();
        control->ClearSoundLog();
        EXPECT_EQ(Run(R"(Story1{ Pages=1 Voice="voice/v.ogg" voiceStopAfter=100000
            Page1{ Picture="pics/1.png" Time=-1 } })",
                      c.inputs),
                  0);
        const auto frames = Frames();
        EXPECT_EQ(frames.size(), static_cast<size_t>(p + c.lastPageFrame + 1 + CLOSING_FRAMES));
        ExpectClosingFade(frames);
        EXPECT_EQ(LastEventOf("voice/v.ogg"), "stop");
        EXPECT_EQ(LastEventOf("davar-lost-in-vessamoor.ogg"), "stop");
    }
}

TEST_F(StoryViewerTest, VoiceRepeatsUntilItsCutOffAtTheChannelsFullVolume) {
    // The voice is a quarter of a second long and cut off after 400 ms: it starts when the
    // cross-fade ends (533 ms) and is stopped in page frame 24, the first that ends more than
    // 400 ms later (950 ms). Script frame n is read at page frame n - 33's flip, before that
    // frame's voice check: it shows the voice as page frame n - 34 left it.
    ASSERT_TRUE(WriteSilentSound(resources + "voice/v.ogg"));
    const int p = FIRST_PAGE_FRAME;
    std::map<int, int> playing; // script frame -> voice playing then
    WriteResource("data/part-1.tsc", R"(Story1{ Pages=1 Voice="voice/v.ogg" voiceStopAfter=400
        Page1{ Picture="pics/1.png" Time=-1 } })");
    control->SetScript([&](int frame, FrameInput& in) {
        MusicFilePtr voice = songManager.findSong("voice/v.ogg");
        playing[frame] = voice && voice->c ? ChannelPlaying(voice->c) : -1;
        if (frame == p + 30) in.keysHit = {KEY_ESCAPE};
        return frame < 400;
    });
    testing::internal::CaptureStdout();
    showStory(1, 0);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(playing[p + 1], 1);
    EXPECT_EQ(playing[p + 20], 1); // 333 ms in: repeating
    EXPECT_EQ(playing[p + 25], 1);
    EXPECT_EQ(playing[p + 26], 0);
    // Its factor of 1.2 over the full music volume plays at the channel's maximum.
    std::vector<float> volumes;
    for (const SoundEvent& e : control->SoundLog())
        if (e.op == "volume" && e.path.ends_with("voice/v.ogg")) volumes.push_back(e.volume);
    EXPECT_EQ(volumes, std::vector<float>{1.0f});
}

TEST_F(StoryViewerTest, StoriesThatCannotPlayDoNoHarm) {
    // A voice file that is missing plays nothing, not a song of the game in its place.
    for (int n = 1; n <= 7; ++n)
        ASSERT_TRUE(WriteSilentSound(resources + "sfx/game-song-" + std::to_string(n) + ".ogg"));
    Run(R"(Story1{ Pages=1 Voice="voice/none.ogg" voiceStopAfter=5000 Page1{ Picture="pics/1.png" Time=0 } })",
        {{FIRST_PAGE_FRAME + 10, kSkip}});
    EXPECT_EQ(CountCues(*control, ".ogg"), CountCues(*control, "davar-lost-in-vessamoor.ogg"));
    EXPECT_EQ(CountCues(*control, "davar-lost-in-vessamoor.ogg"), 1);

    // A story without pages returns after its loading frame, without music.
    for (const char* document : {"Story1{ Pages=0 }", "not a document {"}) {
        SCOPED_TRACE(document);
        control->ClearDrawLog();
        control->ClearSoundLog();
        EXPECT_EQ(Run(document, {}), 0);
        EXPECT_EQ(Frames().size(), 1u);
        EXPECT_EQ(CountCues(*control, ".ogg"), 0);
    }
}

TEST_F(StoryViewerTest, CloseRequestEndsTheProgramOnceTheStoryHasStopped) {
    const int p = FIRST_PAGE_FRAME;
    FrameInput close;
    close.terminate = true;
    EXPECT_THROW(Run(kThreePages, {{p + 3, close}}), ProgramEnd);
    const auto frames = Frames();
    // Read after page frame 2 is presented, like a key; the story then closes as usual.
    EXPECT_EQ(frames.size(), static_cast<size_t>(p + 3 + CLOSING_FRAMES));
    ExpectClosingFade(frames);
    EXPECT_EQ(LastEventOf("davar-lost-in-vessamoor.ogg"), "stop");
}

} // namespace
} // namespace vsm::test
