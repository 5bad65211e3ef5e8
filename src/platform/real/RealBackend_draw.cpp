// RealBackend drawing: the global drawing state applied to GL, images, shapes, text, polygons.
#include "RealBackend.h"

#include "../TImageFont.h"
#include "../Utf8.h"
#include "Gl.h"
#include "RealBackendGl.h"

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

void Vertex(const Transform& t, float lx, float ly) {
    float sx, sy;
    t.Apply(lx, ly, sx, sy);
    glVertex2f(sx, sy);
}

void SetColour(const DrawState& s) {
    auto a = static_cast<GLubyte>(std::clamp(s.alpha, 0.0f, 1.0f) * 255.0f + 0.5f);
    glColor4ub(static_cast<GLubyte>(s.r), static_cast<GLubyte>(s.g), static_cast<GLubyte>(s.b), a);
}

// The textured quad of local corners (x0, y0)-(x1, y1) with texture rectangle (u0, v0)-(u1, v1).
void TexturedQuad(const Transform& t, GLuint texture, float x0, float y0, float x1, float y1, float u0,
                  float v0, float u1, float v1) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    glTexCoord2f(u0, v0);
    Vertex(t, x0, y0);
    glTexCoord2f(u1, v0);
    Vertex(t, x1, y0);
    glTexCoord2f(u1, v1);
    Vertex(t, x1, y1);
    glTexCoord2f(u0, v1);
    Vertex(t, x0, y1);
    glEnd();
}

// Glyph textures of one font in one GL context, kept in the font's backendData.
struct FontTextures {
    uint64_t context = 0;
    std::unordered_map<uint32_t, std::unique_ptr<GlTexture>> glyphs;
};

GlTexture* GlyphTexture(TImageFont& font, uint32_t codepoint, const TGlyph& glyph) {
    auto cache = std::static_pointer_cast<FontTextures>(font.backendData);
    if (!cache || cache->context != LiveGlContext()) {
        cache = std::make_shared<FontTextures>();
        cache->context = LiveGlContext();
        font.backendData = cache;
    }
    auto it = cache->glyphs.find(codepoint);
    if (it != cache->glyphs.end()) return it->second.get();
    std::vector<uint32_t> argb(glyph.coverage.size());
    for (size_t i = 0; i < argb.size(); i++)
        argb[i] = (static_cast<uint32_t>(glyph.coverage[i]) << 24) | 0xFFFFFFu;
    std::unique_ptr<GlTexture> tex = UploadTexture(argb.data(), glyph.width, glyph.height, true, false);
    GlTexture* raw = tex.get();
    cache->glyphs[codepoint] = std::move(tex);
    return raw;
}

} // namespace

void RealBackend::ApplyState(const DrawState& s) {
    glEnable(GL_SCISSOR_TEST);
    // The target's rows run bottom-up; the viewport is given top-down.
    glScissor(s.viewX, kHeight - s.viewY - s.viewH, std::max(s.viewW, 0), std::max(s.viewH, 0));
    // The target stays opaque: drawing never writes its alpha.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    switch (s.blend) {
    case MASKBLEND:
        glDisable(GL_BLEND);
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GEQUAL, 0.5f);
        break;
    case ALPHABLEND:
        glDisable(GL_ALPHA_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        break;
    case LIGHTBLEND:
        glDisable(GL_ALPHA_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        break;
    case SHADEBLEND:
        glDisable(GL_ALPHA_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_DST_COLOR, GL_ZERO);
        break;
    default: // SOLIDBLEND, and any unknown mode
        glDisable(GL_ALPHA_TEST);
        glDisable(GL_BLEND);
        break;
    }
    SetColour(s);
}

void RealBackend::Cls(const DrawState& s) {
    if (!gl_->Live()) return;
    ApplyState(s);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(static_cast<float>(s.clsR) / 255.0f, static_cast<float>(s.clsG) / 255.0f,
                 static_cast<float>(s.clsB) / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

void RealBackend::DrawImage(const DrawState& s, const ImagePtr& image, int frame, float x, float y, float w,
                            float h) {
    if (!gl_->Live() || !image || image->width <= 0 || image->height <= 0) return;
    TextureFrame* tf = FrameTexture(*image, frame);
    if (!tf) return;
    ApplyState(s);
    // The handle stretches with the picture, so DrawImageRect keeps the same anchor point.
    float x0 = -image->handleX * w / static_cast<float>(image->width) - s.handleX;
    float y0 = -image->handleY * h / static_cast<float>(image->height) - s.handleY;
    float u1 = static_cast<float>(image->width) / static_cast<float>(tf->texture.texW);
    float v1 = static_cast<float>(image->height) / static_cast<float>(tf->texture.texH);
    TexturedQuad(MakeTransform(s, x, y), tf->texture.name, x0, y0, x0 + w, y0 + h, 0, 0, u1, v1);
}

void RealBackend::DrawRect(const DrawState& s, float x, float y, float w, float h) {
    if (!gl_->Live()) return;
    ApplyState(s);
    Transform t = MakeTransform(s, x, y);
    float x0 = -s.handleX, y0 = -s.handleY;
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    Vertex(t, x0, y0);
    Vertex(t, x0 + w, y0);
    Vertex(t, x0 + w, y0 + h);
    Vertex(t, x0, y0 + h);
    glEnd();
}

void RealBackend::DrawLine(const DrawState& s, float x1, float y1, float x2, float y2) {
    if (!gl_->Live()) return;
    ApplyState(s);
    // The line turns and scales about its first end; the half pixel aims at pixel centres.
    Transform t = MakeTransform(s, x1, y1);
    t.tx += 0.5f;
    t.ty += 0.5f;
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_LINES);
    Vertex(t, -s.handleX, -s.handleY);
    Vertex(t, x2 - x1 - s.handleX, y2 - y1 - s.handleY);
    glEnd();
}

void RealBackend::DrawOval(const DrawState& s, float x, float y, float w, float h) {
    if (!gl_->Live()) return;
    ApplyState(s);
    Transform t = MakeTransform(s, x, y);
    float rx = w / 2, ry = h / 2;
    float cx = rx - s.handleX, cy = ry - s.handleY;
    float extent = (std::fabs(rx) * std::max(std::fabs(s.scaleX), 1.0f) +
                    std::fabs(ry) * std::max(std::fabs(s.scaleY), 1.0f));
    int segments = std::clamp(static_cast<int>(extent), 12, 360);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_TRIANGLE_FAN);
    Vertex(t, cx, cy);
    for (int i = 0; i <= segments; i++) {
        double a = 2.0 * std::numbers::pi * i / segments;
        Vertex(t, cx + rx * static_cast<float>(std::cos(a)), cy + ry * static_cast<float>(std::sin(a)));
    }
    glEnd();
}

