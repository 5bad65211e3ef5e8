// The main page's demonstrations, frame by frame through the real page loop.
#include "TutorialFixture.h"

#include "level/TTimeManager.h"
#include "magic/TMagicSphere.h"
#include "platform/Input.h"
#include "services/TDeltaTime.h"
#include "services/TRingEmiter.h"
#include "services/TVolcanoEmiter.h"
#include "tutorial/TTutorial.h"
#include "widgets/TContainer.h"

#include <functional>
#include <map>
#include <set>

namespace vsm::test {

namespace {

class MainDemoTest : public TutorialFixture {
  protected:
    void SetUp() override {
        TutorialFixture::SetUp();
        AddRune(1, 1);
        AddRune(2, 2);
        rope = CreateImage(8, 40);
        data.Add(rope, 5000);
        magicSphere.sphereImg = CreateImage(170, 170);
        magicSphere.blackImg = CreateImage(62, 62);
        timeManager.timerImg = CreateImage(120, 90);
        // Clock frame i is i + 1 pixels wide, so the drawn clock tells its frame.
        for (int i = 0; i < 30; ++i)
            timeManager.framesPixmaps[i] = CreatePixmap(i + 1, 1);
    }

    // Runs the main page over a level at exactly one frame factor per frame (20 ms frames timed
    // for 50 frames a second), from a program that has run for ten seconds. After page frame k
    // (from 0) inspect(k) sees that frame's drawing in the log; the page then ends after frame
    // `frames` - 1.
    void RunMainPage(int frames, const std::function<void(int)>& inspect) {
        InspectFrames(frames, inspect);
        control->SetClock(10000);
        deltaTime.Update();
        control->AdvanceClock(20);
        ASSERT_EQ(tutorial.show(1), 0);
    }

    // The draws of a rune's 40-pixel art, in order.
    std::vector<DrawCall> RuneDraws(int id) const {
        std::vector<DrawCall> out;
        for (const DrawCall& c : Draws())
            if (c.image == Art40(id)) out.push_back(c);
        return out;
    }

    // Streams that started this frame (each has started its first particle), by their start.
    static std::vector<std::shared_ptr<TVolcanoEmiter>> NewStreams() {
        std::vector<std::shared_ptr<TVolcanoEmiter>> out;
        for (const auto& e : volcanoList)
            if (e->counter == 1) out.push_back(e);
        return out;
    }

    ImagePtr rope;
};

struct Expected {
    ImagePtr image;
    float x, y;
    float alpha = 1;
    float scale = 1;
};

void ExpectDraws(const std::vector<DrawCall>& got, const std::vector<Expected>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "draw " << i);
        EXPECT_EQ(got[i].image, want[i].image);
        EXPECT_NEAR(got[i].x, want[i].x, 1e-3);
        EXPECT_NEAR(got[i].y, want[i].y, 1e-3);
        EXPECT_NEAR(got[i].state.alpha, want[i].alpha, 1e-5);
        EXPECT_NEAR(got[i].state.scaleX, want[i].scale, 1e-5);
    }
}

} // namespace

