// ButtonPolling: the hover tracking and menu walks shared by both button families and their menus.
#pragma once

#include "platform/Graphics.h"

#include <list>

namespace vsm {

// Updates the button's `over` from whether the pointer is inside, running OnOver on entering and
// OnOut on leaving; inside, asks `pressed` and on a press runs OnClick. Returns the button's id
// for a press inside, else 0.
template <class Button, class Pressed> int TrackPointer(Button& button, bool inside, Pressed pressed) {
    if (inside) {
        if (!button.over) button.OnOver();
        button.over = 1;
        if (pressed()) {
            button.OnClick();
            return button.id;
        }
        return 0;
    }
    if (button.over) button.OnOut();
    button.over = 0;
    return 0;
}

// Returns the first button of the list with the id; null when there is none.
template <class ButtonPtrT> ButtonPtrT FindButton(const std::list<ButtonPtrT>& items, int id) {
    for (const ButtonPtrT& button : items)
        if (button && button->id == id) return button;
    return nullptr;
}

// Sets the alpha once, draws every button in order, then sets the alpha to 1.
template <class ButtonPtrT> void DrawButtons(const std::list<ButtonPtrT>& items, float alpha) {
    SetAlpha(alpha);
    // A copy of the list: a button's drawing may not disturb the walk.
    const std::list<ButtonPtrT> buttons = items;
    for (const ButtonPtrT& button : buttons)
        if (button) button->Draw();
    SetAlpha(1);
}

// Returns the first non-zero State of the buttons in order (the later ones are not polled);
// 0 when none reports.
template <class ButtonPtrT> int PollButtons(const std::list<ButtonPtrT>& items) {
    const std::list<ButtonPtrT> buttons = items;
    for (const ButtonPtrT& button : buttons) {
        if (!button) continue;
        if (int id = button->State()) return id;
    }
    return 0;
}

} // namespace vsm
