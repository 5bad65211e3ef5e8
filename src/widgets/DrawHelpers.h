// DrawHelpers: textured-quad drawing of image bands, crops and viewport clips, and the
// line-visibility test of scrolling texts.
#pragma once

#include "platform/Graphics.h"

#include <vector>

namespace vsm {

// Returns the smallest power of two that is at least n (the side of the texture the platform
// lays a frame of n pixels out in); 1 for n <= 1.
int findNextPowerOf2(int n);

// Draws the horizontal band of frame 0 between the fractions `from` and `to` of the image's
// height (0 the top row, 1 the bottom edge) where it lies when the image's top-left corner is at
// (x, y); the image's handle plays no part. A null image draws nothing. Returns 0.
int drawVial(const ImagePtr& image, int x, int y, float from, float to);

// Draws the image pixels left <= px < right, top <= py < bottom of frame 0 where they lie when the
// image's top-left corner is at (x, y). A null image draws nothing. Returns 0.
int drawCroppedImage(const ImagePtr& image, int x, int y, int left, int top, int right, int bottom);

// Draws the part of the image, placed with its handle at (x, y), that lies inside the viewport of
// top-left (vx, vy) and size vw x vh; nothing when the image lies wholly outside. Returns 0.
int drawInViewPort(const ImagePtr& image, int x, int y, int vx, int vy, int vw, int vh);

// Returns 1 when a text line at y belongs in the viewport band vy - 50 < y < vy + vh + 10, else 0.
int isTextInViewport(int y, int vy, int vh);

// Draws the polygon (x, y, u, v per vertex) textured with the frame of the image, through the
// current colour, alpha, blend, rotation, scale, handle and origin. A negative count draws every
// whole vertex of the array, a count of 0 or more at most that many; a trailing partial vertex
// is never read. Returns 0.
int DrawTexturedPoly(const ImagePtr& image, const std::vector<float>& polygon, int frame, int count);

} // namespace vsm
