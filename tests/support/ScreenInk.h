// ScreenInk: where the recorded drawing puts its visible pixels on the screen, for the tests that
// hold texts and pictures inside their panels and apart from each other.
#pragma once

#include "platform/Headless.h"

#include <iosfwd>
#include <vector>

namespace vsm::test {

// A screen rectangle of pixels [left, right) x [top, bottom); empty until something is added.
struct InkBox {
    float left = 0, top = 0, right = 0, bottom = 0;
    bool empty = true;

    void Add(float l, float t, float r, float b);
    void Add(const InkBox& other);
    float Width() const { return right - left; }
    float CentreX() const { return (left + right) / 2; }
    // True when every pixel of this box lies in `outer` (an empty box lies anywhere).
    bool Inside(const InkBox& outer) const;
    // True when the two boxes share a pixel.
    bool Overlaps(const InkBox& other) const;
};

std::ostream& operator<<(std::ostream& os, const InkBox& b);

// Pixels at least this opaque count as ink: a faint glow may reach past a panel's edge.
constexpr int SOLID_INK = 128;

// The pixels of one recorded picture ("image", "imagerect") or text ("text") call whose alpha
// (for a text, glyph coverage) is at least minAlpha, placed as the backends place them: the
// picture's handle, the drawing state's origin, handle and scale. Rotation is not applied; other
// calls give an empty box.
InkBox DrawnInk(const DrawCall& call, int minAlpha = SOLID_INK);

// The union of the ink of the given calls.
InkBox DrawnInk(const std::vector<DrawCall>& calls, int minAlpha = SOLID_INK);

// The ink of the picture drawn at (x, y) with its handle, unscaled.
InkBox PictureInk(const ImagePtr& image, float x = 0, float y = 0, int minAlpha = SOLID_INK);

// Where the level, ring and puzzle summaries may write: the solid part of their paper, centred on
// (400, 300), within the band the fully open scroll shows (155 pixels either side of y 300), less
// a margin inside the paper's edges.
InkBox OpenSummaryPaper(const ImagePtr& paper);

// Expects every recorded text call's ink inside `area` and clear of every other's, naming the
// texts that are not.
void ExpectTextsInsideAndApart(const std::vector<DrawCall>& texts, const InkBox& area);

} // namespace vsm::test
