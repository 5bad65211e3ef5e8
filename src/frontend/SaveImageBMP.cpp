// SaveImageBMP: the 24-bit BMP writer.
#include "frontend/SaveImageBMP.h"

#include "platform/Files.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace vsm {
namespace {

constexpr int64_t HEADER_BYTES = 54;
constexpr int32_t PIXELS_PER_METRE = 2834;

// The row length in bytes: three a pixel, rounded up to a multiple of four.
int64_t RowBytes(const TPixmap& p) {
    return (static_cast<int64_t>(p.width) * 3 + 3) / 4 * 4;
}

// The picture to write, or null when the image holds no pixels or is too large for the
// format's signed 32-bit sizes.
PixmapPtr Writable(const ImagePtr& image) {
    if (!image || image->frames.empty()) return nullptr;
    const PixmapPtr p = LockImage(image, 0);
    if (!p || p->width <= 0 || p->height <= 0) return nullptr;
    if (HEADER_BYTES + RowBytes(*p) * p->height > std::numeric_limits<int32_t>::max()) return nullptr;
    if (p->pixels.size() < static_cast<size_t>(p->width) * static_cast<size_t>(p->height)) return nullptr;
    return p;
}

} // namespace

int SaveImageBMP(const ImagePtr& image, TStream& stream) {
    const PixmapPtr p = Writable(image);
    if (!p) return -1;
    const int64_t rowBytes = RowBytes(*p);
    const int64_t dataBytes = rowBytes * p->height;

    WriteByte(stream, 0x42);
    WriteByte(stream, 0x4D);
    WriteInt(stream, static_cast<int32_t>(HEADER_BYTES + dataBytes));
    WriteInt(stream, 0); // the two reserved 16-bit fields
    WriteInt(stream, static_cast<int32_t>(HEADER_BYTES));
    WriteInt(stream, 40);
    WriteInt(stream, p->width);
    WriteInt(stream, p->height);
    WriteShort(stream, 1);
    WriteShort(stream, 24);
    WriteInt(stream, 0);
    WriteInt(stream, static_cast<int32_t>(dataBytes));
    WriteInt(stream, PIXELS_PER_METRE);
    WriteInt(stream, PIXELS_PER_METRE);
    WriteInt(stream, 0);
    WriteInt(stream, 0);

    std::vector<uint8_t> row(static_cast<size_t>(rowBytes), 0);
    for (int y = p->height - 1; y >= 0 && !stream.failed; --y) {
        const uint32_t* pixel = &p->pixels[static_cast<size_t>(y) * static_cast<size_t>(p->width)];
        for (int x = 0; x < p->width; ++x) {
            const uint32_t argb = pixel[x];
            row[static_cast<size_t>(x) * 3] = static_cast<uint8_t>(argb & 0xFF);
            row[static_cast<size_t>(x) * 3 + 1] = static_cast<uint8_t>((argb >> 8) & 0xFF);
            row[static_cast<size_t>(x) * 3 + 2] = static_cast<uint8_t>((argb >> 16) & 0xFF);
        }
        WriteBytes(stream, row.data(), row.size());
    }
    return stream.failed ? -1 : 0;
}

int SaveImageBMP(const ImagePtr& image, const std::string& path) {
    if (!Writable(image)) return -1;
    StreamPtr stream = WriteFile(path);
    if (!stream) return -1;
    // A stream dropped without closing is discarded, leaving no partial file behind.
    if (SaveImageBMP(image, *stream) != 0) return -1;
    return CloseStream(stream) ? 0 : -1;
}

} // namespace vsm
