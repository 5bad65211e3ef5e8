// TPopupManager: the lose screen of a quest level.
#include "overlays/TPopupManager.h"

#include "level/TLevelManager.h"
#include "level/TTimeManager.h"
#include "platform/EndFrame.h"
#include "platform/Input.h"
#include "services/GameFlags.h"
#include "services/Sound.h"
#include "services/TMouse.h"
#include "services/TSongManager.h"
#include "widgets/TImageButton.h"

namespace vsm {

namespace {

constexpr float kZoomStep = 0.025f;
constexpr int kSkipX = 318;
constexpr int kSkipY = 395;

// Pointer, the frame's end (polled before the flip), then the input the next frame acts on.
void EndLoseFrame() {
    mouse.Draw(1, 1);
    EndFrame(PollOrder::BeforeFlip);
    mouse.fetchState(0);
    if (level.musicStream) level.musicStream->update();
}

void DrawHover(const std::shared_ptr<TImageButton>& button) {
    if (button && button->over && button->dim) DrawImage(button->image, button->dim->x, button->dim->y);
}

bool PointerOnSkipLink() {
    return mouse.x > 330 && mouse.x < 474 && mouse.y > 400 && mouse.y < 420;
}

} // namespace

int TPopupManager::GameOverPopup() {
    float zoom = 0;
    ++levelReplays;
    playSound2(gameOverSnd, nullptr, 0, 1.0f);

    // The panel and its reason grow about the screen centre; nothing is answered meanwhile.
    do {
        Cls();
        DrawBase();
        zoom += kZoomStep;
        SetAlpha(zoom);
        SetScale(zoom, zoom);
        DrawImage(go, 400, 300);
        const ImagePtr why = whyImg[timeManager.TimeOver() ? 1 : 0];
        DrawImage(why, 400 - static_cast<float>(ImageWidth(why) / 2) * zoom, 300 - 65 * zoom);
        EndLoseFrame();
    } while (zoom < 1);

    for (;;) {
        if (button1 && button1->State() != 0) return LOSE_RETRY;
        if (button2 && button2->State() != 0) return LOSE_MAIN_MENU;
        if (AppTerminate()) return LOSE_TERMINATE;

        Cls();
        DrawBase();
        SetAlpha(1);
        SetScale(1, 1);
        DrawImage(go, 400, 300);
        // A clock that runs out while the screen waits changes the reason shown.
        const ImagePtr why = whyImg[timeManager.TimeOver() ? 1 : 0];
        DrawImage(why, static_cast<float>(400 - ImageWidth(why) / 2), 235);
        DrawHover(button1);
        DrawHover(button2);

        // From the second loss on the same level the player may skip it.
        if (levelReplays > 1) {
            if (PointerOnSkipLink()) {
                DrawImage(skip[0], kSkipX, kSkipY);
                if (mouse.leftPressed != 0) {
                    skipLevel = 1;
                    return LOSE_RETRY;
                }
            } else {
                DrawImage(skip[1], kSkipX, kSkipY);
            }
        }
        EndLoseFrame();
    }
}

} // namespace vsm
