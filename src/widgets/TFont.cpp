// TFont and TLetter: glyph cutting by ink runs, letter lookup and letter drawing.
#include "widgets/TFont.h"

#include "platform/System.h"
#include "platform/Utf8.h"

namespace vsm {

std::array<BitmapFontPtr, 2> fonts;

int TLetter::Draw() {
    SetAlpha(alpha);
    if (dim) {
        SetScale(dim->scalex, dim->scaley);
        DrawImage(image, dim->Left(), dim->Top(), 0);
    }
    SetAlpha(1);
    SetScale(1, 1);
    return 0;
}

LetterPtr TFont::GetLetter(const std::string& character) {
    LetterPtr blank;
    for (const LetterPtr& letter : letters) {
        if (!letter) continue;
        if (letter->text == character) return letter;
        if (letter->text == " ") blank = letter;
    }
    return blank;
}

int TFont::alpha(uint32_t pixel) {
    return static_cast<int>(pixel >> 24);
}

LetterPtr CreateLetter(const ImagePtr& image, const std::string& text, const DimPtr& dim) {
    auto letter = std::make_shared<TLetter>();
    letter->image = image;
    letter->text = text;
    letter->dim = dim;
    return letter;
}

namespace {

// The n-th character (from 0) of the set, counting UTF-8 sequences as one character.
std::string NthCharacter(const std::string& set, size_t n) {
    std::vector<uint32_t> codes = DecodeUtf8(set);
    std::string out;
    if (n < codes.size()) AppendUtf8(out, codes[n]);
    return out;
}

} // namespace

BitmapFontPtr CreateFont(const TImageSource& source, const std::string& set, float size, int spacing) {
    const PixmapPtr strip = source.LoadAsPixmap();
    auto font = std::make_shared<TFont>();
    font->text = set;
    font->Size = size;
    // A size outside one pixel to a sane band height (or not a number) reads no band at all.
    const bool usable = size >= 1 && size <= 4096;
    const int rows = usable ? static_cast<int>(size) : 0;
    const size_t setLength = DecodeUtf8(set).size();
    size_t found = 0;

    if (strip && strip->width > 0 && rows > 0) {
        const int W = strip->width;
        const int bands = static_cast<int>(static_cast<float>(strip->height) / size - 1) + 1;
        for (int j = 0; j < bands; ++j) {
            auto rowOf = [&](int r) { return static_cast<int>(static_cast<float>(j) * size + r); };
            auto inkAt = [&](int k) {
                for (int r = 0; r < rows; ++r)
                    if (font->alpha(ReadPixel(strip, k, rowOf(r))) > 0) return true;
                return false;
            };
            auto cut = [&](int start, int end) {
                ++found;
                if (found > setLength) return;
                PixmapPtr glyph = CreatePixmap(end - start, rows);
                // Copied pixel for pixel: the glyph keeps its own transparency, so no mask applies.
                glyph->hasAlpha = true;
                for (int r = 0; r < rows; ++r)
                    for (int k = start; k < end; ++k)
                        WritePixel(glyph, k - start, r, ReadPixel(strip, k, rowOf(r)));
                DimPtr dim = CreateDim(0, 0, static_cast<float>(end - start - spacing), size);
                font->letters.push_back(CreateLetter(LoadImage(glyph), NthCharacter(set, found - 1), dim));
            };
            // Each band starts blank and closes a glyph still open at its right edge, so a glyph
            // touching the strip's last column keeps its true width.
            bool previousInk = false;
            int start = 0;
            for (int k = 0; k < W; ++k) {
                const bool ink = inkAt(k);
                if (!previousInk && ink) start = k;
                if (previousInk && !ink) cut(start, k);
                previousInk = ink;
            }
            if (previousInk) cut(start, W);
        }
    }
    if (found > setLength)
        Print("font strip holds " + std::to_string(found) + " glyphs for " + std::to_string(setLength) +
              " characters; the extra glyphs are ignored");

    const int blankWidth = usable ? static_cast<int>(size / 2) : 0;
    ImagePtr blankImage = blankWidth > 0 && rows > 0 ? CreateImage(blankWidth, rows) : nullptr;
    font->letters.push_back(CreateLetter(blankImage, " ", CreateDim(0, 0, size / 2, size)));
    return font;
}

} // namespace vsm
