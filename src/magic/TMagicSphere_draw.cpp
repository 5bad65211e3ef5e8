// TMagicSphere: resources, the per-frame drawing with easing, bursts and voices, and the sparks
// circling inside the sphere.
#include "magic/TMagicSphere.h"

#include "board/TBlocksManager.h"
#include "board/TRuneManager.h"
#include "platform/System.h"
#include "services/Paths.h"
#include "services/Sound.h"
#include "services/TDeltaTime.h"
#include "services/TRingEmiter.h"
#include "services/TSpark.h"
#include "services/Trig.h"
#include "widgets/DrawHelpers.h"
#include "widgets/TContainer.h"

#include <algorithm>
#include <cmath>

namespace vsm {

int TMagicSphereEmiter::Update() {
    if (Rand(0, 100) > emissionFreq) return 0;
    const int r = Rand(140, 180);
    const int g = Rand(140, 180);
    const int b = Rand(140, 180);
    const int angle = Rand(0, 360);
    const int radius = Rand(3, maxR);
    const int life = Rand(20, 70);
    const float scale = static_cast<float>(Rnd(0.5, 0.7));
    const int k = Rand(1, 3);
    auto s = TSpark::Create(SparkImage(k), static_cast<int>(cx + CosDeg(angle) * radius),
                            static_cast<int>(cy + SinDeg(angle) * radius), scale, life, r, g, b, 1, 0);
    s->setMovementType(angle, radius, cx, cy);
    return 0;
}

int TMagicSphere::LoadResources() {
    sphereImg = LoadImage(bDir + "gfx/ring/kulki.png");
    blackImg = LoadImage(bDir + "gfx/ring/k-black.png");
    volumImg[0] = LoadImage(bDir + "gfx/gwiazdki/volum04.png");
    volumImg[1] = LoadImage(bDir + "gfx/gwiazdki/volum05.png");
    for (auto& img : volumImg)
        if (img) MidHandleImage(img);
    sfx = LoadSound(bDir + "sfx/fx4/playgame-colorget.ogg");
    const char* voices[5] = {"sfx/voice/v-exelent.ogg", "sfx/voice/v-1mgo.ogg", "sfx/voice/v-j2m.ogg",
                             "sfx/voice/v-perfect2.ogg", "sfx/voice/v-great2.ogg"};
    for (int i = 0; i < 5; ++i)
        praiseVoice[i] = LoadSound(bDir + voices[i]);
    return 0;
}

int TMagicSphere::Update(int emit) {
    SetBlend(ALPHABLEND);
    SetAlpha(1);
    SetRotation(0);
    SetScale(1, 1);
    SetColor(255, 255, 255);
    const ImagePtr rope = data.GetImage(5000);
    if (rope) {
        DrawImage(rope, static_cast<float>(x + 53), static_cast<float>(y + 173));
        DrawImage(rope, static_cast<float>(x + 111), static_cast<float>(y + 173));
    }
    if (sphereImg) DrawImage(sphereImg, static_cast<float>(x), static_cast<float>(y));

    for (int i = 0; i < SPHERE_BALLS; ++i) {
        const int c = ballsClr[i];
        if (c < 1 || c > 15) continue;
        const float bx = static_cast<float>(x + ballsPos[i][0]);
        const float by = static_cast<float>(y + ballsPos[i][1]);
        const float mx = bx + ballsWidth / 2;
        const float my = by + ballsHeight / 2;
        const float t = TargetLevel(i);
        const int64_t now = MilliSecs64();
        const ImagePtr& ball = ballsImg[c - 1];
        const ImagePtr& sign = singsImg[c - 1];

        const float step = static_cast<float>(0.01 * delta);
        if (std::isnan(ballsLod[i])) ballsLod[i] = 0;
        if (ballsLod[i] < t)
            ballsLod[i] = std::min(ballsLod[i] + step, t);
        else if (ballsLod[i] > t)
            ballsLod[i] = std::max(ballsLod[i] - step, t);
        ballsLod[i] = std::clamp(ballsLod[i], 0.0f, 1.0f);

        if (ballsLod[i] == 1 && ballsFTimer[i] < 0) {
            ballsFTimer[i] = now;
            TRingEmiter::Create(static_cast<int>(mx - 1), static_cast<int>(my - 1), 26.0f,
                                davar.getRuneRGB(c, 1), davar.getRuneRGB(c, 2), davar.getRuneRGB(c, 3), 0.8f,
                                1.2f, 1);
            playSound2(sfx, nullptr, 0, 1.0f);
            if (now - lastEveSpeech > 2000) {
                const int open = std::clamp(OpenBallsCount(), 0, 4);
                playSound2(praiseVoice[open], nullptr, 0, 1.0f);
                lastEveSpeech = now;
            }
        }
        if (ballsLod[i] < 1 && ballsFTimer[i] >= 0) ballsFTimer[i] = -1;

        const int ibx = static_cast<int>(bx);
        const int iby = static_cast<int>(by);
        if (ballsFTimer[i] < 0) {
            if (blackImg) DrawImage(blackImg, bx, by);
            drawVial(ball, ibx, iby, 1 - ballsLod[i], 1);
            if (sign) DrawImage(sign, mx - 16, my - 16);
            continue;
        }

        const int64_t e = now - ballsFTimer[i];
        float m = 1;
        if (e > 2000) m = std::clamp(1.0f - static_cast<float>(e - 2000) / 500.0f, 0.0f, 1.0f);
        drawVial(blackImg, ibx, iby, 0, m);
        drawVial(ball, ibx, iby, 0, m);
        if (e < 2000) {
            float a = 1;
            if (e < 300)
                a = static_cast<float>(e) / 300.0f;
            else if (e > 1700)
                a = 1.0f - static_cast<float>(e - 1700) / 300.0f;
            const int r = e / 3;
            SetBlend(LIGHTBLEND);
            SetColor(davar.getRuneRGB(c, 1), davar.getRuneRGB(c, 2), davar.getRuneRGB(c, 3));
            SetAlpha(0.7f * a);
            for (int k = 0; k < 4; ++k) {
                SetRotation(static_cast<float>(r + 45 * k));
                if (volumImg[0]) DrawImage(volumImg[0], mx, my);
                if (volumImg[1]) DrawImage(volumImg[1], mx, my);
            }
            SetBlend(ALPHABLEND);
            SetColor(255, 255, 255);
            SetRotation(0);
            SetAlpha(1);
        }
        drawVial(sign, static_cast<int>(mx - 16), static_cast<int>(my - 16), 0, m);
    }

    blocks.DrawNextBlock(static_cast<float>(x + 92), static_cast<float>(y + 95));
    if (emit != 0) magicSphereEmiter.Update();
    return 0;
}

int TMagicSphere::DoSparks(int i) {
    if (i < 0 || i >= SPHERE_BALLS) return 0;
    const int c = ballsClr[i];
    const float bx = static_cast<float>(x + ballsPos[i][0]);
    const float by = static_cast<float>(y + ballsPos[i][1]);
    const int mx = static_cast<int>(bx + ballsWidth / 2);
    const int my = static_cast<int>(by + ballsHeight / 2);
    const int hw = static_cast<int>(ballsWidth / 2);
    const int hh = static_cast<int>(ballsHeight / 2);
    const ImagePtr img = SparkImage(0);
    const int n = static_cast<int>(delta * 2);
    for (int k = 0; k <= n; ++k) {
        const int sx = Rand(mx - hw, mx + hw);
        const int sy = Rand(my - hh, my + hh);
        if (static_cast<float>(sy) < by + ballsHeight * (1 - ballsLod[i])) continue;
        const double dx = sx - mx, dy = sy - my;
        if (std::sqrt(dx * dx + dy * dy) > 22) continue;
        const float s = static_cast<float>(Rnd(0.3, 0.5));
        const int px = sx - static_cast<int>(static_cast<float>(ImageWidth(img) / 2) * s);
        const int py = sy - static_cast<int>(static_cast<float>(ImageHeight(img) / 2) * s);
        auto spark = TSpark::Create(img, px, py, s, Rand(20, 60), davar.getRuneRGB(c, 1),
                                    davar.getRuneRGB(c, 2), davar.getRuneRGB(c, 3), 1, 0);
        spark->setVelocity(static_cast<float>(Rnd(-0.05, 0.05)), static_cast<float>(Rnd(0, 0.1)));
    }
    return 0;
}

} // namespace vsm
