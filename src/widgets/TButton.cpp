// TButton: base behaviour of the button hooks and flags.
#include "widgets/TButton.h"

namespace vsm {

int TButton::Draw() {
    return 0;
}
int TButton::Add(const TObjectRef&, int) {
    return 0;
}
int TButton::State() {
    return 0;
}
void TButton::DrawZoomed(int cell, float zoom) {
    if (!dim) return;
    if (zoom != 1.0f) {
        // The rectangle takes the zoom too, so Left and Top keep the enlarged image centred.
        SetScale(zoom, zoom);
        dim->scalex = dim->scaley = zoom;
    }
    DrawImage(image, dim->Left(), dim->Top(), cell);
    if (zoom != 1.0f) {
        SetScale(1, 1);
        dim->scalex = dim->scaley = 1;
    }
}

int TButton::OnOver() {
    return 0;
}

int TButton::OnOut() {
    clicked = 0;
    return 0;
}

int TButton::OnClick() {
    clicked = 1;
    return 0;
}

int TButton::isClicked() {
    if (!clicked) return 0;
    clicked = 0;
    return 1;
}

int TButton::setView(int, int, const ImagePtr&) {
    return 0;
}

int TButton::setState(int newEnable, int newVisible) {
    enable = newEnable;
    visible = newVisible;
    return 0;
}

} // namespace vsm
