// ButtonInput: scripted frames that point at or click on a button.
#pragma once

#include "platform/Headless.h"
#include "widgets/TButton.h"

namespace vsm::test {

// The pointer at (x, y), nothing pressed.
FrameInput PointerAt(int x, int y);
// One left click with the pointer at the centre of the button's area; the pointer stays at (0, 0)
// when there is no button or it has no area, so that the click lands on nothing of it.
FrameInput ClickOnButton(const ButtonPtr& button);

} // namespace vsm::test
