// TTutorial: the boss page's demonstration — sixteen runes gather round the boss rune, flash and
// burst towards the bottom of the screen.
#include "tutorial/TTutorial.h"

#include "board/TRuneManager.h"
#include "platform/System.h"
#include "services/TCometEmiter.h"
#include "services/TDeltaTime.h"
#include "services/TVolcanoEmiter.h"

#include <cmath>

namespace vsm {

namespace {

// Rune id and colour class of the demonstration's runes.
constexpr int BOSS_DEMO_RUNE = 5;
// Top-left of the boss rune, which stands on 2x2 cells of the 40-pixel art.
constexpr int BOSS_X = 360;
constexpr int BOSS_Y = 215;
constexpr int STEP = 40;
constexpr float BOSS_SIZE = 2 * STEP;
// Corner of the sparkle bands and of the burst.
constexpr int BAND_X = 363;
constexpr int BAND_Y = 218;

struct CellPos {
    int x, y;
};

// The four 2x2 groups: left, top, right and bottom of the boss rune, in build-up order.
constexpr CellPos CELLS[16] = {
    {BOSS_X - 2 * STEP, BOSS_Y},
    {BOSS_X - STEP, BOSS_Y},
    {BOSS_X - 2 * STEP, BOSS_Y + STEP},
    {BOSS_X - STEP, BOSS_Y + STEP},
    {BOSS_X, BOSS_Y - STEP},
    {BOSS_X + STEP, BOSS_Y - STEP},
    {BOSS_X, BOSS_Y - 2 * STEP},
    {BOSS_X + STEP, BOSS_Y - 2 * STEP},
    {BOSS_X + 2 * STEP, BOSS_Y},
    {BOSS_X + 2 * STEP, BOSS_Y + STEP},
    {BOSS_X + 3 * STEP, BOSS_Y},
    {BOSS_X + 3 * STEP, BOSS_Y + STEP},
    {BOSS_X, BOSS_Y + 2 * STEP},
    {BOSS_X + STEP, BOSS_Y + 2 * STEP},
    {BOSS_X, BOSS_Y + 3 * STEP},
    {BOSS_X + STEP, BOSS_Y + 3 * STEP},
};

// Pixels from (x, y) to the point the burst flies to, from integer differences.
float DistanceToTarget(int x, int y) {
    const int dx = x - 400;
    const int dy = y - 500;
    return static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
}

void BurstStream(int x, int y, int r, int g, int b) {
    TVolcanoEmiter::Create(static_cast<float>(x), static_cast<float>(y), 400, 500,
                           0.025f * 200 / DistanceToTarget(x, y), 50, r, g, b);
}

} // namespace

int TTutorial::update2() {
    _hoverPlay();

    // Each rune starts to appear once the one before it is a quarter visible.
    const double step = 0.015 * delta;
    giantset[0] = static_cast<float>(giantset[0] + step);
    for (int i = 1; i < 16; ++i)
        if (giantset[i - 1] >= 0.25f) giantset[i] = static_cast<float>(giantset[i] + step);

    // The last rune's level is the clock of the whole cycle.
    const float clock = giantset[15];
    if (clock > 1 && clock < 2) {
        for (int i = 0; i < 15; ++i)
            giantset[i] = clock;
        for (int k = 0; k < 6; ++k) {
            davar.particleRune(BOSS_DEMO_RUNE, 0, 0, 0, 0, BAND_X + (k - 2) * STEP, BAND_Y);
            davar.particleRune(BOSS_DEMO_RUNE, 0, 0, 0, 0, BAND_X + (k - 2) * STEP, BAND_Y + STEP);
        }
        for (int k = 0; k < 6; ++k) {
            davar.particleRune(BOSS_DEMO_RUNE, 0, 0, 0, 0, BAND_X, BAND_Y + (k - 2) * STEP);
            davar.particleRune(BOSS_DEMO_RUNE, 0, 0, 0, 0, BAND_X + STEP, BAND_Y + (k - 2) * STEP);
        }
    }

    if (clock > 2 && q1Stage == 1) {
        q1Stage = 0;
        const int r = davar.getRuneRGB(BOSS_DEMO_RUNE, 1);
        const int g = davar.getRuneRGB(BOSS_DEMO_RUNE, 2);
        const int b = davar.getRuneRGB(BOSS_DEMO_RUNE, 3);
        for (int j = -2; j <= 3; ++j) {
            const int cx = BAND_X + j * STEP + 16;
            // The control point's two draws keep their order.
            const int mx = Rand(150, 350);
            const int my = Rand(200, 500);
            auto comet = TCometEmiter::start(cx, 234, 390, 495, mx, my,
                                             0.03f * 200 / DistanceToTarget(cx, 234), -6, 6, -6, 6, 0.8f);
            comet->setRGB(r, g, b);
            BurstStream(cx, 274, r, g, b);
        }
        BurstStream(379, 154, r, g, b);
        BurstStream(419, 154, r, g, b);
    }

    if (clock > 4.5f) {
        q1Stage = 1;
        giantset = {};
    }
    return 0;
}

int TTutorial::draw2() {
    SetBlend(ALPHABLEND);
    SetTransform(0, 1, 1);
    SetAlpha(1);
    DrawImage(bg, 0, 0);
    if (playO) DrawImage(Play, 371, 571);

    const float clock = giantset[15];
    // The boss art is drawn at the size of a 2x2 boss on the 40-pixel board, whatever its own size.
    SetAlpha(clock < 2 ? 1.0f : 3 - clock);
    if (rune) DrawImageRect(rune, BOSS_X, BOSS_Y, BOSS_SIZE, BOSS_SIZE);

    for (int i = 0; i < 16; ++i) {
        SetAlpha(clock <= 2 ? giantset[i] : 3 - giantset[i]);
        davar.Draw(BOSS_DEMO_RUNE, static_cast<float>(CELLS[i].x), CELLS[i].y);
    }
    SetAlpha(1);
    return 0;
}

} // namespace vsm
