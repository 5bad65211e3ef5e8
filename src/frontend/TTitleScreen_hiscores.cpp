// TTitleScreen: the hiscores viewer — fade in, the three typed tables, fade back to the menu.
#include "frontend/TTitleScreen.h"

#include "frontend/FrontendFrame.h"
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
        ReadViewerExit();
        UpdateTitleMusic();
    }
    FadeBackToTitle([this, &view](float pageAlpha) {
        SetAlpha(pageAlpha);
        SetFrameAlpha(view, pageAlpha);
        DrawImage(hiscores, 0, 0);
        view.Draw();
    });
    return 0;
}

} // namespace vsm
