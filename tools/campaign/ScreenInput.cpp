// ScreenInput: clicks at points, on buttons and on the popups' OK.
#include "ScreenInput.h"

#include "overlays/TPopupManager.h"
#include "widgets/TAnimButton.h"

namespace vsm::tools {

namespace {

// A point no screen puts a button on.
constexpr int CORNER_X = 6, CORNER_Y = 6;

} // namespace

FrameInput ClickAt(int x, int y) {
    FrameInput in;
    in.mouseX = x;
    in.mouseY = y;
    in.clicks = {1};
    return in;
}

FrameInput ClickOnButton(const ButtonPtr& button) {
    return ClickAt(static_cast<int>((button->dim->Left() + button->dim->Right()) / 2),
                   static_cast<int>((button->dim->Top() + button->dim->Bottom()) / 2));
}

bool PopupOkShown(const std::function<bool(const ImagePtr&)>& drawn) {
    const ButtonPtr ok = popupManager.button;
    return ok && ok->dim && ok->alpha >= 1.0f && drawn(ok->image);
}

FrameInput MoveOnClick(const std::function<bool(const ImagePtr&)>& drawn) {
    if (PopupOkShown(drawn)) {
        // This button answers to the button held down, not to a press.
        FrameInput in = ClickOnButton(popupManager.button);
        in.held[1] = true;
        return in;
    }
    return ClickAt(CORNER_X, CORNER_Y);
}

} // namespace vsm::tools