TEST_F(MainDemoTest, FirstFrameOfAShowingDrawsThePageInOrder) {
    std::vector<DrawCall> images;
    std::vector<Expected> want;
    size_t polys = 0;
    RunMainPage(1, [&](int) {
        images = Draws();
        polys = Draws("poly").size();
        const TTutorial& t = tutorial;
        const ImagePtr r1 = Art40(1), r2 = Art40(2);
        // The program has run over three seconds: the first frame brings the second piece
        // picture, invisible and at full size.
        want = {
            {t.bg, 0, 0},
            {rope, 365, 239},
            {rope, 423, 239},
            {magicSphere.sphereImg, 312, 74},
            {timeManager.timerImg, 338, 270},
            {t.tmImage, 355, 287},
            {magicSphere.blackImg, 432, 118},
            {t.sings[0], 447, 133},
            {magicSphere.blackImg, 335, 188},
            {t.sings[1], 350, 203},
            {r2, 375, 159, 1, 0.48f},
            {r2, 394, 159, 1, 0.48f},
            {r2, 413, 159, 1, 0.48f},
            {t.prawy, 232, 158, 0.02f},
            {t.rightEq[0], 19, 177, 0.02f},
            {t.rightEq[1], 158, 164, 0.02f},
            {r1, 600, 100},
            {r1, 640, 100},
            {r1, 738.95286f, 100},
            {t.klocki[1], 662, 399, 0, 1},
            {r1, 120, 60},
            {r2, 159.97563f, 61},
            {r2, 158.57967f, 101},
            {r1, 45, 430},
            {r1, 85, 430},
            {r1, 165, 430},
            {r1, 205, 430},
            {r1, 125, 351},
            {r2, 125, 311},
            {r2, 165, 311},
        };
    });
    ExpectDraws(images, want);
    EXPECT_EQ(images.at(5).w, 30); // the clock at its last frame
    EXPECT_EQ(polys, 2u);          // the two balls filling from below
}

TEST_F(MainDemoTest, RunDemoSlidesSparklesStreamsFadesAndSwitchesRow) {
    std::map<int, std::vector<DrawCall>> runes1, runes2;
    std::map<int, std::vector<std::shared_ptr<TVolcanoEmiter>>> streams;
    std::map<int, int> previewRune;
    RunMainPage(480, [&](int k) {
        runes1[k] = RuneDraws(1);
        runes2[k] = RuneDraws(2);
        for (const auto& e : NewStreams())
            if (e->ay < 400) streams[k].push_back(e); // the drop demo's start at y 450
        for (const DrawCall& c : Draws())
            if (c.x == 394 && c.y == 159) previewRune[k] = c.image == Art40(1) ? 1 : 2;
    });
    auto at = [](const std::vector<DrawCall>& draws, float x, float y) {
        std::vector<float> alphas;
        for (const DrawCall& c : draws)
            if (std::abs(c.x - x) < 1e-3 && c.y == y) alphas.push_back(c.state.alpha);
        return alphas;
    };
    // Halfway through the slide the third rune is at 740 - 60 sin 45.
    EXPECT_EQ(at(runes1[44], 697.57359f, 100).size(), 1u);
    // The row stands from frame 89; the streams leave exactly once, at the count of 100.
    EXPECT_EQ(at(runes1[89], 680, 100).size(), 1u);
    ASSERT_EQ(streams.size(), 2u);
    ASSERT_EQ(streams[188].size(), 3u);
    const float dts[3] = {0.0224033f, 0.0190443f, 0.0165521f};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const auto& s = streams[188][i];
        EXPECT_EQ(s->ax, 616 + 40 * i);
        EXPECT_EQ(s->ay, 116);
        EXPECT_EQ(s->bx, 462);
        EXPECT_EQ(s->by, 149);
        EXPECT_NEAR(s->dt, dts[i], 1e-6);
        EXPECT_EQ(s->maxCount, 50);
        EXPECT_EQ(s->r, 10);
    }
    // The cleared row fades from the frame of the streams: 1 at 100, 0.5 at 110, 0 at 120.
    EXPECT_EQ(at(runes1[188], 680, 100), std::vector<float>{1.0f});
    EXPECT_EQ(at(runes1[198], 640, 100), std::vector<float>{0.5f});
    EXPECT_EQ(at(runes1[208], 600, 100), std::vector<float>{0.0f});
    EXPECT_TRUE(at(runes1[209], 600, 100).empty());
    // After 201 counted frames the column of rune 2 begins, and the preview turns to rune 1.
    EXPECT_EQ(previewRune[288], 2);
    EXPECT_EQ(previewRune[289], 1);
    EXPECT_EQ(at(runes2[289], 700, 130).size(), 1u);
    EXPECT_EQ(at(runes2[289], 640, 50).size(), 1u);
    ASSERT_EQ(streams[478].size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(streams[478][i]->ax, 660);
        EXPECT_EQ(streams[478][i]->ay, 70 + 40 * i);
        EXPECT_EQ(streams[478][i]->bx, 367);
        EXPECT_EQ(streams[478][i]->r, 20);
    }
}

