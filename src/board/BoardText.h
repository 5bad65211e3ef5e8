// BoardText: reading numbered groups of board documents (the number conversions themselves are
// in data/NumberText.h).
#pragma once

#include "data/NumberText.h"

#include <string>

namespace vsm {

class TTSCFile;

// Returns the highest n for which the document holds a group path + "::" + prefix + n (names
// compared ignoring case), 0 when it holds none.
int HighestNumberedGroup(const TTSCFile& doc, const std::string& path, const std::string& prefix);

} // namespace vsm
