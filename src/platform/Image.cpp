// Image: drawable pictures of one or more frames, cut from pixmaps, masked, with their handles.
#include "Graphics.h"

#include "Backend.h"

#include <algorithm>

namespace vsm {

namespace {

uint32_t& MaskRGB() {
    static uint32_t rgb = 0x000000;
    return rgb;
}

int ResolveFlags(int flags) {
    return flags == DEFAULT_IMAGE_FLAGS ? (MASKEDIMAGE | FILTEREDIMAGE) : flags & 7;
}

// A copy of the picture with the mask colour made transparent when the flags ask for it.
PixmapPtr Prepare(const TPixmap& source, int flags) {
    auto p = std::make_shared<TPixmap>(source);
    if ((flags & MASKEDIMAGE) && !source.hasAlpha) {
        const uint32_t mask = MaskRGB();
        for (uint32_t& px : p->pixels)
            if ((px & 0x00FFFFFFu) == mask) px &= 0x00FFFFFFu;
        p->hasAlpha = true;
    }
    return p;
}

ImagePtr MakeImage(int w, int h, int flags) {
    auto image = std::make_shared<TImage>();
    image->width = w;
    image->height = h;
    image->flags = flags;
    return image;
}

} // namespace

void SetMaskColor(int r, int g, int b) {
    MaskRGB() = uint32_t(std::clamp(r, 0, 255)) << 16 | uint32_t(std::clamp(g, 0, 255)) << 8 |
                uint32_t(std::clamp(b, 0, 255));
}

void GetMaskColor(int& r, int& g, int& b) {
    r = (MaskRGB() >> 16) & 0xFF;
    g = (MaskRGB() >> 8) & 0xFF;
    b = MaskRGB() & 0xFF;
}

ImagePtr LoadImage(const std::string& path, int flags) {
    return LoadImage(LoadPixmap(path), flags);
}

ImagePtr LoadImage(const PixmapPtr& pixmap, int flags) {
    if (!pixmap || pixmap->width <= 0 || pixmap->height <= 0) return nullptr;
    flags = ResolveFlags(flags);
    ImagePtr image = MakeImage(pixmap->width, pixmap->height, flags);
    image->frames.push_back(Prepare(*pixmap, flags));
    return image;
}

ImagePtr LoadAnimImage(const std::string& path, int cellW, int cellH, int first, int count, int flags) {
    return LoadAnimImage(LoadPixmap(path), cellW, cellH, first, count, flags);
}

ImagePtr LoadAnimImage(const PixmapPtr& pixmap, int cellW, int cellH, int first, int count, int flags) {
    if (!pixmap || cellW <= 0 || cellH <= 0 || first < 0 || count <= 0) return nullptr;
    const int cols = pixmap->width / cellW, rows = pixmap->height / cellH;
    if (int64_t(first) + count > int64_t(cols) * rows) return nullptr;
    flags = ResolveFlags(flags);
    PixmapPtr masked = Prepare(*pixmap, flags);
    ImagePtr image = MakeImage(cellW, cellH, flags);
    for (int i = first; i < first + count; i++) {
        const int cx = (i % cols) * cellW, cy = (i / cols) * cellH;
        image->frames.push_back(PixmapWindow(masked, cx, cy, cellW, cellH));
    }
    return image;
}

ImagePtr CreateImage(int width, int height, int frames, int flags) {
    if (width <= 0 || height <= 0 || frames <= 0) return nullptr;
    ImagePtr image = MakeImage(width, height, ResolveFlags(flags));
    for (int i = 0; i < frames; i++)
        image->frames.push_back(CreatePixmap(width, height));
    return image;
}

PixmapPtr LockImage(const ImagePtr& image, int frame) {
    if (!image || frame < 0 || frame >= static_cast<int>(image->frames.size())) return nullptr;
    const PixmapPtr& p = image->frames[frame];
    // The real backend lets the pixels of an unchanged picture go once its texture holds them.
    if (p && p->width > 0 && p->height > 0 && p->pixels.empty())
        CurrentBackend().RestorePixels(*image, frame);
    return p;
}

void UnlockImage(const ImagePtr& image, int frame) {
    if (!image || frame < 0 || frame >= static_cast<int>(image->frames.size())) return;
    image->version++;
}

int ImageWidth(const ImagePtr& image) {
    return image ? image->width : 0;
}
int ImageHeight(const ImagePtr& image) {
    return image ? image->height : 0;
}
int ImageFrames(const ImagePtr& image) {
    return image ? static_cast<int>(image->frames.size()) : 0;
}

void SetImageHandle(const ImagePtr& image, float x, float y) {
    if (!image) return;
    image->handleX = x;
    image->handleY = y;
}

void MidHandleImage(const ImagePtr& image) {
    if (!image) return;
    image->handleX = image->width * 0.5f;
    image->handleY = image->height * 0.5f;
}

} // namespace vsm
