// TDrawStoryText: the text lines of one story page, drawn black in the current image font.
#pragma once

#include <array>
#include <string>

namespace vsm {

// Up to six lines drawn left-aligned from x 105 in the lower band of the screen; the viewer keeps
// one block for the page on show and one for the page before, to cross-fade them.
class TDrawStoryText {
  public:
    static constexpr int MAX_LINES = 6;

    std::array<std::string, MAX_LINES> text;
    // Lines in use; the viewer sets it before filling them. Zero or less draws nothing.
    int lines = 0;

    // Replaces line `index`; an index outside 0..5 is ignored. Returns 0.
    int setLine(int index, const std::string& line);
    // Draws the lines in use in black at 0.8 x alpha (the drawing layer clamps it), one line height
    // apart, from y 440 (425 for five lines or more); leaves black, that alpha and scale 1 set.
    // Returns 0.
    int Draw(float alpha);
    // Empties every line and sets `lines` to 0. Returns 0.
    int Clear();
    // Takes the other block's line count and its lines in use; lines past them keep their text.
    // Returns 0.
    int Copy(const TDrawStoryText& other);
};

} // namespace vsm
