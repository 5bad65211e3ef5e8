// BoardText: safe conversion of the numbers and number texts that board documents hold.
#pragma once

#include <string>

namespace vsm {

class TTSCFile;

// Returns the value truncated toward zero and clamped to the int range; NaN reads 0.
int NumberToInt(double value);
// Returns the integer value of a text (leading blanks, a sign and digits; anything after the
// digits is ignored), clamped to the int range; a text that does not start with a number reads 0.
int TextToInt(const std::string& text);

// Returns the highest n for which the document holds a group path + "::" + prefix + n (names
// compared ignoring case), 0 when it holds none.
int HighestNumberedGroup(const TTSCFile& doc, const std::string& path, const std::string& prefix);

} // namespace vsm
