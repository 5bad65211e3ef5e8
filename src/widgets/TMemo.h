// TMemo: a multi-line text drawn character by character, optionally wrapped at its rectangle.
#pragma once

#include "widgets/TDim.h"
#include "widgets/TObject.h"

#include <memory>
#include <string>

namespace vsm {

class TMemo;
using MemoPtr = std::shared_ptr<TMemo>;

// A text in an image font or a TFont that, with `wordwrap` 1, starts a new line wherever the next
// character would end beyond the rectangle's right edge. No break at spaces or line feeds and no
// clipping at the bottom.
class TMemo : public TObject {
  public:
    std::string text;
    DimPtr dim;
    int wordwrap = 0;
    TObjectRef font;
    float alpha = 1.0f;
    int visible = 1;

    // Draws the text from the rectangle's truncated corner unless hidden, then sets the drawing
    // alpha and scale back to 1. Returns 0.
    virtual int Draw();
    // Never reports anything; returns 0.
    virtual int State();
};

// Returns a new visible memo with those fields.
MemoPtr CreateMemo(const TObjectRef& font, const std::string& text, const DimPtr& dim, int wordwrap,
                   float alpha);

} // namespace vsm
