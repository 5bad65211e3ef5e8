// ScreenFit: where the 800x600 screen lies in a window of any size: as large as fits, centred,
// with black bars on the sides the shapes differ. Drawing and the pointer both go through it.
#pragma once

namespace vsm {

struct ScreenFit {
    int x = 0, y = 0;     // the picture's top-left corner in window pixels (rows top-down)
    int w = 800, h = 600; // the picture's size in window pixels
    float scale = 1;      // window pixels per screen pixel
};

// The fit of the screen in a window of width x height pixels; 1:1 for an unusable size.
ScreenFit FitScreen(int width, int height);
// The screen point under the window point (wx, wy); outside the picture it lies off the screen.
void WindowToScreen(const ScreenFit& fit, float wx, float wy, float& sx, float& sy);
// The window point over the middle of screen pixel (sx, sy).
void ScreenToWindow(const ScreenFit& fit, int sx, int sy, int& wx, int& wy);

} // namespace vsm
