// PlacementFinder: chooses moves from the board's state for tests that play the game through:
// where the held piece completes a run of three, or failing that where it fits at all.
#pragma once

#include <optional>

namespace vsm {
class TBlock;
class TBoardManager;
} // namespace vsm

namespace vsm::test {

// A legal placement: the piece's origin cell and its rotation (0..3, as blocks.direction).
struct Placement {
    int x = 0, y = 0;
    int direction = 0;
    int runCells = 0; // cells of the runs of three or more the placement would complete
};

// The placement of piece that completes the most run cells (rows and columns of three or more
// equal colour classes, through at least one of the piece's cells); among equals the first in
// direction, then column, then row order. Nullopt when no legal placement completes a run.
std::optional<Placement> FindRunPlacement(TBoardManager& board, const TBlock& piece);
// The first legal placement in the same order, run or not; nullopt when the piece fits nowhere.
std::optional<Placement> FindAnyPlacement(TBoardManager& board, const TBlock& piece);

// A pointer position that the pieces read as the placement's origin cell, for scripted input.
struct PointerCell {
    int x = 0, y = 0;
};
PointerCell PointerFor(const TBoardManager& board, const Placement& placement);

} // namespace vsm::test
