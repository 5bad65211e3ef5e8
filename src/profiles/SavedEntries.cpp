// SavedEntries: the "x:y:value" cell entries of saved boards and pieces, written and checked.
#include "profiles/SavedEntries.h"

#include "data/NumberText.h"
#include "platform/System.h"
#include "services/TextHelpers.h"

namespace vsm {

std::string CellEntry(int x, int y, int value) {
    return std::to_string(x) + ":" + std::to_string(y) + ":" + std::to_string(value);
}

std::vector<SavedCell> ReadCells(const std::vector<std::string>& entries, int size, const std::string& key) {
    std::vector<SavedCell> cells;
    for (const std::string& entry : entries) {
        const std::vector<std::string> parts = splitString(entry, ":");
        SavedCell c;
        if (parts.size() >= 3) {
            c.x = TextToInt(parts[0]);
            c.y = TextToInt(parts[1]);
            c.v = TextToInt(parts[2]);
        }
        if (parts.size() < 3 || c.x < 0 || c.x >= size || c.y < 0 || c.y >= size) {
            Print("Saved cell \"" + entry + "\" of " + key + " skipped");
            continue;
        }
        cells.push_back(c);
    }
    return cells;
}

} // namespace vsm
