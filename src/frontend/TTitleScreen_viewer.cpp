// TTitleScreen: what the hiscores and credits viewers share — their exit test and the fade back
// to the menu.
#include "frontend/TTitleScreen.h"

#include "frontend/FrontendFrame.h"
#include "overlays/TOptionsWindow.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "services/TMouse.h"

namespace vsm {

void TTitleScreen::ReadViewerExit() {
    const bool closing = AppTerminate() != 0;
    if (mouse.leftPressed) action = 1;
    // Space is read only when Enter was not hit, so a pending Space waits for its reader.
    if (KeyHit(KEY_ENTER) || KeyHit(KEY_SPACE)) action = 1;
    // A close request ends the program, also when a press or a key came in the same frame.
    if (closing) action = 2;
}

void TTitleScreen::FadeBackToTitle(const std::function<void(float pageAlpha)>& drawPage) {
    if (action == 2) End();
    action = 0;
    alphaOne = 0.0f;
    optionsWindow.alpha = 0.0f;

    while (alphaOne < 1.0f) {
        FrontDrawState();
        mouse.fetchState(0);
        alphaOne += 0.02f;
        drawPage(1.0f - alphaOne);
        SetAlpha(alphaOne);
        DrawImage(title, 0, 0);
        optionsWindow.Update();
        // The window takes clicks while it fades in; the menu answers the first one once the
        // fade is over, as it would have in a frame of its own.
        if (optionsWindow.clickedButton != 0 && pendingClick == 0) {
            pendingClick = optionsWindow.clickedButton;
            pendingClickState = optionsWindow.State;
        }
        optionsWindow.Draw();
        FrontFrameTail();
        if (AppTerminate()) quit = 1;
        UpdateTitleMusic();
    }
    mouse.fetchState(0);
}

} // namespace vsm
