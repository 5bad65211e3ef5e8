// PuzzleSave: the puzzle stage's tiles, time, clicks and hints copied into the selected profile
// and back.
#include "puzzle/PuzzleSave.h"

#include "data/NumberText.h"
#include "platform/System.h"
#include "profiles/TProfileManager.h"
#include "puzzle/TPuzzleManager.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace vsm {

namespace {

// The most clicks or hints a saved puzzle can bring back: far beyond any real puzzle, and small
// enough that counting on and the points the hints cost stay within an int.
constexpr int MAX_STORED_COUNT = 1000000;

// The whole text as a decimal integer, or nothing.
std::optional<int> WholeNumber(const std::string& text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    size_t i = text[0] == '-' ? 1 : 0;
    if (i == text.size()) return std::nullopt;
    int value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return text[0] == '-' ? -value : value;
}

// The cells of a saved layout when it names each of count cells exactly once.
std::optional<std::vector<int>> Permutation(const std::vector<std::string>& list, int count) {
    if (count <= 0 || static_cast<int>(list.size()) != count) return std::nullopt;
    std::vector<int> cells;
    std::vector<bool> seen(static_cast<size_t>(count), false);
    for (const std::string& entry : list) {
        const std::optional<int> cell = WholeNumber(entry);
        if (!cell || *cell < 0 || *cell >= count || seen[static_cast<size_t>(*cell)]) return std::nullopt;
        seen[static_cast<size_t>(*cell)] = true;
        cells.push_back(*cell);
    }
    return cells;
}

} // namespace

int SavePuzzles(int writeNow) {
    if (!profile.selectedProfile) return 0;
    std::vector<std::string> cells;
    for (const PuzzleButtonPtr& tile : puzzle.puzzle->Tiles())
        cells.push_back(std::to_string(tile->currentNumber));
    profile.SetList("puzzles", cells, 0);
    profile.SetNumber("puzzlesTime", NumberToInt(static_cast<double>(MilliSecs64() - puzzle.Timer)), 0);
    profile.SetNumber("puzzlesClicks", puzzle.clicks, 0);
    profile.SetNumber("puzzlesHints", puzzle.hintsCount, 0);
    if (writeNow == 0) return 0;
    return profile.SaveProfile();
}

int LoadPuzzles() {
    if (!profile.selectedProfile) return 0;
    const std::vector<PuzzleButtonPtr> tiles = puzzle.puzzle->Tiles();
    const std::optional<std::vector<std::string>> list = profile.GetList("puzzles");
    const std::optional<std::vector<int>> cells =
        list ? Permutation(*list, static_cast<int>(tiles.size())) : std::nullopt;
    if (!cells) {
        // Nothing saved is the ordinary case of a puzzle met for the first time.
        if (list && !list->empty())
            Print("The saved puzzle does not fit this picture; the puzzle starts afresh");
        return 0;
    }
    for (size_t k = 0; k < tiles.size(); ++k) {
        tiles[k]->currentNumber = (*cells)[k];
        tiles[k]->targetNumber = (*cells)[k];
        tiles[k]->SetPosition();
    }
    // A hand-edited or damaged profile must not start the clock in the future or pay for hints
    // never asked for.
    puzzle.Timer = MilliSecs64() - std::max(profile.GetNumber("puzzlesTime"), 0);
    puzzle.clicks = std::clamp(profile.GetNumber("puzzlesClicks"), 0, MAX_STORED_COUNT);
    puzzle.hintsCount = std::clamp(profile.GetNumber("puzzlesHints"), 0, MAX_STORED_COUNT);
    return 1;
}

} // namespace vsm