TEST_F(MainDemoTest, DropDemoLandsClearsTheRowAndFadesTheRest) {
    std::map<int, std::vector<DrawCall>> runes1, runes2;
    std::map<int, std::vector<std::shared_ptr<TVolcanoEmiter>>> streams;
    RunMainPage(292, [&](int k) {
        runes1[k] = RuneDraws(1);
        runes2[k] = RuneDraws(2);
        for (const auto& e : NewStreams())
            if (e->ay == 450) streams[k].push_back(e);
    });
    auto alphaAt = [](const std::vector<DrawCall>& draws, float x, float y) {
        for (const DrawCall& c : draws)
            if (c.x == x && c.y == y) return c.state.alpha;
        return -1.0f;
    };
    // A third of the way down (sin 30 = 0.5) and landed.
    EXPECT_EQ(alphaAt(runes1[29], 125, 390), 1.0f);
    EXPECT_EQ(alphaAt(runes2[29], 165, 350), 1.0f);
    EXPECT_EQ(alphaAt(runes1[89], 125, 430), 1.0f);
    EXPECT_EQ(alphaAt(runes2[89], 165, 390), 1.0f);
    ASSERT_EQ(streams.size(), 1u);
    ASSERT_EQ(streams[188].size(), 5u);
    const float dts[5] = {0.0113255f, 0.0121287f, 0.0129888f, 0.0138875f, 0.0147915f};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(streams[188][i]->ax, 65 + 40 * i);
        EXPECT_EQ(streams[188][i]->bx, 462);
        EXPECT_NEAR(streams[188][i]->dt, dts[i], 1e-6);
    }
    struct Case {
        int frame;
        float row, rest; // alpha of the cleared row and of the rest of the piece; -1 not drawn
    };
    const Case cases[] = {{188, 1, 1},     {198, 0.5f, 1},   {208, 0, 1},  {209, -1, 1}, {248, -1, 1},
                          {258, -1, 0.5f}, {263, -1, 0.25f}, {268, -1, 0}, {269, -1, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frame);
        EXPECT_EQ(alphaAt(runes1[c.frame], 125, 430), c.row);
        EXPECT_EQ(alphaAt(runes2[c.frame], 165, 390), c.rest);
    }
    // 201 counted frames after landing the piece is back at the top.
    EXPECT_EQ(alphaAt(runes2[289], 165, 310), 1.0f);
}

TEST_F(MainDemoTest, RotationRestsFifteenFramesAtEachQuarterAndNeverReturnsToZero) {
    std::vector<int> angles;
    std::map<int, std::vector<DrawCall>> runes2;
    RunMainPage(250, [&](int k) {
        angles.push_back(tutorial.q3Angle);
        for (const DrawCall& c : RuneDraws(2))
            if (c.x < 300 && c.y < 300) runes2[k].push_back(c); // the turning piece's cells
    });
    std::map<int, int> held;
    for (int a : angles)
        if (a % 90 == 0) ++held[a];
    EXPECT_EQ(held, (std::map<int, int>{{90, 15}, {180, 15}, {270, 15}, {360, 15}}));
    const auto at360 = std::find(angles.begin(), angles.end(), 360);
    ASSERT_NE(at360 + 15, angles.end());
    EXPECT_EQ(*(at360 + 15), 2);
    // Cell positions truncate y toward zero: at 270 degrees the far corner is at y 19.99..., drawn
    // at 19; the near one at 20.
    const int k270 = static_cast<int>(std::find(angles.begin(), angles.end(), 270) - angles.begin());
    ASSERT_GE(runes2[k270].size(), 2u);
    EXPECT_NEAR(runes2[k270][0].x, 120, 1e-3);
    EXPECT_EQ(runes2[k270][0].y, 20);
    EXPECT_NEAR(runes2[k270][1].x, 160, 1e-3);
    EXPECT_EQ(runes2[k270][1].y, 19);
}

