// NumberText: the one saturating conversion of document, profile and save numbers to int.
#pragma once

#include <string>

namespace vsm {

// Returns the value truncated toward zero and clamped to the int range; NaN reads 0.
int NumberToInt(double value);
// Returns the integer value of a text (leading blanks, a sign and digits; anything after the
// digits is ignored), clamped to the int range; a text that does not start with a number reads 0.
int TextToInt(const std::string& text);

} // namespace vsm
