// The scene: the intro that brings the ring, the sheets and the pendulum in, the pendulum clock
// and the pointer over the sheets.
#include "RingFixture.h"

#include "platform/System.h"
#include "ringgame/TRingGame.h"
#include "services/TDeltaTime.h"
#include "services/TMouse.h"

#include <cmath>

namespace vsm::test {

namespace {

using RingScene = RingFixture;

} // namespace

TEST_F(RingScene, TheIntroEndsWithEverythingAtRest) {
    LoadLevel(Settings(60000, 3, "1", 5000));
    float firstScale = 0, firstRot = 0, firstAlpha = 0;
    int playFrame = -1;
    std::vector<float> restX, restY;
    float pivot = 0, rot = -1, scale = 0;
    Drive([&](int f, FrameInput& in) {
        if (f == 1) {
            firstScale = ringGame.ringScale;
            firstRot = ringGame.ringRot;
            firstAlpha = ringGame.ringAlfa;
        }
        if (playFrame < 0 && ringGame.faza == RING_PHASE_PLAY) {
            playFrame = f;
            for (const TPapier& p : ringGame.papiery) {
                restX.push_back(p.x);
                restY.push_back(static_cast<float>(p.y));
            }
            pivot = ringGame.wahadloPos;
            rot = ringGame.ringRot;
            scale = ringGame.ringScale;
            in.terminate = true;
        }
        return f < 1000;
    });
    EXPECT_EQ(RunPlay(0), -1);
    EXPECT_FLOAT_EQ(firstScale, 5.4f);
    EXPECT_FLOAT_EQ(firstRot, 95.0f);
    EXPECT_FLOAT_EQ(firstAlpha, 0.1f);
    EXPECT_NEAR(playFrame, 145, 5);
    ASSERT_EQ(restX.size(), 20u);
    const float columns[4] = {210, 110, 589, 689};
    for (int i = 0; i < 20; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(restX[i], columns[i / 5]);
        EXPECT_EQ(restY[i], 95 + 100 * (i % 5));
    }
    EXPECT_EQ(pivot, 260);
    EXPECT_EQ(rot, 0);
    EXPECT_EQ(scale, 1);
}

TEST_F(RingScene, ThePendulumSwingsWithTheTimeLeftAndHoverPlaysOncePerSheetEntered) {
    LoadLevel(Settings(60000, 3, "1", 5000));
    control->SetClock(100000);
    ringGame.resetParams();
    ringGame.faza = RING_PHASE_PLAY;
    ringGame.Timer = 70000;
    delta = 1;
    mouse.x = 400;
    mouse.y = 300;
    ringGame.Update();
    EXPECT_EQ(ringGame.wahadloMaxRot, 15) << "half the time is left";
    EXPECT_NEAR(ringGame.wahadloRot, std::sin(std::sqrt(10.0) * M_PI / 180) * 15, 1e-4);

    // Away from the vertical the amplitude holds, however much time passes.
    ringGame.Timer = 50000;
    ringGame.Update();
    EXPECT_EQ(ringGame.wahadloMaxRot, 15);

    const std::pair<int, int> path[] = {{210, 95}, {212, 100}, {400, 300}, {110, 395}, {110, 395}};
    for (const auto& [x, y] : path) {
        mouse.x = x;
        mouse.y = y;
        ringGame.Update();
    }
    EXPECT_EQ(ringGame.selectedRune, 8);
    EXPECT_EQ(Plays("playgamering-mouseover.ogg"), 2);

    control->SetClock(100000 + 60001 - 50000);
    ringGame.Update();
    EXPECT_EQ(ringGame.faza, RING_PHASE_OVER);
}

} // namespace vsm::test
