// SavedEntries: the "x:y:value" cell entries of saved boards and pieces, written and checked.
#pragma once

#include <string>
#include <vector>

namespace vsm {

// One cell entry read back from a profile.
struct SavedCell {
    int x = 0, y = 0, v = 0;
};

// Returns the entry text "x:y:value" in plain decimal.
std::string CellEntry(int x, int y, int value);
// Returns the cells of the entries whose x and y lie in 0..size-1, in order; an entry with fewer
// than three fields or a cell outside the grid is skipped with one diagnostic line naming key.
// Fields that are not numbers read 0.
std::vector<SavedCell> ReadCells(const std::vector<std::string>& entries, int size, const std::string& key);

} // namespace vsm