void RealBackend::Plot(const DrawState& s, float x, float y) {
    if (!gl_->Live()) return;
    ApplyState(s);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_POINTS);
    glVertex2f(std::floor(x + s.originX) + 0.5f, std::floor(y + s.originY) + 0.5f);
    glEnd();
}

void RealBackend::DrawPixmap(const DrawState& s, const PixmapPtr& pixmap, int x, int y) {
    if (!gl_->Live() || !pixmap || pixmap->width <= 0 || pixmap->height <= 0 ||
        pixmap->pixels.size() < static_cast<size_t>(pixmap->width) * static_cast<size_t>(pixmap->height))
        return;
    ApplyState(s);
    // The pixels go as they are: no tint, no transform; the blend mode still decides how.
    glDisable(GL_TEXTURE_2D);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glWindowPos2i(x, kHeight - y);
    glPixelZoom(1.0f, -1.0f);
    glDrawPixels(pixmap->width, pixmap->height, GL_BGRA, GL_UNSIGNED_BYTE, pixmap->pixels.data());
    glPixelZoom(1.0f, 1.0f);
}

void RealBackend::DrawText(const DrawState& s, const std::string& utf8, float x, float y) {
    if (!gl_->Live() || !s.font) return;
    ApplyState(s);
    Transform t = MakeTransform(s, x, y);
    TImageFont& font = *s.font;
    float pen = 0;
    for (uint32_t cp : DecodeUtf8(utf8)) {
        const TGlyph& g = font.Glyph(cp);
        if (g.width > 0 && g.height > 0 && g.coverage.size() >= static_cast<size_t>(g.width) * g.height) {
            if (GlTexture* tex = GlyphTexture(font, cp, g)) {
                float x0 = pen + static_cast<float>(g.left) - s.handleX;
                float y0 = static_cast<float>(g.top) - s.handleY;
                TexturedQuad(t, tex->name, x0, y0, x0 + static_cast<float>(g.width),
                             y0 + static_cast<float>(g.height), 0, 0,
                             static_cast<float>(g.width) / static_cast<float>(tex->texW),
                             static_cast<float>(g.height) / static_cast<float>(tex->texH));
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
    ApplyState(s);
    // Vertices are placed as the textured-polygon helpers expect: the global handle is added
    // before rotation and scale, then the origin; the image's own handle plays no part.
    Transform t = MakeTransform(s, 0, 0);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, tf->texture.name);
    glBegin(GL_TRIANGLE_FAN);
    for (int i = 0; i + 3 < floatCount; i += 4) {
        glTexCoord2f(floats[i + 2], floats[i + 3]);
        Vertex(t, floats[i] + s.handleX, floats[i + 1] + s.handleY);
    }
    glEnd();
}

PixmapPtr RealBackend::Grab(int x, int y, int w, int h) {
    PixmapPtr p = CreatePixmap(w, h);
    if (!p || !gl_->Live()) return p;
    int x0 = std::max(x, 0), y0 = std::max(y, 0);
    int x1 = std::min(x + w, kWidth), y1 = std::min(y + h, kHeight);
    if (x1 <= x0 || y1 <= y0) return p;
    int cw = x1 - x0, ch = y1 - y0;
    std::vector<uint32_t> rows(static_cast<size_t>(cw) * static_cast<size_t>(ch));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, gl_->fbo);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glReadPixels(x0, kHeight - y1, cw, ch, GL_BGRA, GL_UNSIGNED_BYTE, rows.data());
    // GL gives the bottom row first.
    for (int r = 0; r < ch; r++) {
        const uint32_t* src = rows.data() + static_cast<size_t>(ch - 1 - r) * static_cast<size_t>(cw);
        uint32_t* dst =
            p->pixels.data() + static_cast<size_t>(y0 - y + r) * static_cast<size_t>(w) + (x0 - x);
        std::copy(src, src + cw, dst);
    }
    return p;
}

} // namespace vsm
