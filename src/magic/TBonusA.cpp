// TBonusA: one bonus token — creation, activation and drawing.
#include "magic/TBonusA.h"

#include "board/TBoardManager.h"
#include "platform/System.h"
#include "services/TDeltaTime.h"

namespace vsm {

std::shared_ptr<TBonusA> TBonusA::Create(int x, int y, int kind, int color) {
    auto t = std::make_shared<TBonusA>();
    t->x = x;
    t->y = y;
    t->kind = kind;
    t->color = color;
    t->globalAlpha = 0;
    return t;
}

int TBonusA::SetImages(const ImagePtr& img, const ImagePtr (&glows)[4]) {
    image = img;
    for (int i = 0; i < 4; ++i)
        glow[i] = glows[i];
    return 0;
}

int TBonusA::SetTimes(int activate, int freeze) {
    activateTime = activate;
    blockFrezeTime = freeze;
    return 0;
}

int TBonusA::Activate() {
    Timer = MilliSecs64();
    active = 1;
    return 0;
}

int TBonusA::CanGo() {
    return MilliSecs64() - Timer > activateTime ? 1 : 0;
}

int TBonusA::Draw() {
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    globalAlpha += 0.05f;
    if (globalAlpha > 1) globalAlpha = 1;
    if (alphaDir == 1) alpha = static_cast<float>(alpha + 0.025 * delta);
    if (alphaDir == 0) alpha = static_cast<float>(alpha - 0.025 * delta);
    if (alpha > 1) {
        alpha = 1;
        alphaDir = 0;
    }
    if (alpha < 0) {
        alpha = 0;
        alphaDir = 1;
    }
    const int ts = board.tileSize;
    const int cx = board.offsetX + ts * x + ts / 2;
    const int cy = board.offsetY + ts * y + ts / 2;
    const float base = static_cast<float>(ts) / 32.0f;
    if (active == 0) {
        SetAlpha(globalAlpha);
        SetScale(base, base);
        SetRotation(0);
    } else {
        // A zero activation time would divide by zero; such a token shows its end state.
        const float p = activateTime > 0
                            ? static_cast<float>(MilliSecs64() - Timer) / static_cast<float>(activateTime)
                            : 1.0f;
        SetAlpha(1 - 0.5f * p);
        SetRotation(270 * p);
        SetScale(base + 0.5f * p, base + 0.5f * p);
    }
    if (image) DrawImage(image, static_cast<float>(cx), static_cast<float>(cy), 0);
    SetScale(1, 1);
    SetRotation(0);
    if (active == 0) {
        const int margin = ts == 32 ? 9 : 14;
        const int first = ts == 32 ? 0 : 2;
        const float gx = static_cast<float>(board.offsetX + ts * x - margin);
        const float gy = static_cast<float>(board.offsetY + ts * y - margin);
        SetAlpha(alpha * globalAlpha);
        if (glow[first]) DrawImage(glow[first], gx, gy);
        SetAlpha((1 - alpha) * globalAlpha);
        if (glow[first + 1]) DrawImage(glow[first + 1], gx, gy);
    }
    return 0;
}

} // namespace vsm
