// RealBackendGl: the GL side of the real backend: the frame drawn straight into the window's back
// buffer, the logical screen letterboxed in it, and reading the picture back.
#pragma once

#include "Gl.h"
#include "RealBackend.h"
#include "SpriteBatch.h"

#include <string>

namespace vsm {

struct RealBackend::Gl {
    uint64_t context = 0;
    SpriteBatch batch;
    int drawableW = kWidth, drawableH = kHeight;
    // The context draws on the CPU (Mesa's llvmpipe, softpipe, swrast): it draws a frame only
    // when asked to finish it or during the swap.
    bool softwareRenderer = false;

    // Sets up the current context for drawing. False (with the reason) when it cannot draw.
    bool Create(std::string* why);
    void Destroy();
    bool Live() const { return context != 0 && context == LiveGlContext(); }
    // Starts drawing into the back buffer of a drawable of dw x dh pixels: the 800x600 screen
    // scaled to fit in its middle with a top-left-origin pixel projection, the bars round it
    // cleared to black (the back buffer's contents after a swap are not to be relied on).
    void BeginFrame(int dw, int dh);
    // The whole drawable black, opaque.
    void ClearTarget();
    // The screen's picture (not the bars) filled with one opaque colour.
    void PaintPicture(int r, int g, int b);
    // Reads the screen's pixels (x0, y0)-(x1, y1), inside the screen, top row first, as ARGB.
    // At a scale other than 1 each screen pixel reads the drawn pixel under its centre.
    void Read(int x0, int y0, int x1, int y1, uint32_t* out);
};

} // namespace vsm
