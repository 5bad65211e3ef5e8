// TCaptions: the floating captions over the board (points, combos, matches, bonus pictures).
#include "services/TCaptions.h"

#include "platform/System.h"
#include "services/Paths.h"
#include "services/TDeltaTime.h"
#include "services/Trig.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace vsm {

TList<TCaptions> captions;
std::array<int, 10> cyfry2Width = {22, 10, 19, 19, 19, 19, 18, 16, 19, 19};

ImagePtr TCaptions::match;
ImagePtr TCaptions::combo;
ImagePtr TCaptions::points;
ImagePtr TCaptions::cyfry;

namespace {

// The decimal digits of n, most significant first; a minus sign is not a digit and is skipped.
std::string Digits(int n) {
    std::string s = std::to_string(n);
    s.erase(std::remove(s.begin(), s.end(), '-'), s.end());
    return s;
}

// Fade phase: fast up to 90 degrees, slow from there.
void PhaseStep(TCaptions& c) {
    if (c.alphaStage < 90)
        c.alphaStage = static_cast<float>(c.alphaStage + 3 * delta);
    else
        c.alphaStage = static_cast<float>(c.alphaStage + delta);
}

float SinDegrees(float degrees) {
    return static_cast<float>(SinDeg(degrees));
}

} // namespace

void TCaptions::loadGfx() {
    match = LoadImage(bDir + "gfx/fonts/match.png");
    combo = LoadAnimImage(bDir + "gfx/fonts/combo.png", 256, 42, 0, 3);
    if (combo) MidHandleImage(combo);
    points = LoadImage(bDir + "gfx/fonts/points.png");
    cyfry = LoadAnimImage(bDir + "gfx/fonts/CYFRY2.png", 32, 32, 0, 10);
}

void TCaptions::Destroy() {
    captions.Remove(this);
}

void TCaptions::destroyAll() {
    captions.Clear();
}

int TCaptions::drawNumber(int yOffset) {
    float advance = 0;
    for (char ch : Digits(number)) {
        const int digit = ch - '0';
        DrawImage(cyfry, x + advance, y + static_cast<float>(yOffset), digit);
        advance += static_cast<float>(cyfry2Width[digit]) * scale;
    }
    return static_cast<int>(advance + 12);
}

int TCaptions::GetWidth() const {
    int width = 12;
    for (char ch : Digits(number))
        width += cyfry2Width[ch - '0'];
    switch (id) {
    case CAPTION_POINTS:
        return width + ImageWidth(points);
    case CAPTION_COMBO:
        return width + ImageWidth(combo);
    case CAPTION_MATCH:
        return width + ImageWidth(match);
    default:
        return width;
    }
}

void TCaptions::updateAll() {
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    const int64_t now = MilliSecs64();
    captions.ForEach([now](const CaptionPtr& c) {
        if (c->delayTime != 0) {
            if (now - c->Timer < c->delayTime) return;
            c->delayTime = 0;
        }
        // This frame draws with the values from before its own changes.
        SetAlpha(c->alpha);
        SetScale(c->scale, c->scale);
        switch (c->id) {
        case CAPTION_POINTS:
            c->y = static_cast<float>(c->y - 0.5 * delta);
            PhaseStep(*c);
            if (c->alphaStage < 180) {
                c->alpha = SinDegrees(c->alphaStage);
                const int w = c->drawNumber(static_cast<int>((1 - c->scale) * 30));
                DrawImage(points, c->x + static_cast<float>(w), c->y + (1 - c->scale) * 30, 0);
            } else {
                c->Destroy();
            }
            break;
        case CAPTION_COMBO:
            c->scale = static_cast<float>(c->scale + 0.004 * delta);
            PhaseStep(*c);
            c->y += 0.6f; // per update: the combo caption sinks while the others rise
            if (c->alphaStage < 180) {
                c->alpha = SinDegrees(c->alphaStage);
                // Frames 0..2 show the counts 2..4; other counts show the nearest.
                DrawImage(combo, c->x, c->y, std::clamp(c->number - 2, 0, 2));
            } else {
                c->Destroy();
            }
            break;
        case CAPTION_MATCH:
            c->y = static_cast<float>(c->y - 0.5 * delta);
            PhaseStep(*c);
            if (c->alphaStage < 180) {
                c->alpha = SinDegrees(c->alphaStage);
                const int w = c->drawNumber(0);
                DrawImage(match, c->x + static_cast<float>(w), c->y, 0);
            } else {
                c->Destroy();
            }
            break;
        case CAPTION_PICTURE:
            c->scale = static_cast<float>(c->scale + 0.005 * delta);
            PhaseStep(*c);
            if (c->alphaStage < 180) {
                c->alpha = SinDegrees(c->alphaStage);
                if (c->image) DrawImage(c->image, c->x, c->y, 0);
            } else {
                c->Destroy();
            }
            break;
        default:
            break; // stays, undrawn, until destroyAll
        }
    });
}

CaptionPtr TCaptions::addCaption(int id, int number, int x, int y, float scale, int center, int delay,
                                 const ImagePtr& image) {
    auto c = std::make_shared<TCaptions>();
    c->id = id;
    c->number = number;
    c->x = static_cast<float>(x);
    c->y = static_cast<float>(y);
    c->scale = scale;
    c->image = image;
    c->delayTime = delay;
    c->Timer = MilliSecs64();
    if (center != 0) c->x = static_cast<float>(x - c->GetWidth() / 2);
    captions.AddLast(c);
    return c;
}

} // namespace vsm
