// TTitleScreen: the hiscores viewer — fade in, the three typed tables, fade back to the menu.
#include "frontend/TTitleScreen.h"

#include "frontend/FrontendFrame.h"
#include "overlays/TOptionsWindow.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "profiles/THiscores.h"
#include "profiles/THiscoresScreen.h"
#include "services/TDeltaTime.h"
#include "services/TMouse.h"

namespace vsm {
namespace {

void SetFrameAlpha(THiscoresScreen& view, float alpha) {
    if (view.Frame) view.Frame->alpha = alpha;
}

} // namespace

int TTitleScreen::showHiscores(int withTitle) {
    delta = 1.0;
    THiscoresScreen view;
    // The first table's clock starts here, so the fade in counts toward its time.
    view.Load(hiscore.GetScores(1, 10));
    alphaOne = 0.0f;
    while (alphaOne < 1.0f) {
        Cls();
        FrontDrawState();
        mouse.fetchState(0);
        alphaOne += 0.02f;
        if (withTitle != 0) {
            SetAlpha(1.0f - alphaOne);
            DrawImage(title, 0, 0);
        }
        SetAlpha(alphaOne);
        SetFrameAlpha(view, alphaOne);
        DrawImage(hiscores, 0, 0);
        view.Draw();
        FrontFrameTail();
        if (AppTerminate()) quit = 1;
        UpdateTitleMusic();
    }
    SetFrameAlpha(view, 1.0f);

    while (quit == 0 && action == 0) {
        mouse.fetchState(0);
        Cls();
        FrontDrawState();
        SetAlpha(1.0f);
        DrawImage(hiscores, 0, 0);
        if (view.Update() != 0) action = 1;
        view.Draw();
        FrontFrameTail();
        if (AppTerminate()) action = 2;
        if (mouse.leftPressed) action = 1;
        // Space is read only when Enter was not hit, so a pending Space waits for its reader.
        if (KeyHit(KEY_ENTER) || KeyHit(KEY_SPACE)) action = 1;
        UpdateTitleMusic();
    }
    if (action == 2) End();
    action = 0;
    alphaOne = 0.0f;
    optionsWindow.alpha = 0.0f;

    while (alphaOne < 1.0f) {
        FrontDrawState();
        mouse.fetchState(0);
        alphaOne += 0.02f;
        SetAlpha(1.0f - alphaOne);
        SetFrameAlpha(view, 1.0f - alphaOne);
        DrawImage(hiscores, 0, 0);
        view.Draw();
        SetAlpha(alphaOne);
        DrawImage(title, 0, 0);
        optionsWindow.Update();
        optionsWindow.Draw();
        FrontFrameTail();
        if (AppTerminate()) quit = 1;
        UpdateTitleMusic();
    }
    mouse.fetchState(0);
    return 0;
}

} // namespace vsm
