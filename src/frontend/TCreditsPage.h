// TCreditsPage and TCreditsText: one page of the credits — a role and its names — typed out one
// character at a time with a burst of sparks per character.
#pragma once

#include "widgets/TFont.h"
#include "widgets/TText.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vsm {

class TCreditsText;
using CreditsTextPtr = std::shared_ptr<TCreditsText>;

// One typed line, centred on x 400 by its full width; its left edge stays put while it types.
class TCreditsText {
  public:
    virtual ~TCreditsText() = default;

    TextPtr text;      // holds the part typed so far
    std::string str;   // the whole line
    int counter = 0;   // typing steps taken; length + 1 once complete
    int64_t Timer = 0; // clock at the last step (at construction before any)
    int Speed = 20;    // milliseconds that must be exceeded between two steps

    // Returns a new untyped line in the font with its top edge at y.
    static CreditsTextPtr Create(const std::string& str, const BitmapFontPtr& font, int y);
    // Draws the typed part. Returns 0.
    virtual int Draw();
    // Types at most one character, with seven golden sparks, once more than Speed ms have passed
    // since the last step; returns 1 once the line is complete, else 0.
    virtual int Update();
};

// A page: a title line and its field lines as one block centred on the screen.
class TCreditsPage {
  public:
    virtual ~TCreditsPage() = default;

    CreditsTextPtr title;
    std::vector<CreditsTextPtr> fields;
    int counter = 0;  // line typing: 0 the title, k the k-th field, maxCount + 1 when done
    int maxCount = 0; // number of fields, set by Prepare
    int textsize = 40;
    int titleSpace = 30;

    // Sets the title line (in fonts[1]), replacing an earlier one. Returns 0.
    virtual int AddTitle(const std::string& s);
    // Appends a field line (in fonts[1]). Returns 0.
    virtual int AddField(const std::string& s);
    // Lays the lines out as a block centred on y 300. Returns 0.
    virtual int Prepare();
    // Draws every line at the opacity and types the current one; a page without a title types
    // its fields alone. Returns 0.
    virtual int Update(float alpha);
};

} // namespace vsm
