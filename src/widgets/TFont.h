// TFont and TLetter: the game's own bitmap fonts, cut from a strip of hand-drawn glyphs by
// their ink.
#pragma once

#include "platform/Graphics.h"
#include "widgets/TDim.h"
#include "widgets/TImageSource.h"
#include "widgets/TObject.h"

#include <array>
#include <cstdint>
#include <list>
#include <memory>
#include <string>

namespace vsm {

class TLetter;
class TFont;
using LetterPtr = std::shared_ptr<TLetter>;
using BitmapFontPtr = std::shared_ptr<TFont>;

// One character of a TFont. Letters are shared by every text of the font: a drawer places the
// letter's dim, draws it, and places it again for the next occurrence.
class TLetter : public TObject {
  public:
    std::string text;
    // width = advance to the next letter, height = the font's Size.
    DimPtr dim;
    ImagePtr image;
    float alpha = 1.0f;

    // Draws the glyph at (dim.Left(), dim.Top()) at the letter's alpha and dim scale, then sets
    // the drawing alpha and scale back to 1; the colour is left alone. Returns 0.
    virtual int Draw();
};

// A bitmap font: one letter per glyph found in the strip, in reading order, then a blank " ".
class TFont : public TObject {
  public:
    std::list<LetterPtr> letters;
    // The character set given at creation: character i names the i-th glyph found.
    std::string text;
    // Row height of the strip and height of every letter.
    float Size = 0;

    // Returns the first letter whose text equals the character exactly (case counts), else the
    // last blank " " letter; null when the font has no blank.
    virtual LetterPtr GetLetter(const std::string& character);
    // Returns the alpha byte (bits 24 to 31) of a 32-bit ARGB pixel.
    virtual int alpha(uint32_t pixel);
};

// Returns a new letter with those fields and alpha 1.
LetterPtr CreateLetter(const ImagePtr& image, const std::string& text, const DimPtr& dim);

// Cuts a bitmap font from a strip (loaded as a pixmap): bands of `size` rows, each unbroken run of ink
// columns one glyph named by the next character of `set`, its advance the ink width less `spacing`. A glyph
// still open at a band's right edge ends there; glyphs beyond the set's length are dropped with one
// diagnostic line. A strip that fails to load gives a font holding only the blank.
BitmapFontPtr CreateFont(const TImageSource& source, const std::string& set, float size, int spacing);

// The two shared bitmap fonts, filled by the loading screen; empty slots until then.
extern std::array<BitmapFontPtr, 2> fonts;

} // namespace vsm
