// Pixmap: pictures in memory — create, load, copy, cut, resize, read and write pixels, save.
#include "Graphics.h"

#include "Files.h"
#include "ImageCodec.h"

#include <algorithm>
#include <cmath>

namespace vsm {

TPixmap::TPixmap(int w, int h)
    : width(std::max(w, 0)), height(std::max(h, 0)), pixels(static_cast<size_t>(width) * height, 0) {}

PixmapPtr CreatePixmap(int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    auto p = std::make_shared<TPixmap>(width, height);
    p->hasAlpha = true;
    return p;
}

PixmapPtr LoadPixmap(const std::string& path) {
    const std::optional<std::vector<uint8_t>> bytes = LoadFileBytes(path, MAX_PICTURE_BYTES);
    if (!bytes) return nullptr;
    return DecodeImage(bytes->data(), bytes->size());
}

PixmapPtr LoadPixmapFromMemory(const uint8_t* bytes, size_t size) {
    return DecodeImage(bytes, size);
}

PixmapPtr LoadPixmapFromStream(TStream& stream) {
    std::vector<uint8_t> bytes = ReadAll(stream);
    return DecodeImage(bytes.data(), bytes.size());
}

PixmapPtr CopyPixmap(const PixmapPtr& p) {
    return p ? std::make_shared<TPixmap>(*p) : nullptr;
}

PixmapPtr PixmapWindow(const PixmapPtr& p, int x, int y, int w, int h) {
    if (!p || w <= 0 || h <= 0) return nullptr;
    // Clip in 64 bits so that huge arguments cannot overflow.
    const int64_t x0 = std::max<int64_t>(x, 0), y0 = std::max<int64_t>(y, 0);
    const int64_t x1 = std::min<int64_t>(int64_t(x) + w, p->width),
                  y1 = std::min<int64_t>(int64_t(y) + h, p->height);
    if (x1 <= x0 || y1 <= y0) return nullptr;
    auto out = std::make_shared<TPixmap>(static_cast<int>(x1 - x0), static_cast<int>(y1 - y0));
    out->hasAlpha = p->hasAlpha;
    for (int64_t row = y0; row < y1; row++) {
        const uint32_t* src = p->pixels.data() + row * p->width + x0;
        std::copy(src, src + (x1 - x0), out->pixels.data() + (row - y0) * out->width);
    }
    return out;
}

PixmapPtr ResizePixmap(const PixmapPtr& p, int w, int h) {
    if (!p || w <= 0 || h <= 0 || p->width <= 0 || p->height <= 0) return nullptr;
    auto out = std::make_shared<TPixmap>(w, h);
    out->hasAlpha = p->hasAlpha;
    const double sx = double(p->width) / w, sy = double(p->height) / h;
    for (int y = 0; y < h; y++) {
        // Sample at pixel centres so that an unscaled copy is exact.
        double fy = std::clamp((y + 0.5) * sy - 0.5, 0.0, double(p->height - 1));
        int y0 = static_cast<int>(fy), y1 = std::min(y0 + 1, p->height - 1);
        double ty = fy - y0;
        for (int x = 0; x < w; x++) {
            double fx = std::clamp((x + 0.5) * sx - 0.5, 0.0, double(p->width - 1));
            int x0 = static_cast<int>(fx), x1 = std::min(x0 + 1, p->width - 1);
            double tx = fx - x0;
            uint32_t c00 = p->pixels[size_t(y0) * p->width + x0], c10 = p->pixels[size_t(y0) * p->width + x1];
            uint32_t c01 = p->pixels[size_t(y1) * p->width + x0], c11 = p->pixels[size_t(y1) * p->width + x1];
            uint32_t result = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                double a = (c00 >> shift) & 0xFF, b = (c10 >> shift) & 0xFF;
                double c = (c01 >> shift) & 0xFF, d = (c11 >> shift) & 0xFF;
                double top = a + (b - a) * tx, bottom = c + (d - c) * tx;
                double v = top + (bottom - top) * ty;
                result |= uint32_t(std::clamp(static_cast<int>(std::lround(v)), 0, 255)) << shift;
            }
            out->pixels[size_t(y) * w + x] = result;
        }
    }
    return out;
}

int PixmapWidth(const PixmapPtr& p) {
    return p ? p->width : 0;
}
int PixmapHeight(const PixmapPtr& p) {
    return p ? p->height : 0;
}

uint32_t ReadPixel(const PixmapPtr& p, int x, int y) {
    if (!p || x < 0 || y < 0 || x >= p->width || y >= p->height) return 0;
    return p->pixels[size_t(y) * p->width + x];
}

void WritePixel(const PixmapPtr& p, int x, int y, uint32_t argb) {
    if (!p || x < 0 || y < 0 || x >= p->width || y >= p->height) return;
    p->pixels[size_t(y) * p->width + x] = argb;
}

bool SavePixmapPNG(const PixmapPtr& p, const std::string& path) {
    if (!p) return false;
    std::vector<uint8_t> bytes = EncodePNG(*p);
    if (bytes.empty()) return false;
    StreamPtr s = WriteFile(path);
    if (!s) return false;
    WriteBytes(*s, bytes.data(), bytes.size());
    return CloseStream(s);
}

} // namespace vsm
