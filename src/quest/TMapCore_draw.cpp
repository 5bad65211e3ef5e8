// TMapCore drawing: one whole frame of the map, its markers with the pulsing current one and its
// stage pictures with the glowing current one.
#include "quest/TMapCore.h"

#include "platform/EndFrame.h"
#include "services/TMouse.h"

namespace vsm {

int TMapLevel::Draw(int actual, float screenAlpha) {
    if (number > actual) {
        SetAlpha(screenAlpha);
        DrawImage(image1, x, y);
    } else if (number < actual) {
        SetAlpha(screenAlpha);
        DrawImage(image2, x, y);
    } else {
        // The step comes first, so a marker that has just become current already pulses.
        alpha = alphaDir != 0 ? alpha + 0.035f : alpha - 0.035f;
        if (alpha > 1.0f) alphaDir = 0;
        if (alpha < 0.5f) alphaDir = 1;
        SetAlpha(screenAlpha);
        DrawImage(image1, x, y);
        SetAlpha(alpha * screenAlpha);
        if (kind >= 1 && kind <= 4)
            DrawImage(map.migacz[1], x, y);
        else if (kind == 5)
            DrawImage(map.migacz[2], x, y);
    }
    return 0;
}

int TMapStage::Draw(int actual, float screenAlpha) {
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    if (number == actual) {
        SetAlpha(screenAlpha);
        DrawImage(image, fx, fy);
        // A second, bluish additive copy makes the current stage glow.
        SetBlend(LIGHTBLEND);
        SetAlpha(0.6f * screenAlpha);
        SetColor(200, 200, 255);
        DrawImage(image, fx, fy);
        SetColor(255, 255, 255);
        SetBlend(ALPHABLEND);
    } else if (number < actual) {
        SetAlpha(screenAlpha);
        DrawImage(image, fx, fy);
    } else {
        SetAlpha(0.5f * screenAlpha);
        DrawImage(image, fx, fy);
    }
    return 0;
}

int TMapCore::Draw() {
    const float a = alpha;
    for (int i = 0; i < 2; ++i)
        if (caption[i]) caption[i]->alpha = a;
    if (ButtonPtr play = menu ? menu->GetItem(2) : nullptr) play->alpha = a;

    Cls();
    SetAlpha(a);
    DrawImage(background, 0, 0);
    for (int i = 0; i < 2; ++i)
        if (caption[i]) caption[i]->Draw();
    SetAlpha(a);
    DrawImage(captionImages[1], static_cast<float>(captionX[1]), 572);
    DrawImage(captionImages[0], static_cast<float>(captionX[0]), 572);
    if (menu) menu->Draw(a);
    for (const MapLevelPtr& level : mapLevels)
        level->Draw(actualLevel, a);
    // Stage pictures go over the markers.
    for (const MapStagePtr& stage : mapStages)
        stage->Draw(actualStage, a);
    mouse.Draw(1.0f, 1.0f);
    SetAlpha(1.0f);
    EndFrame(PollOrder::BeforeFlip);
    return 0;
}

} // namespace vsm
