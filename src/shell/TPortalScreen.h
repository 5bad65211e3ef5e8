// TPortalScreen: one splash picture shown after the loading screen: fade in, hold, fade out.
#pragma once

#include "platform/Graphics.h"

#include <memory>
#include <string>

namespace vsm {

class TPortalScreen {
  public:
    int x = 0, y = 0; // top-left when not full screen
    float alpha = 0;
    int fullscreen = 0; // non-zero: drawn at (0, 0) on a cleared screen
    ImagePtr image;     // null for none
    int fade = 0;       // 1 fading in, 0 holding, -1 fading out
    int active = 0;     // 1 until it has faded out

    // A picture ready to fade in, loaded from bDir + image; an empty name gives no picture and
    // is never full screen. A picture that fails to load keeps its full-screen flag.
    static std::shared_ptr<TPortalScreen> Create(const std::string& image, int x, int y, int fullscreen);
    // Advances the fade by 0.05 and draws the picture at the fade's opacity. Returns 0.
    int Draw();
};
using PortalScreenPtr = std::shared_ptr<TPortalScreen>;

} // namespace vsm
