// TextHelpers: splitting and cutting texts, and text drawn with a two-sided shadow.
#pragma once

#include "platform/Graphics.h"

#include <string>
#include <vector>

namespace vsm {

// Returns the pieces of text between occurrences of the one-character separator, empty pieces
// kept; an empty text gives no piece; a separator of more than one character never matches.
std::vector<std::string> splitString(const std::string& text, const std::string& separator);
// Returns the characters at positions from..to (counted from 1, both included); "" when from < 1,
// to is past the end, or from > to. Characters are whole UTF-8 characters.
std::string Pos(const std::string& text, int from, int to);
// Returns the text with every occurrence of `from` replaced by `to`, left to right, never
// rescanning what was put in; an empty `from` changes nothing.
std::string ReplaceAll(std::string text, const std::string& from, const std::string& to);
// Draws text with a black shadow below right and a grey one above left, then in (r, g, b);
// align 1 centres on x, 2 ends at x, anything else starts at x. Selects font when it is not
// null. Leaves the colour white; returns 0.
int DrawShadowedText(const std::string& text, int x, int y, const FontPtr& font, int align, int r, int g,
                     int b);

} // namespace vsm
