// TImageFont: a TrueType face at one pixel size with a CPU glyph cache both backends draw from.
#include "TImageFont.h"

#include "Files.h"
#include "Utf8.h"

#include <algorithm>
#include <cmath>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

namespace vsm {

namespace {

// The installation's Berenika Bold, the face of the game's labels, else DejaVu Sans; the platform
// knows nothing of the game's resources, so the default comes from the system's fonts.
constexpr const char* kDefaultFontPaths[] = {"/usr/share/fonts/truetype/klaudia-berenika/Berenika-Bold.ttf",
                                             "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"};
constexpr int kDefaultFontSize = 14;

FT_Library Library() {
    // One library for the whole run; FreeType frees it with the process.
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0) l = nullptr;
        return l;
    }();
    return lib;
}

} // namespace

struct TImageFont::Face {
    std::vector<uint8_t> bytes; // FreeType reads the face from here for as long as it lives
    FT_Face face = nullptr;
    ~Face() {
        if (face) FT_Done_Face(face);
    }
};

TImageFont::~TImageFont() = default;

namespace {

// The last-resort glyph of the built-in font: a hollow box half the size wide.
TGlyph BoxGlyph(const TImageFont& font, uint32_t codepoint) {
    TGlyph g;
    const int w = std::max(font.size / 2, 3);
    g.advance = w + 1;
    if (codepoint <= 32 || codepoint == 0xA0) return g; // blanks and controls have no ink
    g.width = w;
    g.height = std::max(font.ascent, 3);
    g.left = 0;
    g.top = 0;
    g.coverage.assign(size_t(g.width) * g.height, 0);
    for (int y = 0; y < g.height; y++)
        for (int x = 0; x < g.width; x++)
            if (x == 0 || y == 0 || x == g.width - 1 || y == g.height - 1)
                g.coverage[size_t(y) * g.width + x] = 255;
    return g;
}

bool Render(TImageFont& font, uint32_t codepoint, TGlyph& g) {
    FT_Face face = font.face ? font.face->face : nullptr;
    if (!face) return false;
    FT_UInt index = FT_Get_Char_Index(face, codepoint);
    // index 0 is the face's own missing-glyph box, which is what an unknown character shows.
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0) return false;
    if (font.style & BOLDFONT) FT_GlyphSlot_Embolden(face->glyph);
    if (font.style & ITALICFONT) FT_GlyphSlot_Oblique(face->glyph);
    const bool smooth = (font.style & SMOOTHFONT) != 0;
    if (FT_Render_Glyph(face->glyph, smooth ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0) return false;
    const FT_Bitmap& bm = face->glyph->bitmap;
    g.width = static_cast<int>(bm.width);
    g.height = static_cast<int>(bm.rows);
    g.left = face->glyph->bitmap_left;
    g.top = font.ascent - face->glyph->bitmap_top;
    g.advance = static_cast<int>(std::lround(face->glyph->advance.x / 64.0));
    g.coverage.assign(size_t(g.width) * g.height, 0);
    for (int y = 0; y < g.height; y++) {
        const uint8_t* row = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
        for (int x = 0; x < g.width; x++) {
            uint8_t c = 0;
            if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
                c = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
            else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY)
                c = static_cast<uint8_t>(bm.num_grays == 256 ? row[x]
                                                             : row[x] * 255 / std::max(bm.num_grays - 1, 1));
            g.coverage[size_t(y) * g.width + x] = c;
        }
    }
    return true;
}

// Opens the face of a font file at a pixel size; null when it cannot be read.
FontPtr OpenFont(const std::string& path, int size, int style) {
    if (size <= 0 || !Library()) return nullptr;
    StreamPtr s = ReadFile(path);
    if (!s) return nullptr;
    auto face = std::make_unique<TImageFont::Face>();
    face->bytes = ReadAll(*s);
    s->Close();
    if (face->bytes.empty()) return nullptr;
    if (FT_New_Memory_Face(Library(), face->bytes.data(), static_cast<FT_Long>(face->bytes.size()), 0,
                           &face->face) != 0) {
        face->face = nullptr;
        return nullptr;
    }
    if (FT_Set_Pixel_Sizes(face->face, 0, static_cast<FT_UInt>(size)) != 0) return nullptr;
    auto font = std::make_shared<TImageFont>();
    const FT_Size_Metrics& m = face->face->size->metrics;
    font->ascent = static_cast<int>(std::ceil(m.ascender / 64.0));
    const int descent = static_cast<int>(std::ceil(-m.descender / 64.0));
    font->lineHeight = std::max(font->ascent + descent, 1);
    font->size = size;
    font->style = style;
    font->path = FixPath(path);
    font->face = std::move(face);
    return font;
}

} // namespace

const TGlyph& TImageFont::Glyph(uint32_t codepoint) {
    auto it = glyphs.find(codepoint);
    if (it != glyphs.end()) return it->second;
    TGlyph g;
    if (!Render(*this, codepoint, g)) g = BoxGlyph(*this, codepoint);
    version++;
    return glyphs.emplace(codepoint, std::move(g)).first->second;
}

int TImageFont::Width(const std::string& utf8) {
    int w = 0;
    for (uint32_t cp : DecodeUtf8(utf8))
        w += Glyph(cp).advance;
    return w;
}

FontPtr DefaultFont() {
    static FontPtr font = [] {
        FontPtr f;
        for (const char* path : kDefaultFontPaths)
            if (!f) f = OpenFont(path, kDefaultFontSize, SMOOTHFONT);
        if (!f) {
            // No usable system font: box glyphs keep every text measurable and drawable.
            f = std::make_shared<TImageFont>();
            f->size = kDefaultFontSize;
            f->style = SMOOTHFONT;
            f->ascent = kDefaultFontSize - 3;
            f->lineHeight = kDefaultFontSize + 2;
        }
        return f;
    }();
    return font;
}

FontPtr LoadImageFont(const std::string& path, int size, int style) {
    return OpenFont(path, size, style);
}

int TextWidth(const std::string& utf8) {
    return GetImageFont()->Width(utf8);
}

int TextHeight(const std::string& /*utf8*/) {
    return GetImageFont()->lineHeight;
}

int FontHeight(const FontPtr& font) {
    return font ? font->lineHeight : DefaultFont()->lineHeight;
}

} // namespace vsm
