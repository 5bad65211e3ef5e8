// RealBackend drawing: the global drawing state applied to GL, images, shapes, text, polygons.
#include "RealBackend.h"

#include "../TImageFont.h"
#include "../Utf8.h"
#include "Gl.h"
#include "RealBackendGl.h"
#include "SpriteBatch.h"
#include "TextureAtlas.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_map>

namespace vsm {

namespace {

// The affine map of the drawing state: local point (lx, ly) about an anchor to the screen.
struct Transform {
    float ix, iy, jx, jy, tx, ty;
    void Apply(float lx, float ly, float& sx, float& sy) const {
        sx = lx * ix + ly * iy + tx;
        sy = lx * jx + ly * jy + ty;
    }
};

// Rotation is clockwise on screen (y grows downward); scale applies before it.
Transform MakeTransform(const DrawState& s, float x, float y) {
    double r = static_cast<double>(s.rotation) * std::numbers::pi / 180.0;
    auto c = static_cast<float>(std::cos(r)), n = static_cast<float>(std::sin(r));
    return {c * s.scaleX, -n * s.scaleY, n * s.scaleX, c * s.scaleY, s.originX + x, s.originY + y};
}

uint32_t Colour(const DrawState& s) {
    const int a = static_cast<int>(std::clamp(s.alpha, 0.0f, 1.0f) * 255.0f + 0.5f);
    return PackColour(s.r, s.g, s.b, a);
}

SpriteBatch::Vertex At(const Transform& t, float lx, float ly, float u, float v, uint32_t rgba) {
    SpriteBatch::Vertex out{0, 0, u, v, rgba};
    t.Apply(lx, ly, out.x, out.y);
    return out;
}

// The textured quad of local corners (x0, y0)-(x1, y1) with texture rectangle (u0, v0)-(u1, v1).
void TexturedQuad(SpriteBatch& batch, const Transform& t, uint32_t rgba, float x0, float y0, float x1,
                  float y1, float u0, float v0, float u1, float v1) {
    batch.Quad(At(t, x0, y0, u0, v0, rgba), At(t, x1, y0, u1, v0, rgba), At(t, x1, y1, u1, v1, rgba),
               At(t, x0, y1, u0, v1, rgba));
}

// The glyphs of one font in one GL context, on the font's own pages, kept in its backendData.
struct FontGlyphs {
    uint64_t context = 0;
    TextureAtlas pages{256, true};
    std::unordered_map<uint32_t, AtlasSlot> glyphs;
};

const AtlasSlot* GlyphSlot(TImageFont& font, uint32_t codepoint, const TGlyph& glyph) {
    auto cache = std::static_pointer_cast<FontGlyphs>(font.backendData);
    if (!cache || cache->context != LiveGlContext()) {
        cache = std::make_shared<FontGlyphs>();
        cache->context = LiveGlContext();
        font.backendData = cache;
    }
    auto it = cache->glyphs.find(codepoint);
    if (it != cache->glyphs.end()) return &it->second;
    std::vector<uint32_t> argb(glyph.coverage.size());
    for (size_t i = 0; i < argb.size(); i++)
        argb[i] = (static_cast<uint32_t>(glyph.coverage[i]) << 24) | 0xFFFFFFu;
    AtlasSlot slot;
    if (!cache->pages.Place(argb.data(), glyph.width, glyph.height, slot)) return nullptr;
    return &(cache->glyphs[codepoint] = slot);
}

} // namespace

void RealBackend::Use(const DrawState& s, GLuint texture, GLenum primitive) {
    gl_->batch.Use({texture, s.blend, s.viewX, s.viewY, s.viewW, s.viewH, primitive});
}

void RealBackend::Cls(const DrawState& s) {
    if (!gl_->Live()) return;
    // The clear keeps to the viewport, as drawing does.
    gl_->batch.Apply({0, s.blend, s.viewX, s.viewY, s.viewW, s.viewH, GL_TRIANGLES});
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(static_cast<float>(s.clsR) / 255.0f, static_cast<float>(s.clsG) / 255.0f,
                 static_cast<float>(s.clsB) / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
}

void RealBackend::DrawImage(const DrawState& s, const ImagePtr& image, int frame, float x, float y, float w,
                            float h) {
    if (!gl_->Live() || !image || image->width <= 0 || image->height <= 0) return;
    TextureFrame* tf = FrameTexture(*image, frame);
    if (!tf) return;
    Use(s, tf->name, GL_TRIANGLES);
    // The handle stretches with the picture, so DrawImageRect keeps the same anchor point.
    float x0 = -image->handleX * w / static_cast<float>(image->width) - s.handleX;
    float y0 = -image->handleY * h / static_cast<float>(image->height) - s.handleY;
    float u1 = tf->u0 + static_cast<float>(image->width) / static_cast<float>(tf->layoutW) * tf->uSpan;
    float v1 = tf->v0 + static_cast<float>(image->height) / static_cast<float>(tf->layoutH) * tf->vSpan;
    TexturedQuad(gl_->batch, MakeTransform(s, x, y), Colour(s), x0, y0, x0 + w, y0 + h, tf->u0, tf->v0, u1,
                 v1);
}

void RealBackend::DrawRect(const DrawState& s, float x, float y, float w, float h) {
    if (!gl_->Live()) return;
    Use(s, 0, GL_TRIANGLES);
    float x0 = -s.handleX, y0 = -s.handleY;
    TexturedQuad(gl_->batch, MakeTransform(s, x, y), Colour(s), x0, y0, x0 + w, y0 + h, 0, 0, 0, 0);
}

void RealBackend::DrawLine(const DrawState& s, float x1, float y1, float x2, float y2) {
    if (!gl_->Live()) return;
    Use(s, 0, GL_LINES);
    // The line turns and scales about its first end; the half pixel aims at pixel centres.
    Transform t = MakeTransform(s, x1, y1);
    t.tx += 0.5f;
    t.ty += 0.5f;
    const uint32_t c = Colour(s);
    gl_->batch.Add(At(t, -s.handleX, -s.handleY, 0, 0, c));
    gl_->batch.Add(At(t, x2 - x1 - s.handleX, y2 - y1 - s.handleY, 0, 0, c));
}

void RealBackend::DrawOval(const DrawState& s, float x, float y, float w, float h) {
    if (!gl_->Live()) return;
    Use(s, 0, GL_TRIANGLES);
    Transform t = MakeTransform(s, x, y);
    float rx = w / 2, ry = h / 2;
    float cx = rx - s.handleX, cy = ry - s.handleY;
    float extent = (std::fabs(rx) * std::max(std::fabs(s.scaleX), 1.0f) +
                    std::fabs(ry) * std::max(std::fabs(s.scaleY), 1.0f));
    int segments = std::clamp(static_cast<int>(extent), 12, 360);
    const uint32_t c = Colour(s);
    // A fan about the centre, as separate triangles.
    const SpriteBatch::Vertex centre = At(t, cx, cy, 0, 0, c);
    SpriteBatch::Vertex prev = At(t, cx + rx, cy, 0, 0, c);
    for (int i = 1; i <= segments; i++) {
        double a = 2.0 * std::numbers::pi * i / segments;
        SpriteBatch::Vertex next = At(t, cx + rx * static_cast<float>(std::cos(a)),
                                      cy + ry * static_cast<float>(std::sin(a)), 0, 0, c);
        gl_->batch.Add(centre);
        gl_->batch.Add(prev);
        gl_->batch.Add(next);
        prev = next;
    }
}

void RealBackend::Plot(const DrawState& s, float x, float y) {
    if (!gl_->Live()) return;
    Use(s, 0, GL_POINTS);
    gl_->batch.Add({std::floor(x + s.originX) + 0.5f, std::floor(y + s.originY) + 0.5f, 0, 0, Colour(s)});
}

void RealBackend::DrawPixmap(const DrawState& s, const PixmapPtr& pixmap, int x, int y) {
    if (!gl_->Live() || !pixmap || pixmap->width <= 0 || pixmap->height <= 0 ||
        pixmap->pixels.size() < static_cast<size_t>(pixmap->width) * static_cast<size_t>(pixmap->height))
        return;
    // The pixels go as they are: no tint, no transform; the blend mode still decides how.
    gl_->batch.Apply({0, s.blend, s.viewX, s.viewY, s.viewW, s.viewH, GL_TRIANGLES});
    const ScreenPlacement& p = gl_->batch.Placement();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glWindowPos2i(p.x + static_cast<int>(std::lround(static_cast<float>(x) * p.scale)),
                  p.y + static_cast<int>(std::lround(static_cast<float>(kHeight - y) * p.scale)));
    glPixelZoom(p.scale, -p.scale);
    glDrawPixels(pixmap->width, pixmap->height, GL_BGRA, GL_UNSIGNED_BYTE, pixmap->pixels.data());
    glPixelZoom(1.0f, 1.0f);
}

void RealBackend::DrawText(const DrawState& s, const std::string& utf8, float x, float y) {
    if (!gl_->Live() || !s.font) return;
    Transform t = MakeTransform(s, x, y);
    const uint32_t c = Colour(s);
    TImageFont& font = *s.font;
    float pen = 0;
    for (uint32_t cp : DecodeUtf8(utf8)) {
        const TGlyph& g = font.Glyph(cp);
        if (g.width > 0 && g.height > 0 && g.coverage.size() >= static_cast<size_t>(g.width) * g.height) {
            if (const AtlasSlot* slot = GlyphSlot(font, cp, g)) {
                Use(s, slot->texture, GL_TRIANGLES);
                float x0 = pen + static_cast<float>(g.left) - s.handleX;
                float y0 = static_cast<float>(g.top) - s.handleY;
                TexturedQuad(gl_->batch, t, c, x0, y0, x0 + static_cast<float>(g.width),
                             y0 + static_cast<float>(g.height), slot->u0, slot->v0,
                             slot->u0 + static_cast<float>(g.width) * slot->du,
                             slot->v0 + static_cast<float>(g.height) * slot->dv);
            }
        }
        pen += static_cast<float>(g.advance);
    }
}

void RealBackend::DrawPolygon(const DrawState& s, const ImagePtr& image, int frame, const float* floats,
                              int floatCount) {
    if (!gl_->Live() || !image || !floats || floatCount < 12) return;
    TextureFrame* tf = FrameTexture(*image, frame);
    if (!tf) return;
    Use(s, tf->name, GL_TRIANGLES);
    // Vertices are placed as the textured-polygon helpers expect: the global handle is added
    // before rotation and scale, then the origin; the image's own handle plays no part.
    Transform t = MakeTransform(s, 0, 0);
    const uint32_t c = Colour(s);
    auto corner = [&](int i) {
        return At(t, floats[i] + s.handleX, floats[i + 1] + s.handleY, tf->u0 + floats[i + 2] * tf->uSpan,
                  tf->v0 + floats[i + 3] * tf->vSpan, c);
    };
    // A fan about the first vertex, as separate triangles.
    for (int i = 8; i + 3 < floatCount; i += 4) {
        gl_->batch.Add(corner(0));
        gl_->batch.Add(corner(i - 4));
        gl_->batch.Add(corner(i));
    }
}

PixmapPtr RealBackend::Grab(int x, int y, int w, int h) {
    PixmapPtr p = CreatePixmap(w, h);
    if (!p || !gl_->Live()) return p;
    int x0 = std::max(x, 0), y0 = std::max(y, 0);
    int x1 = std::min(x + w, kWidth), y1 = std::min(y + h, kHeight);
    if (x1 <= x0 || y1 <= y0) return p;
    int cw = x1 - x0, ch = y1 - y0;
    std::vector<uint32_t> rows(static_cast<size_t>(cw) * static_cast<size_t>(ch));
    gl_->Read(x0, y0, x1, y1, rows.data());
    for (int r = 0; r < ch; r++) {
        const uint32_t* src = rows.data() + static_cast<size_t>(r) * static_cast<size_t>(cw);
        uint32_t* dst =
            p->pixels.data() + static_cast<size_t>(y0 - y + r) * static_cast<size_t>(w) + (x0 - x);
        std::copy(src, src + cw, dst);
    }
    return p;
}

} // namespace vsm
