// SaveImageBMP: writes the first frame of an image as an uncompressed 24-bit BMP.
#pragma once

#include "platform/Graphics.h"

#include <string>

namespace vsm {

class TStream;

// Writes the image's first frame to the stream: the 54-byte header, then the rows bottom-up as
// blue, green, red, each padded with zeros to a multiple of 4 bytes; alpha is dropped. Returns 0,
// or -1 (writing nothing) for an image without pixels or too large for the format's 32-bit
// sizes, and -1 when a write fails.
int SaveImageBMP(const ImagePtr& image, TStream& stream);
// Writes the file through a temporary file renamed into place. Returns 0, or -1 when the image is
// refused or the file cannot be written; on failure no file, and no part of one, is left behind
// and an old file of that name stays as it was.
int SaveImageBMP(const ImagePtr& image, const std::string& path);

} // namespace vsm
