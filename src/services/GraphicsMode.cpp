// GraphicsMode: opens the 800x600 display full screen or in a window, with fallbacks.
#include "services/GraphicsMode.h"

#include "platform/Graphics.h"
#include "platform/System.h"
#include "services/OptionsSeam.h"

#include <string>

namespace vsm {

int gfxDriverSet = 0;

int FullScreenDepth(const std::vector<GraphicsMode>& modes, int width, int height) {
    for (int depth : {32, 24, 16, 8}) {
        for (const GraphicsMode& m : modes)
            if (m.width == width && m.height == height && m.depth == depth) return depth;
    }
    return 0;
}

int FindGfxMode(int mode, int driver, int width, int height, int setDriver) {
    // The platform has a single drawing driver; choosing it only checks that one was named.
    if (setDriver != 0 && driver == 0) return 0;

    if (mode == 1) {
        const int depth = FullScreenDepth(GraphicsModes(), width, height);
        if (depth == 0) return 0;
        std::string error;
        if (Graphics(width, height, depth, 60, &error)) return 1;
        if (error.empty()) {
            if (Graphics(width, height, depth, 60, &error)) return 1;
            if (error.empty()) return 0;
        }
        // The platform reported an error: open a window in this same call instead.
    }

    std::string error;
    if (Graphics(width, height, 0, 60, &error)) return 1;
    const std::string message = error.empty() ? "Graphics initiation error! The game will close." : error;
    Notify(message, true);
    // The notification said it (on standard error when no box can be shown): the program ends
    // through its exit hook, with a status that tells a script it failed.
    throw ProgramEnd{1, message};
}

void SetGraphicsMode(int mode, int width, int height, int /*depth*/) {
    const bool fullScreenAsked = mode == 1;
    if (gfxDriverSet == 0) {
        gfxDriverSet = 1;
        if (mode == 1 && FindGfxMode(1, OPENGL_2D_DRIVER, width, height, 1) == 0) mode = 2;
        if (mode != 1) FindGfxMode(mode, OPENGL_2D_DRIVER, width, height, 1);
    } else if (FindGfxMode(mode, 0, width, height, 0) == 0 && mode == 1) {
        // A failed switch to full screen must not leave the game without a display.
        if (!GraphicsOpen()) FindGfxMode(2, 0, width, height, 0);
    }
    // screenMode tells the mode in force: a full screen asked for but not reached is a window.
    if (fullScreenAsked && !GraphicsFullScreen()) options.screenMode = 2;
}

void switchToWindowed() {
    if (options.screenMode != 1) return;
    options.screenMode = 0;
    SetGraphicsMode(2, 800, 600, 32);
}

} // namespace vsm
