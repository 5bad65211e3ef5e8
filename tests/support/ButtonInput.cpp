// ButtonInput: scripted frames that point at or click on a button.
#include "support/ButtonInput.h"

#include "widgets/TDim.h"

namespace vsm::test {

FrameInput PointerAt(int x, int y) {
    FrameInput in;
    in.mouseX = x;
    in.mouseY = y;
    return in;
}

FrameInput ClickOnButton(const ButtonPtr& button) {
    FrameInput in;
    if (button && button->dim) {
        in = PointerAt(static_cast<int>((button->dim->Left() + button->dim->Right()) / 2),
                       static_cast<int>((button->dim->Top() + button->dim->Bottom()) / 2));
    }
    in.clicks = {1};
    return in;
}

} // namespace vsm::test
