// TLoading: the loading screen's fades, drawing, loops and the loading of every shared asset.
#include "shell/TLoading.h"

#include "platform/EndFrame.h"
#include "platform/System.h"
#include "services/Paths.h"
#include "services/TDeltaTime.h"
#include "services/TSpark.h"
#include "shell/LoadGameAssets.h"
#include "shell/ShellScreens.h"
#include "widgets/SharedImageIds.h"
#include "widgets/TContainer.h"

#include <algorithm>

namespace vsm {

TLoading loading;

namespace {

constexpr int BALLS = 5;
constexpr float TEXT_X = 402, TEXT_Y = 550;
constexpr float BALL_X = 228, BALL_STEP = 90, BALL_Y = 495;
constexpr float LOGO_X = 243, LOGO_Y = 432;

// One frame of a loading loop: its step, its drawing and EndFrame.
void LoadingFrame(TLoading& screen) {
    screen.Update();
    screen.Draw();
    EndFrame();
}

// One rising spark of the end effect; the draws happen in a fixed order.
SparkPtr RisingSpark() {
    const int x = Rand(240, 595);
    const int y = Rand(425, 535);
    const int scale = Rand(2, 6);
    const int life = Rand(30, 60);
    const int r = Rand(150, 200);
    const int g = Rand(100, 200);
    const int b = Rand(100, 200);
    return TSpark::Create(SparkImage(0), x, y, static_cast<float>(scale), life, r, g, b, 1, 0);
}

} // namespace

int TLoading::setup() {
    alpha = 0;
    logoAlpha = 0;
    ballAlpha = 0;
    fadingBall = -1;
    img = LoadImage(bDir + "gfx/title/loading2.jpg", 0);
    logo = LoadImage(bDir + "gfx/title/korvela.png");
    loadingText = LoadImage(bDir + "gfx/title/loading.png");
    ballOne = LoadImage(bDir + "gfx/title/load2.png");
    ballTwo = LoadImage(bDir + "gfx/title/load1.png");
    MidHandleImage(loadingText);
    MidHandleImage(ballOne);
    MidHandleImage(ballTwo);
    // The story viewer shows the caption while a story loads.
    if (loadingText) data.Add(loadingText, DATA_LOADING_TEXT);
    return 0;
}

int TLoading::Update() {
    alpha = std::min(alpha + 0.05f, 1.0f);
    if (stage == 0 && fadingBall >= 0) ballAlpha = std::min(ballAlpha + 0.1f, 1.0f);
    if (stage == 1) {
        logoAlpha += 0.005f;
        if (logoAlpha > 1) {
            logoAlpha = 1;
            stage = 2;
        }
        ballAlpha = std::max(ballAlpha - 0.1f, 0.0f);
    }
    return 0;
}

int TLoading::Draw() {
    Cls();
    SetColor(255, 255, 255);
    SetTransform(0, 1, 1);
    SetBlend(ALPHABLEND);
    SetAlpha(alpha);
    DrawImage(img, 0, 0);
    if (stage == 0) {
        DrawImage(loadingText, TEXT_X, TEXT_Y);
        for (int k = 0; k < BALLS; ++k) {
            const float x = BALL_X + BALL_STEP * static_cast<float>(k);
            DrawImage(k < fadingBall ? ballTwo : ballOne, x, BALL_Y);
            if (k == fadingBall) {
                SetAlpha(ballAlpha);
                DrawImage(ballTwo, x, BALL_Y);
                SetAlpha(alpha);
            }
        }
        return 0;
    }
    SetAlpha(ballAlpha);
    DrawImage(loadingText, TEXT_X, TEXT_Y);
    for (int k = 0; k < BALLS; ++k)
        DrawImage(ballTwo, BALL_X + BALL_STEP * static_cast<float>(k), BALL_Y);
    SetAlpha(logoAlpha);
    DrawImage(logo, LOGO_X, LOGO_Y);
    // Drawn once more with light blending, which makes the logo glow.
    SetBlend(LIGHTBLEND);
    DrawImage(logo, LOGO_X, LOGO_Y);
    SetBlend(ALPHABLEND);
    return 0;
}

int TLoading::fadeInBg() {
    while (alpha < 1)
        LoadingFrame(*this);
    return 0;
}

int TLoading::fadeInBall(int i) {
    fadingBall = i;
    ballAlpha = 0;
    while (ballAlpha < 1)
        LoadingFrame(*this);
    return 0;
}

int TLoading::doMagic(int ms) {
    stage = 1;
    ballAlpha = 1;
    // No frame timer yet: every frame counts as one 60th of a second.
    delta = 1.0;
    const ImagePtr glow = SparkImage(0);
    if (glow) MidHandleImage(glow);
    const int64_t start = MilliSecs64();
    shellScreens.titlePlayMusic();
    int budget = 82;
    while (stage < 3) {
        Update();
        Draw();
        if (budget > 0) {
            budget -= 2;
            const SparkPtr first = RisingSpark();
            first->setVelocity(0, static_cast<float>(Rnd(-3.5, -2.0)));
            const SparkPtr second = RisingSpark();
            second->setVelocity(0, -2.0f);
        }
        TSpark::UpdateAll();
        if (MilliSecs64() > start + ms) stage = 3;
        EndFrame();
    }
    if (glow) SetImageHandle(glow, 0, 0);
    return 0;
}

int TLoading::loadEverything() {
    LoadGameAssets([this](int mark) { fadeInBall(mark); });
    return 0;
}

} // namespace vsm
