// TImageFont: a TrueType face at one pixel size with a CPU glyph cache both backends draw from.
#pragma once

#include "Graphics.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace vsm {

// One rendered glyph: an 8-bit coverage bitmap (255 = fully inked), placed relative to the pen
// at the line's top-left: the bitmap's top-left is at (penX + left, lineTop + top).
struct TGlyph {
    int width = 0, height = 0;
    int left = 0, top = 0;
    int advance = 0;               // pen advance in whole pixels
    std::vector<uint8_t> coverage; // width * height bytes, row by row
};

class TImageFont {
  public:
    ~TImageFont();
    // Returns the glyph of a code point, rendering it on first use; a code point the face lacks
    // gives the face's missing-glyph box (or an empty glyph), never a failure.
    const TGlyph& Glyph(uint32_t codepoint);
    // Width in pixels of the UTF-8 text (sum of advances; invalid bytes count as U+FFFD).
    int Width(const std::string& utf8);
    int size = 0;   // the pixel size asked for
    int style = 0;  // BOLDFONT | ITALICFONT | SMOOTHFONT
    int ascent = 0; // pixels from the line's top to the baseline
    int lineHeight = 0;
    std::string path; // the file it came from; empty for the built-in bitmap font
    // Bumped whenever a new glyph enters the cache, so a backend can refresh its glyph textures.
    uint64_t version = 0;
    // The real backend's per-font data (glyph textures); the core never looks inside.
    std::shared_ptr<void> backendData;

    struct Face; // FreeType face, or null for the built-in bitmap font
    std::unique_ptr<Face> face;
    std::unordered_map<uint32_t, TGlyph> glyphs;
};

// The built-in font used when no font is set or a load failed: Berenika Bold (else DejaVu Sans)
// at 14 pixels when the system has it, else a small bitmap font compiled into the game. Never null.
FontPtr DefaultFont();

} // namespace vsm
