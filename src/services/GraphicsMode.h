// GraphicsMode: opens the 800x600 display full screen or in a window, with fallbacks.
#pragma once

#include "platform/Graphics.h"

#include <vector>

namespace vsm {

// The drawing driver FindGfxMode can be given; 0 means none.
constexpr int OPENGL_2D_DRIVER = 1;

// 0 until the first SetGraphicsMode, 1 afterwards.
extern int gfxDriverSet;

// Opens the display (mode 1 full screen, anything else a window) or switches it. A full screen
// that cannot be opened falls back to a window and options.screenMode becomes 2, so it always
// tells the mode in force; a window that cannot be opened notifies and ends the program.
// depth is not used: the full-screen search starts at 32 bits.
void SetGraphicsMode(int mode, int width, int height, int depth);
// Switches to a window when options.screenMode is 1 (and sets it to 0); otherwise nothing.
void switchToWindowed();
// The worker behind SetGraphicsMode: 1 when a display was opened, 0 when not (full screen with
// no listed width x height mode, or both attempts failed). A window that cannot be opened
// notifies "Graphics initiation error! The game will close." (or the platform's message) and
// ends the program with exit status 1.
int FindGfxMode(int mode, int driver, int width, int height, int setDriver);
// Returns the first of 32, 24, 16 and 8 bits at which modes lists exactly width x height (refresh
// rates play no part); 0 when none does.
int FullScreenDepth(const std::vector<GraphicsMode>& modes, int width, int height);

} // namespace vsm
