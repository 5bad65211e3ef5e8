// ScreenInk: where the recorded drawing puts its visible pixels on the screen.
#include "support/ScreenInk.h"

#include "platform/TImageFont.h"
#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

namespace vsm::test {

void InkBox::Add(float l, float t, float r, float b) {
    if (r <= l || b <= t) return;
    if (empty) {
        left = l, top = t, right = r, bottom = b;
        empty = false;
        return;
    }
    left = std::min(left, l);
    top = std::min(top, t);
    right = std::max(right, r);
    bottom = std::max(bottom, b);
}

void InkBox::Add(const InkBox& other) {
    if (!other.empty) Add(other.left, other.top, other.right, other.bottom);
}

bool InkBox::Inside(const InkBox& outer) const {
    return empty || (!outer.empty && left >= outer.left && top >= outer.top && right <= outer.right &&
                     bottom <= outer.bottom);
}

bool InkBox::Overlaps(const InkBox& other) const {
    return !empty && !other.empty && left < other.right && other.left < right && top < other.bottom &&
           other.top < bottom;
}

std::ostream& operator<<(std::ostream& os, const InkBox& b) {
    if (b.empty) return os << "(no ink)";
    return os << "(" << b.left << ", " << b.top << ") to (" << b.right << ", " << b.bottom << ")";
}

namespace {

// The box of the ink of a w x h coverage grid whose local top-left is (x0, y0) before scale.
template <typename Alpha>
void AddGrid(InkBox& box, const DrawCall& c, float x0, float y0, int w, int h, float stretchX, float stretchY,
             int minAlpha, Alpha alpha) {
    int l = w, t = h, r = -1, b = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (alpha(x, y) >= minAlpha) {
                l = std::min(l, x), t = std::min(t, y), r = std::max(r, x), b = std::max(b, y);
            }
    if (r < 0) return;
    const DrawState& s = c.state;
    const float ox = s.originX + c.x, oy = s.originY + c.y;
    const float sx = s.scaleX * stretchX, sy = s.scaleY * stretchY;
    const float ax = ox + s.scaleX * x0, ay = oy + s.scaleY * y0;
    float x1 = ax + sx * static_cast<float>(l), x2 = ax + sx * static_cast<float>(r + 1);
    float y1 = ay + sy * static_cast<float>(t), y2 = ay + sy * static_cast<float>(b + 1);
    box.Add(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
}

} // namespace

InkBox DrawnInk(const DrawCall& c, int minAlpha) {
    InkBox box;
    const DrawState& s = c.state;
    if ((c.op == "image" || c.op == "imagerect") && c.image && c.frame >= 0 &&
        c.frame < static_cast<int>(c.image->frames.size())) {
        const TImage& image = *c.image;
        const PixmapPtr& p = image.frames[static_cast<size_t>(c.frame)];
        if (!p || image.width <= 0 || image.height <= 0) return box;
        const float stretchX = c.w / static_cast<float>(image.width);
        const float stretchY = c.h / static_cast<float>(image.height);
        const float x0 = -image.handleX * stretchX - s.handleX;
        const float y0 = -image.handleY * stretchY - s.handleY;
        AddGrid(box, c, x0, y0, p->width, p->height, stretchX, stretchY, minAlpha, [&](int x, int y) {
            return static_cast<int>(p->pixels[static_cast<size_t>(y) * p->width + x] >> 24);
        });
    } else if (c.op == "text") {
        const FontPtr font = s.font ? s.font : DefaultFont();
        float pen = 0;
        for (uint32_t cp : DecodeUtf8(c.text)) {
            const TGlyph& g = font->Glyph(cp);
            if (g.width > 0 && g.height > 0 && g.coverage.size() >= static_cast<size_t>(g.width) * g.height) {
                AddGrid(box, c, pen + static_cast<float>(g.left) - s.handleX,
                        static_cast<float>(g.top) - s.handleY, g.width, g.height, 1, 1, minAlpha,
                        [&](int x, int y) {
                            return static_cast<int>(g.coverage[static_cast<size_t>(y) * g.width + x]);
                        });
            }
            pen += static_cast<float>(g.advance);
        }
    }
    return box;
}

InkBox DrawnInk(const std::vector<DrawCall>& calls, int minAlpha) {
    InkBox box;
    for (const DrawCall& c : calls)
        box.Add(DrawnInk(c, minAlpha));
    return box;
}

InkBox PictureInk(const ImagePtr& image, float x, float y, int minAlpha) {
    DrawCall call;
    call.op = "image";
    call.image = image;
    call.x = x;
    call.y = y;
    call.w = static_cast<float>(ImageWidth(image));
    call.h = static_cast<float>(ImageHeight(image));
    return DrawnInk(call, minAlpha);
}

InkBox OpenSummaryPaper(const ImagePtr& paper) {
    constexpr float OPEN = 155, MARGIN = 8;
    const InkBox solid = PictureInk(paper, 400, 300);
    InkBox area;
    area.Add(solid.left + MARGIN, std::max(solid.top, 300 - OPEN), solid.right - MARGIN,
             std::min(solid.bottom, 300 + OPEN));
    return area;
}

void ExpectTextsInsideAndApart(const std::vector<DrawCall>& texts, const InkBox& area) {
    for (size_t i = 0; i < texts.size(); ++i) {
        const InkBox a = DrawnInk(texts[i]);
        EXPECT_TRUE(a.Inside(area)) << "\"" << texts[i].text << "\" inks " << a << ", the room is " << area;
        for (size_t j = i + 1; j < texts.size(); ++j) {
            const InkBox b = DrawnInk(texts[j]);
            EXPECT_FALSE(a.Overlaps(b))
                << "\"" << texts[i].text << "\" " << a << " runs into \"" << texts[j].text << "\" " << b;
        }
    }
}

} // namespace vsm::test
