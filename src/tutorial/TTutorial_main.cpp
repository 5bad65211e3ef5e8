// TTutorial: the main page's looping demonstrations (clock, runs, drop, rotation, vials, pieces).
#include "tutorial/TTutorial.h"

#include "board/TRuneManager.h"
#include "level/TTimeManager.h"
#include "magic/TMagicSphere.h"
#include "platform/System.h"
#include "services/TDeltaTime.h"
#include "services/TRingEmiter.h"
#include "services/TVolcanoEmiter.h"
#include "services/Trig.h"
#include "widgets/DrawHelpers.h"
#include "widgets/TContainer.h"

#include <algorithm>
#include <cmath>

namespace vsm {

namespace {

// Every stream is paced by its start's distance to the sphere's centre, so the streams of one
// demo arrive together whatever their target.
constexpr float SPHERE_X = 397;
constexpr float SPHERE_Y = 159;
constexpr int ROPE_IMAGE = 5000;

struct Colour {
    int r, g, b;
};

Colour RuneColour(int colourClass) {
    // Three calls in this order: each draws from the generator.
    const int r = davar.getRuneRGB(colourClass, 1);
    const int g = davar.getRuneRGB(colourClass, 2);
    const int b = davar.getRuneRGB(colourClass, 3);
    return {r, g, b};
}

void Stream(float ax, float ay, float bx, float by, Colour c) {
    const float d = std::sqrt((ax - SPHERE_X) * (ax - SPHERE_X) + (ay - SPHERE_Y) * (ay - SPHERE_Y));
    TVolcanoEmiter::Create(ax, ay, bx, by, 0.025f * 200 / d, 50, c.r, c.g, c.b);
}

void Sparkle(int colourClass, int x, int y) {
    davar.particleRune(colourClass, 0, 0, 0.0f, 0.0f, x, y);
}

// One demo vial: empty ball filling from below, full with its ring burst, then cut away upwards.
void DrawVialDemo(int x, int y, const ImagePtr& ball, const ImagePtr& sign, float f, int& armed,
                  int colourClass) {
    const float w = magicSphere.ballsWidth;
    const float h = magicSphere.ballsHeight;
    const float signX = x + w / 2 - 16;
    const float signY = y + h / 2 - 16;
    if (f <= 1) {
        DrawImage(magicSphere.blackImg, static_cast<float>(x), static_cast<float>(y));
        drawVial(ball, x, y, 1 - f, 1.0f);
        DrawImage(sign, signX, signY);
        armed = 1;
    } else if (f <= 2) {
        DrawImage(magicSphere.blackImg, static_cast<float>(x), static_cast<float>(y));
        DrawImage(ball, static_cast<float>(x), static_cast<float>(y));
        DrawImage(sign, signX, signY);
        if (armed) {
            armed = 0;
            const Colour c = RuneColour(colourClass);
            TRingEmiter::Create(static_cast<int>(x + w / 2 - 1), static_cast<int>(y + h / 2 - 1), 26.0f, c.r,
                                c.g, c.b, 0.8f, 1.2f, 1);
        }
    } else if (f <= 3) {
        drawVial(magicSphere.blackImg, x, y, 0, 3 - f);
        drawVial(ball, x, y, 0, 3 - f);
        drawVial(sign, static_cast<int>(signX), static_cast<int>(signY), 0, 3 - f);
    }
}

} // namespace

int TTutorial::Update() {
    _hoverPlay();

    // The clock winds back fast, then runs down slowly; one step at most per frame.
    const int64_t now = MilliSecs64();
    if (tmDir == 1) {
        if (now - tmTimer > 500) {
            tmTimer = now;
            if (++tmFrame > 29) {
                tmFrame = 29;
                tmDir = 0;
            }
            tmImage = LoadImage(timeManager.framesPixmaps[tmFrame]);
        }
    } else if (now - tmTimer > 20) {
        tmTimer = now;
        if (--tmFrame < 0) {
            tmFrame = 0;
            tmDir = 1;
        }
        tmImage = LoadImage(timeManager.framesPixmaps[tmFrame]);
    }

    prawyAlpha = std::fmod(prawyAlpha + 0.02f, 2.0f);

    // Run demo: only the slide follows the frame factor; the counts after it are frames.
    runeOffset = std::min(static_cast<float>(runeOffset + delta), 90.0f);
    if (runeOffset == 90) ++podswietlenie;
    if (podswietlenie > 200) {
        runeOffset = 0;
        podswietlenie = 0;
        q1Stage = q1Stage == 1 ? 2 : 1;
    }
    if (podswietlenie == 100 && q1Stage == 1) {
        const Colour c = RuneColour(1);
        for (int i = 0; i < 3; ++i)
            Stream(616.0f + 40 * i, 116, 462, 149, c);
    }
    if (podswietlenie == 100 && q1Stage == 2) {
        const Colour c = RuneColour(2);
        for (int i = 0; i < 3; ++i)
            Stream(660, 70.0f + 40 * i, 367, 219, c);
    }

    if (now - czasKlocka > 3000) {
        czasKlocka = now;
        nrKlocka = (nrKlocka + 1) % 3;
        klocekAlpha = 0;
        klocekSkala = 1.0f;
    } else {
        klocekSkala = std::max(klocekSkala - 0.01f, 0.5f);
        klocekAlpha = std::min(klocekAlpha + 1, 1);
    }

    q2Offset = std::min(q2Offset + 1.0f, 90.0f);
    if (q2Offset == 90) ++q2Hilite;
    if (q2Hilite > 200) {
        q2Offset = 0;
        q2Hilite = 0;
    }
    if (q2Hilite == 100) {
        for (int i = 0; i < 5; ++i)
            Stream(65.0f + 40 * i, 450, 462, 149, RuneColour(1));
    }

    // The piece turns 2 degrees a frame and rests 15 drawn frames at every quarter turn.
    if (q3delay == 0) q3Angle += 2;
    if (q3Angle % 90 == 0) ++q3delay;
    if (q3delay == 16) {
        q3delay = 0;
        q3Angle += 2;
    }
    if (q3Angle > 360) q3Angle = 2;

    for (float& f : fill) {
        if (f < 1) {
            f += 0.005f;
        } else {
            f += 0.05f;
            if (f > 7) f = 0;
        }
    }
    return 0;
}

int TTutorial::Draw() {
    SetBlend(ALPHABLEND);
    SetAlpha(1);
    SetRotation(0);
    SetScale(1, 1);
    DrawImage(bg, 0, 0);

    const ImagePtr rope = data.GetImage(ROPE_IMAGE);
    DrawImage(rope, 365, 239);
    DrawImage(rope, 423, 239);
    DrawImage(magicSphere.sphereImg, 312, 74);
    DrawImage(timeManager.timerImg, 338, 270);
    DrawImage(tmImage, 355, 287);
    if (playO) DrawImage(Play, 369, 570);

    DrawVialDemo(432, 118, balls[0], sings[0], fill[0], sp[0], 1);
    DrawVialDemo(335, 188, balls[1], sings[1], fill[1], sp[1], 2);

    // The preview shows the rune of the run demo's next stage.
    SetScale(0.48f, 0.48f);
    const int preview = q1Stage == 2 ? 1 : 2;
    davar.Draw(preview, 375, 159);
    davar.Draw(preview, 394, 159);
    davar.Draw(preview, 413, 159);
    SetScale(1, 1);

    SetAlpha(prawyAlpha < 1 ? prawyAlpha : 2 - prawyAlpha);
    DrawImage(prawy, 232, 158);
    DrawImage(rightEq[0], 19, 177);
    DrawImage(rightEq[1], 158, 164);

    // Run demo: a row of rune 1 in stage 1, a column of rune 2 in stage 2; the last rune slides in.
    {
        const int p = podswietlenie;
        const float s = static_cast<float>(SinDeg(runeOffset));
        const bool row = q1Stage == 1;
        const int id = row ? 1 : 2;
        const int cellX[3] = {row ? 600 : 640, row ? 640 : 640, row ? 680 : 640};
        const int cellY[3] = {row ? 100 : 50, row ? 100 : 90, row ? 100 : 130};
        if (p < 100) {
            SetAlpha(1);
            davar.Draw(id, static_cast<float>(cellX[0]), cellY[0]);
            davar.Draw(id, static_cast<float>(cellX[1]), cellY[1]);
            davar.Draw(id, (row ? 740 : 700) - 60 * s, cellY[2]);
        }
        if (p > 0 && p < 100) {
            for (int i = 0; i < 3; ++i)
                Sparkle(id, cellX[i], cellY[i]);
        }
        if (p >= 100 && p <= 120) {
            SetAlpha((120 - p) / 20.0f);
            for (int i = 0; i < 3; ++i)
                davar.Draw(id, static_cast<float>(cellX[i]), cellY[i]);
        }
    }

    SetScale(klocekSkala, klocekSkala);
    SetAlpha(static_cast<float>(klocekAlpha));
    DrawImage(klocki[nrKlocka], 662, 399);
    SetScale(1, 1);
    SetAlpha(1);

    // Rotation demo: three cells turning about the first one's corner; the art itself stays upright.
    {
        struct Cell {
            int dx, dy, id;
        };
        constexpr Cell cells[3] = {{0, 0, 1}, {1, 0, 2}, {1, 1, 2}};
        SetAlpha(1);
        for (const Cell& c : cells) {
            const double r = 40 * std::sqrt(static_cast<double>(c.dx * c.dx + c.dy * c.dy));
            const double phi = ATan2Deg(c.dy, c.dx);
            const float x = static_cast<float>(120 + r * CosDeg(q3Angle + phi));
            const int y = static_cast<int>(60 + r * SinDeg(q3Angle + phi));
            davar.Draw(c.id, x, y);
        }
    }

    // Drop demo: a piece falls into the gap of a row of four, the row of five clears and the rest
    // of the piece fades after it.
    {
        const int h = q2Hilite;
        const float s = static_cast<float>(SinDeg(q2Offset));
        if (h < 100) {
            SetAlpha(1);
            for (int x : {45, 85, 165, 205})
                davar.Draw(1, static_cast<float>(x), 430);
            davar.Draw(1, 125, static_cast<int>(350 + 80 * s));
            davar.Draw(2, 125, static_cast<int>(310 + 80 * s));
            davar.Draw(2, 165, static_cast<int>(310 + 80 * s));
        }
        if (h > 0 && h < 100) {
            for (int i = 0; i < 5; ++i)
                Sparkle(1, 45 + 40 * i, 430);
        }
        if (h >= 100 && h <= 120) {
            SetAlpha((120 - h) / 20.0f);
            for (int i = 0; i < 5; ++i)
                davar.Draw(1, 45.0f + 40 * i, 430);
        }
        if (h >= 100 && h <= 180) {
            SetAlpha(std::min(1.0f, (180 - h) / 20.0f));
            davar.Draw(2, 125, 390);
            davar.Draw(2, 165, 390);
        }
    }
    return 0;
}

} // namespace vsm
