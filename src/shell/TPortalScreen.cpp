// TPortalScreen: one splash picture's fade and drawing.
#include "shell/TPortalScreen.h"

#include "services/Paths.h"

namespace vsm {

std::shared_ptr<TPortalScreen> TPortalScreen::Create(const std::string& image, int x, int y, int fullscreen) {
    auto screen = std::make_shared<TPortalScreen>();
    screen->x = x;
    screen->y = y;
    if (!image.empty()) {
        screen->image = LoadImage(bDir + image);
        screen->fullscreen = fullscreen;
    }
    screen->fade = 1;
    screen->active = 1;
    screen->alpha = 0;
    return screen;
}

int TPortalScreen::Draw() {
    if (fade == 1) {
        alpha += 0.05f;
        if (alpha > 1) {
            alpha = 1;
            fade = 0;
        }
    } else if (fade == -1) {
        alpha -= 0.05f;
        if (alpha < 0) {
            alpha = 0;
            active = 0;
        }
    }
    // Only the opacity is set: blend, colour and transform stay as the loading screen left them.
    SetAlpha(alpha);
    if (image)
        DrawImage(image, fullscreen ? 0.0f : static_cast<float>(x),
                  fullscreen ? 0.0f : static_cast<float>(y));
    return 0;
}

} // namespace vsm