TEST_F(MainDemoTest, ClockWindsBackFastThenRunsDownAndPiecesChangeEveryThreeSeconds) {
    std::map<int, int> clockFrame;
    std::map<int, DrawCall> piece;
    RunMainPage(160, [&](int k) {
        for (const DrawCall& c : Draws()) {
            if (c.x == 355 && c.y == 287) clockFrame[k] = static_cast<int>(c.w) - 1;
            if (c.x == 662 && c.y == 399) piece[k] = c;
        }
    });
    // 20 ms frames: a step back needs more than 20 ms, so one every other frame; frame 0 is held
    // for one more 20 ms step, then every step forward waits more than 500 ms.
    struct Case {
        int frame, clock;
    };
    const Case clockCases[] = {{0, 29}, {1, 29}, {2, 28}, {4, 27}, {56, 1},
                               {58, 0}, {60, 0}, {85, 0}, {86, 1}, {112, 2}};
    for (const Case& c : clockCases) {
        SCOPED_TRACE(c.frame);
        EXPECT_EQ(clockFrame[c.frame], c.clock);
    }
    // The piece comes in invisible at full size, then shrinks by 0.01 a frame down to half size.
    EXPECT_EQ(piece[0].image, tutorial.klocki[1]);
    EXPECT_EQ(piece[0].state.alpha, 0);
    EXPECT_EQ(piece[0].state.scaleX, 1);
    EXPECT_EQ(piece[1].state.alpha, 1);
    EXPECT_FLOAT_EQ(piece[1].state.scaleX, 0.99f);
    EXPECT_FLOAT_EQ(piece[150].state.scaleX, 0.5f);
    EXPECT_EQ(piece[150].image, tutorial.klocki[1]);
    // More than 3000 ms after the change: the third picture.
    EXPECT_EQ(piece[151].image, tutorial.klocki[2]);
    EXPECT_EQ(piece[151].state.alpha, 0);
    EXPECT_EQ(piece[151].state.scaleX, 1);
}

TEST_F(MainDemoTest, VialsFillBurstOnceTogetherAndVanish) {
    std::map<int, std::vector<std::pair<int, int>>> bursts; // ring centres started per frame
    std::set<const TRingEmiter*> seen;
    std::map<int, size_t> polys;
    std::map<int, size_t> emptyBalls;
    RunMainPage(530, [&](int k) {
        for (const auto& e : ringEmiterList) {
            if (!seen.insert(e.get()).second) continue;
            bursts[k].push_back({static_cast<int>(e->x), static_cast<int>(e->y)});
            EXPECT_EQ(e->r, e->x == 462 ? 10 : 20);
            EXPECT_EQ(e->Range, 26);
            EXPECT_FLOAT_EQ(e->mins, 0.8f);
            EXPECT_FLOAT_EQ(e->maxs, 1.2f);
        }
        polys[k] = Draws("poly").size();
        emptyBalls[k] = DrawsAt(432, 118).size();
    });
    const std::vector<std::pair<int, int>> both = {{462, 148}, {365, 218}};
    EXPECT_EQ(bursts, (std::map<int, std::vector<std::pair<int, int>>>{{200, both}, {521, both}}));
    // Filling: the empty ball and the rising band; full: empty ball and whole ball; vanishing:
    // three bands cut from below; absent: nothing.
    EXPECT_EQ(polys[100], 2u);
    EXPECT_EQ(emptyBalls[100], 1u);
    EXPECT_EQ(polys[210], 0u);
    EXPECT_EQ(emptyBalls[210], 2u);
    EXPECT_EQ(polys[230], 6u);
    EXPECT_EQ(emptyBalls[230], 0u);
    EXPECT_EQ(polys[300], 0u);
    EXPECT_EQ(emptyBalls[300], 0u);
}

} // namespace vsm::test
