// The loading screen: the background and ball fades, the end effect's timing at a normal and a
// slow display, and the splash pictures that follow it.
#include "shell/ShellFixture.h"

#include "platform/Graphics.h"
#include "services/TSpark.h"
#include "shell/ShellScreens.h"
#include "shell/TLoading.h"
#include "support/TestAssets.h"

#include <vector>

namespace vsm::test {

namespace {

class LoadingScreen : public ShellFixture {
  protected:
    void SetUp() override {
        ShellFixture::SetUp();
        shellScreens.titlePlayMusic = [this] {
            ++titleMusic;
            titleMusicAtFrame = control->Frame();
            return 0;
        };
        control->SetScript(std::vector<FrameInput>(2000));
    }
    void Start() {
        Assemble();
        TSpark::destroyAll();
        loading.setup();
        control->ClearDrawLog();
    }

    // The drawing of each presented frame since the log was cleared.
    std::vector<std::vector<DrawCall>> Frames() const { return PresentedFrames(*control); }
    static int Count(const std::vector<DrawCall>& frame, const ImagePtr& image) {
        int n = 0;
        for (const DrawCall& call : frame)
            n += call.op == "image" && call.image == image;
        return n;
    }
    // Draws of a picture w pixels wide in the frame, with where the last one landed.
    static int CountWidth(const std::vector<DrawCall>& frame, int w, float* x = nullptr, float* y = nullptr) {
        int n = 0;
        for (const DrawCall& call : frame) {
            if (call.op != "image" || ImageWidth(call.image) != w) continue;
            ++n;
            if (x) *x = call.x;
            if (y) *y = call.y;
        }
        return n;
    }

