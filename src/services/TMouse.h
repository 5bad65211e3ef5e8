// TMouse: the pointer and button state of the frame, its keyboard aids and the game's cursor.
#pragma once

#include "platform/Graphics.h"

#include <string>

namespace vsm {

// The pointer and buttons as of the frame's refresh, read by widgets and game code.
class TMouse {
  public:
    int x = 0, y = 0;    // pointer in screen pixels
    int leftPressed = 0; // presses since the previous refresh (or Enter standing in)
    int rightPressed = 0;
    int leftHolded = 0;  // held now
    int rightHolded = 0; // held now, or a keyboard aid stood in for it this frame
    ImagePtr cursor;     // null until loadCursor

    // Loads the cursor picture (replacing the previous one) with its hot spot at (hx, hy); a
    // picture that fails to load leaves no cursor, and Draw then draws nothing.
    void loadCursor(const std::string& path, int hx, int hy);
    // Draws the cursor at the pointer, only when scale is exactly 1; leaves the alpha blend,
    // white, rotation 0, the scale and the alpha set.
    void Draw(float alpha, float scale);
    // Refreshes every field from the polled input and applies the keyboard aids: Space and the
    // left Control/Shift/Alt with the left button stand in for the right button, arrows and
    // W/A/S/D move the pointer one cell of the board's grid (mouseSeams; kept on the screen), and with
    // enterClicks non-zero Enter is a left press.
    void fetchState(int enterClicks);
    // Sets x, y and both pressed flags to 0.
    void Clear();
};
extern TMouse mouse;

} // namespace vsm
