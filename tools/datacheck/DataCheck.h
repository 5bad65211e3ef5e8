// DataCheck: the shipped game data held to the rules the game's code relies on.
#pragma once

#include <string>
#include <vector>

namespace vsm::tools {

// Where the data to check lives.
struct DataCheckPaths {
    // The built resources folder, ending in "/": data/*.bca, data/part-N.tsc, gfx/, sfx/.
    std::string resources;
    // The documents' sources (content/): one folder per archive and stories/.
    std::string content;
    // The committed list of names that saved games, profiles and hiscores hold.
    std::string released;
};

// Loads every archive and loose document through the game's own loaders and returns one line
// "<document>: <key>: <rule>" per broken rule, in a stable order; empty when the data holds.
// A folder or list that cannot be read is reported as a broken rule, never thrown.
std::vector<std::string> CheckGameData(const DataCheckPaths& paths);

} // namespace vsm::tools
