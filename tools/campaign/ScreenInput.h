// ScreenInput: the clicks a scripted hand gives the game's screens: at a point, on a button, and
// the click that moves a waiting screen on (the OK of a popup or hint once it stands shown, else
// a corner of the screen where no screen puts a button).
#pragma once

#include "platform/Graphics.h"
#include "platform/Headless.h"
#include "widgets/TButton.h"

#include <functional>

namespace vsm::tools {

// A left click at the screen point.
FrameInput ClickAt(int x, int y);
// A left click on the middle of the button.
FrameInput ClickOnButton(const ButtonPtr& button);
// True when the popups' OK button stands fully shown and drawn says its picture was drawn in
// the frame just presented.
bool PopupOkShown(const std::function<bool(const ImagePtr&)>& drawn);
// The OK of the popup or hint when PopupOkShown, clicked with the button held as it asks; else a
// click in a corner of the screen.
FrameInput MoveOnClick(const std::function<bool(const ImagePtr&)>& drawn);

} // namespace vsm::tools
