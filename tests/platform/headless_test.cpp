// The headless backend: blocking loops on scripted input and a virtual clock, the overrun guard,
// the draw log with the drawing state of each call, logged notifications and sounds.
#include "platform/Backend.h"
#include "platform/Headless.h"
#include "platform/Platform.h"
#include "platform/audio/TSound.h"

#include <gtest/gtest.h>

namespace vsm {
namespace {

// A screen loop of the game's usual shape: waits until the button is clicked inside the box,
// counting frames and clock time, and gives up on a terminate request.
struct LoopResult {
    int frames = 0;
    int elapsed = 0;
    int clicksOutside = 0;
    bool terminated = false;
};
LoopResult ClickLoop() {
    LoopResult r;
    int start = MilliSecs();
    for (;;) {
        if (AppTerminate()) {
            r.terminated = true;
            break;
        }
        if (MouseHit(1)) {
            if (MouseX() >= 100 && MouseX() < 200 && MouseY() >= 100 && MouseY() < 150) break;
            r.clicksOutside++;
        }
        Cls();
        DrawRect(100, 100, 100, 50);
        Flip(-1);
        PollSystem();
        r.frames++;
    }
    r.elapsed = MilliSecs() - start;
    return r;
}

TEST(Headless, BlockingLoopRunsOnScriptedClicksAndTheVirtualClock) {
    auto& hb = UseHeadlessBackend();
    hb.SetScript([](int frame, FrameInput& in) {
        if (frame == 100 || frame == 200) in.clicks = {1};
        in.mouseX = frame < 250 ? 10 : 150;
        in.mouseY = 120;
        if (frame == 300) in.clicks = {1};
        return frame <= 400;
    });
    LoopResult r = ClickLoop();
    EXPECT_FALSE(r.terminated);
    EXPECT_EQ(r.frames, 300);
    EXPECT_EQ(r.clicksOutside, 2);
    EXPECT_EQ(r.elapsed, 5000); // 300 frames of 1000/60 ms
    EXPECT_EQ(hb.Frame(), 300);
}

TEST(Headless, AnExhaustedScriptAsksToCloseOnceThenTheGuardStopsTheLoop) {
    auto& hb = UseHeadlessBackend();
    hb.SetScript(std::vector<FrameInput>(3));
    LoopResult r = ClickLoop();
    EXPECT_TRUE(r.terminated);
    EXPECT_EQ(r.frames, 3);

    // A loop that ignores the request is stopped by the guard instead of hanging.
    hb.overrunFrames = 20;
    hb.SetScript(std::vector<FrameInput>(2));
    int flips = 0;
    EXPECT_THROW(
        for (;;) {
            Flip();
            flips++;
        },
        HeadlessOverrun);
    EXPECT_EQ(flips, 1 + 20);
    EXPECT_EQ(AppTerminate(), 1); // raised once when the script ran out
    EXPECT_EQ(AppTerminate(), 0);

    // Without any script the guard counts from the start.
    auto& fresh = UseHeadlessBackend();
    fresh.overrunFrames = 5;
    for (int i = 0; i < 5; i++)
        Flip();
    EXPECT_THROW(Flip(), HeadlessOverrun);
    EXPECT_EQ(AppTerminate(), 0);
}

TEST(Headless, ClockStepsAccumulateExactlyAndCanBeMoved) {
    auto& hb = UseHeadlessBackend();
    hb.SetScript(std::vector<FrameInput>(1000));
    EXPECT_EQ(MilliSecs(), 0);
    struct Step {
        int flips;
        int64_t want;
    } steps[] = {{1, 16}, {1, 33}, {1, 50}, {57, 1000}, {60, 2000}};
    for (const Step& s : steps) {
        for (int i = 0; i < s.flips; i++)
            Flip();
        EXPECT_EQ(MilliSecs64(), s.want);
    }
    hb.AdvanceClock(7);
    EXPECT_EQ(MilliSecs(), 2007);
    Flip();
    EXPECT_EQ(MilliSecs(), 2023);
    hb.SetClock(100);
    hb.SetFrameStep(2.5);
    Flip();
    Flip();
    Flip();
    EXPECT_EQ(MilliSecs(), 107);
    hb.SetClock(int64_t(3) << 32); // past 32 bits inside
    EXPECT_EQ(MilliSecs64(), int64_t(3) << 32);
}

TEST(Headless, DrawLogRecordsEachCallWithTheClampedStateInForce) {
    auto& hb = UseHeadlessBackend();
    ImagePtr img = CreateImage(8, 4, 2);
    SetColor(300, -5, 128);
    SetAlpha(1.5f);
    SetBlend(LIGHTBLEND);
    SetRotation(90);
    SetScale(2, 3);
    DrawImage(img, 10, 20, 1);
    SetAlpha(0.25f);
    DrawRect(1, 2, 3, 4);
    SetAlpha(-1); // draws nothing until alpha is set again
    DrawImage(img, 0, 0);
    DrawRect(0, 0, 5, 5);
    DrawText("gone", 0, 0);
    SetAlpha(0.5f);
    DrawImage(img, 0, 0, 2);  // no such frame
    DrawImage(nullptr, 0, 0); // no image
    DrawImageRect(img, 5, 6, 16, 8);
    DrawText("Hi", 3, 4);
    Plot(7, 8);
    DrawLine(1, 1, 9, 9);
    Flip();

    const auto& log = hb.DrawLog();
    std::vector<std::string> ops;
    for (const DrawCall& c : log)
        ops.push_back(c.op);
    EXPECT_EQ(ops, (std::vector<std::string>{"image", "rect", "imagerect", "text", "plot", "line", "flip"}));
    ASSERT_EQ(log.size(), 7u);
    const DrawCall& image = log[0];
    EXPECT_EQ(image.image, img);
    EXPECT_EQ(image.frame, 1);
    EXPECT_EQ(image.x, 10);
    EXPECT_EQ(image.w, 8);
    EXPECT_EQ(image.state.r, 255);
    EXPECT_EQ(image.state.g, 0);
    EXPECT_EQ(image.state.b, 128);
    EXPECT_EQ(image.state.alpha, 1.0f);
    EXPECT_EQ(image.state.blend, LIGHTBLEND);
    EXPECT_EQ(image.state.rotation, 90);
    EXPECT_EQ(image.state.scaleY, 3);
    EXPECT_EQ(log[1].state.alpha, 0.25f);
    EXPECT_EQ(log[2].w, 16);
    EXPECT_EQ(log[3].text, "Hi");
    EXPECT_TRUE(log[3].state.font); // text always names the font it is drawn in
    EXPECT_EQ(log[5].w, 9);         // a line keeps its end point in w, h

    hb.ClearDrawLog();
    EXPECT_TRUE(hb.DrawLog().empty());
    // A fresh backend starts from the default drawing state.
    UseHeadlessBackend();
    int r, g, b;
    GetColor(r, g, b);
    EXPECT_EQ(r + g + b, 3 * 255);
    EXPECT_EQ(GetAlpha(), 1.0f);
    EXPECT_EQ(GetBlend(), MASKBLEND);
}

TEST(Headless, TexturedPolygonsPassWholeVerticesOnly) {
    auto& hb = UseHeadlessBackend();
    ImagePtr img = CreateImage(100, 60);
    const float quad[18] = {10, 35,       0,       0.234375f, 110, 35, 0.78125f, 0.234375f, 110,
                            80, 0.78125f, 0.9375f, 10,        80,  0,  0.9375f,  1,         2};
    DrawTexturedPolygon(img, 0, quad, 18); // the partial vertex at the end is dropped
    DrawTexturedPolygon(img, 0, quad, 11); // two whole vertices: recorded, nothing to see
    DrawTexturedPolygon(img, 0, quad, 3);  // not even one vertex
    DrawTexturedPolygon(img, 1, quad, 16); // no such frame
    ASSERT_EQ(hb.DrawLog().size(), 2u);
    EXPECT_EQ(hb.DrawLog()[0].op, "poly");
    EXPECT_EQ(hb.DrawLog()[0].poly, std::vector<float>(quad, quad + 16));
    EXPECT_EQ(hb.DrawLog()[1].poly, std::vector<float>(quad, quad + 8));
    struct Case {
        int n, want;
    } cases[] = {{0, 1}, {1, 1}, {2, 2}, {3, 4}, {64, 64}, {65, 128}, {600, 1024}};
    for (const Case& c : cases)
        EXPECT_EQ(TexturePow2(c.n), c.want) << c.n;
}

TEST(Headless, DisplayModesAndFailuresTheTestAsksFor) {
    auto& hb = UseHeadlessBackend();
    bool has800 = false;
    for (int i = 0; i < CountGraphicsModes(); i++) {
        int w, h, d, hz;
        ASSERT_TRUE(GetGraphicsMode(i, w, h, d, hz));
        has800 = has800 || (w == 800 && h == 600 && d == 32);
    }
    EXPECT_TRUE(has800);
    int w, h, d, hz;
    EXPECT_FALSE(GetGraphicsMode(CountGraphicsModes(), w, h, d, hz));

    EXPECT_TRUE(Graphics(800, 600, 32, 60));
    EXPECT_EQ(GraphicsFullScreen(), 1);
    hb.fullScreenWorks = false;
    std::string error;
    EXPECT_FALSE(Graphics(800, 600, 32, 60, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(GraphicsOpen());
    EXPECT_TRUE(Graphics(800, 600, 0, 60, &error));
    EXPECT_TRUE(error.empty());
    EXPECT_EQ(GraphicsFullScreen(), 0);
    hb.windowWorks = false;
    EXPECT_FALSE(Graphics(800, 600));
}

TEST(Headless, NotifyAndConfirmAreAnsweredByTheTest) {
    auto& hb = UseHeadlessBackend();
    Notify("Files corrupted", true);
    Notify("second");
    EXPECT_EQ(hb.notifications, (std::vector<std::string>{"Files corrupted", "second"}));
    EXPECT_TRUE(Confirm("Quit?"));
    hb.confirmAnswer = false;
    EXPECT_FALSE(Confirm("Quit?"));
}

TEST(Headless, AudioDeviceLogsPerChannelAndPlaysByTheVirtualClock) {
    auto& hb = UseHeadlessBackend();
    hb.SetScript(std::vector<FrameInput>(200));
    std::unique_ptr<AudioDevice> dev = CurrentBackend().OpenAudio("FreeAudio");
    ASSERT_TRUE(dev);
    auto clip = std::make_shared<TSound>();
    clip->path = "sfx/click.ogg";
    clip->durationMs = 100;
    auto song = std::make_shared<TSound>();
    song->path = "sfx/song.ogg";
    song->flags = SOUND_LOOP;
    song->durationMs = 50;
    dev->SoundLoaded(*clip);
    int a = dev->CreateVoice(), b = dev->CreateVoice();
    EXPECT_NE(a, b);
    dev->Start(a, clip, false);
    dev->Start(b, song, true);
    EXPECT_TRUE(dev->Playing(a));
    EXPECT_FALSE(dev->Playing(b)); // cued
    dev->Resume(b);
    dev->SetVolume(b, 1.7f);
    for (int i = 0; i < 3; i++)
        Flip(); // 50 ms
    dev->Pause(a);
    for (int i = 0; i < 6; i++)
        Flip(); // paused time does not count
    EXPECT_FALSE(dev->Playing(a));
    dev->Resume(a);
    EXPECT_TRUE(dev->Playing(a));
    for (int i = 0; i < 4; i++)
        Flip(); // 50 + 66 ms played: the clip is over
    EXPECT_FALSE(dev->Playing(a));
    EXPECT_TRUE(dev->Playing(b)); // loops
    dev->Stop(b);
    EXPECT_FALSE(dev->Playing(b));

    std::vector<std::string> ops;
    for (const SoundEvent& e : hb.SoundLog())
        ops.push_back(e.op + ":" + std::to_string(e.channel));
    EXPECT_EQ(ops, (std::vector<std::string>{"load:0", "play:" + std::to_string(a),
                                             "cue:" + std::to_string(b), "resume:" + std::to_string(b),
                                             "volume:" + std::to_string(b), "pause:" + std::to_string(a),
                                             "resume:" + std::to_string(a), "stop:" + std::to_string(b)}));
    EXPECT_EQ(hb.SoundLog()[1].path, "sfx/click.ogg");
    EXPECT_EQ(hb.SoundLog()[4].volume, 1.0f); // clamped
    EXPECT_FALSE(CurrentBackend().OpenAudio("NoSuchDriver"));
}

} // namespace
} // namespace vsm
