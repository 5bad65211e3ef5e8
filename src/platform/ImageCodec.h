// ImageCodec: PNG and JPEG decoding into pixmaps and PNG encoding, through libpng and libjpeg.
#pragma once

#include "Graphics.h"

#include <cstdint>
#include <vector>

namespace vsm {

// Decodes a PNG or JPEG by its signature; null when the bytes are neither or are damaged.
PixmapPtr DecodeImage(const uint8_t* bytes, size_t size);
// Encodes the pixmap as an 8-bit RGBA PNG; empty on failure.
std::vector<uint8_t> EncodePNG(const TPixmap& pixmap);

} // namespace vsm