    int titleMusic = 0;
    int titleMusicAtFrame = -1;
};

TEST_F(LoadingScreen, TheBallsLightOneAfterAnother) {
    Start();
    ASSERT_TRUE(loading.ballOne && loading.ballTwo && loading.img);
    loading.fadeInBg();
    EXPECT_EQ(Frames().size(), 20u);
    EXPECT_EQ(Count(Frames().back(), loading.ballOne), 5);
    EXPECT_EQ(Count(Frames().back(), loading.ballTwo), 0);

    const struct {
        int ball;
        int reachedBelow; // balls drawn as reached under the one being lit
    } cases[] = {{0, 0}, {1, 1}, {4, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ball);
        control->ClearDrawLog();
        loading.fadeInBall(c.ball);
        const auto frames = Frames();
        EXPECT_EQ(frames.size(), 10u);
        // The lit ball is drawn not yet reached with the reached one over it, at its place.
        EXPECT_EQ(Count(frames.back(), loading.ballTwo), c.reachedBelow + 1);
        EXPECT_EQ(Count(frames.back(), loading.ballOne), 5 - c.reachedBelow);
        const DrawCall* overlay = nullptr;
        for (const DrawCall& call : frames.back())
            if (call.image == loading.ballTwo) overlay = &call;
        ASSERT_TRUE(overlay);
        EXPECT_FLOAT_EQ(overlay->x, 228.0f + 90.0f * static_cast<float>(c.ball));
        EXPECT_FLOAT_EQ(overlay->y, 495.0f);
        EXPECT_FLOAT_EQ(overlay->state.alpha, 1.0f);
    }
}

TEST_F(LoadingScreen, TheEndEffectCompletesTheLogoAtSixtyFramesASecond) {
    Start();
    loading.fadeInBg();
    loading.fadeInBall(4);
    control->ClearDrawLog();
    int logoDoneAt = -1;
    const int first = control->Frame();
    control->SetScript([&](int, FrameInput&) {
        if (logoDoneAt < 0 && loading.stage >= 2) logoDoneAt = control->Frame() - first;
        return true;
    });
    loading.doMagic(3500);
    EXPECT_EQ(loading.stage, 3);
    EXPECT_EQ(logoDoneAt, 201);
    EXPECT_NEAR(static_cast<double>(Frames().size()), 211.0, 2.0);
    EXPECT_FLOAT_EQ(loading.logoAlpha, 1.0f);
    EXPECT_EQ(titleMusic, 1);
    EXPECT_EQ(titleMusicAtFrame, first); // before the first frame of the effect
    EXPECT_EQ(SparkList.Count(), 0u);    // every spark has died by then
    // The logo is drawn twice a frame: once plain, once glowing.
    EXPECT_EQ(Count(Frames().back(), loading.logo), 2);
}

TEST_F(LoadingScreen, OnASlowDisplayTheEndEffectStopsOnTimeWithTheLogoUnfinished) {
    Start();
    control->SetFrameStep(100);
    loading.doMagic(3500);
    EXPECT_EQ(loading.stage, 3);
    EXPECT_NEAR(static_cast<double>(Frames().size()), 36.0, 1.5); // 3.5 s of 100 ms frames
    EXPECT_LT(loading.logoAlpha, 0.2f);
    // Sparks still alive go on in the next screen that updates them.
    EXPECT_GT(SparkList.Count(), 0u);
}

class SplashScreens : public LoadingScreen {
  protected:
    // Writes the splash document and two pictures, 31 and 23 pixels wide.
    void Splashes(const std::string& document) {
        ASSERT_TRUE(WriteFlatPicture(resources + "splash/a.png", 31, 17));
        ASSERT_TRUE(WriteFlatPicture(resources + "splash/b.png", 23, 19));
        WriteData({{"portalScreens.tsc", document}});
        Start();
        loading.fadeInBall(4);
        control->ClearDrawLog();
    }
    // The presented frames in which a picture of width w is drawn.
    std::vector<std::vector<DrawCall>> FramesWith(int w) const {
        std::vector<std::vector<DrawCall>> out;
        for (const auto& frame : Frames())
            if (CountWidth(frame, w) > 0) out.push_back(frame);
        return out;
    }
    int FramesWithLogo() const {
        int n = 0;
        for (const auto& frame : Frames())
            n += Count(frame, loading.logo) > 0;
        return n;
    }
};

TEST_F(SplashScreens, WithoutPicturesOnlyTheEndEffectRuns) {
    Splashes("// none\nSplashes = 0\n");
    loading.PortalScreens();
    EXPECT_NEAR(static_cast<double>(Frames().size()), 211.0, 2.0);
    EXPECT_EQ(FramesWith(31).size() + FramesWith(23).size(), 0u);
    EXPECT_EQ(titleMusic, 1);
}

TEST_F(SplashScreens, AWindowedPictureFollowsTheLogoOverTheBackground) {
    Splashes("First{\n\tImage=\"splash/a.png\"\n\tX=100.9\n\tY=50\n\tFullscreen=0\n"
             "\tNested{\n\t\tImage=\"splash/b.png\"\n\t}\n}\n");
    loading.PortalScreens();
    const auto frames = Frames();
    // The end effect for 5000 ms, then the logo fades out in 20 frames.
    const auto withPicture = FramesWith(31);
    ASSERT_FALSE(withPicture.empty());
    EXPECT_NEAR(static_cast<double>(FramesWithLogo()), 301.0 + 20.0, 3.0);
    // Fade in, hold to 2 s after its start, fade out: about 140 frames, at (100, 50).
    EXPECT_NEAR(static_cast<double>(withPicture.size()), 140.0, 3.0);
    float x = 0, y = 0;
    CountWidth(withPicture[5], 31, &x, &y);
    EXPECT_FLOAT_EQ(x, 100);
    EXPECT_FLOAT_EQ(y, 50);
    EXPECT_EQ(Count(withPicture[5], loading.img), 1);
    EXPECT_EQ(Count(withPicture[5], loading.ballOne) + Count(withPicture[5], loading.logo), 0);
    EXPECT_TRUE(FramesWith(23).empty()); // a nested group is no picture
}

TEST_F(SplashScreens, AFullScreenFirstPictureReplacesTheEndEffect) {
    Splashes("First{\n\tImage=\"splash/a.png\"\n\tX=300\n\tY=300\n\tFullscreen=1\n}\n"
             "Second{\n\tImage=\"splash/b.png\"\n\tX=10\n\tY=20\n}\n");
    const int start = control->Frame();
    loading.PortalScreens();
    EXPECT_EQ(titleMusicAtFrame, start); // the title music starts at once
    EXPECT_EQ(FramesWithLogo(), 0);
    EXPECT_EQ(SparkList.Count(), 0u);
    const auto first = FramesWith(31);
    ASSERT_FALSE(first.empty());
    float x = -1, y = -1;
    CountWidth(first[5], 31, &x, &y);
    EXPECT_FLOAT_EQ(x, 0);
    EXPECT_FLOAT_EQ(y, 0);
    EXPECT_EQ(Count(first[5], loading.img), 0); // on a cleared screen
    const auto second = FramesWith(23);
    ASSERT_FALSE(second.empty());
    CountWidth(second[5], 23, &x, &y);
    EXPECT_FLOAT_EQ(x, 10);
    EXPECT_FLOAT_EQ(y, 20);
    // The background comes back at full opacity behind a windowed picture.
    bool background = false;
    for (const DrawCall& call : second[5])
        if (call.image == loading.img) background = call.state.alpha == 1.0f;
    EXPECT_TRUE(background);
}

} // namespace

} // namespace vsm::test
