// TText: a one-line text label drawn in an image font or in the game's own bitmap font.
#pragma once

#include "widgets/TColor.h"
#include "widgets/TDim.h"
#include "widgets/TObject.h"

#include <memory>
#include <string>

namespace vsm {

class TText;
using TextPtr = std::shared_ptr<TText>;

// A label placed by a shared rectangle. Its font is an image font (drawn with DrawText in the
// text's colour) or a TFont (drawn letter by letter in the colour in force); any other font
// draws nothing and measures 0.
class TText : public TObject {
  public:
    std::string text;
    DimPtr dim;
    ColorPtr color = CreateColor(0xFFFFFF);
    TObjectRef font;
    int visible = 1;
    float alpha = 0.0f;

    // Returns the height of the text in its own font (a TFont's Size); 0 without a usable font.
    virtual float Height();
    // Returns the unscaled width of the text in its own font; 0 without a usable font or text.
    virtual float Width();
    // Draws the text at (dim.Left(), dim.Top()) unless hidden; returns 0.
    virtual int Draw();
};

// Returns a new visible white text; writes origin and both offsets into the given rectangle,
// which the text keeps by reference.
TextPtr CreateText(const std::string& text, const DimPtr& dim, const TObjectRef& font, float alpha,
                   int origin, float xoffset, float yoffset);

} // namespace vsm
