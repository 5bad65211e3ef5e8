// PlacementSearch: where to put the held piece. The campaign player weighs every placement of
// the held piece followed by the best placement of the next one against the level's goal (mana
// the sphere still lacks, runes left on a board to empty, the wardens' arms) and the board's
// health (room, pairs that a piece can complete, stones and rubble). The simpler finders serve
// tests that only need a run, or any legal place.
#pragma once

#include "BoardView.h"

#include <optional>
#include <vector>

namespace vsm::tools {

// A legal placement: the piece's origin cell and its rotation (0..3, as blocks.direction).
struct Placement {
    int x = 0, y = 0;
    int direction = 0;
    int runCells = 0; // cells the move clears (runs, and the arms of wardens it completes)
    double value = 0; // the search's worth of the placement
};

// The worth of what a board shows, per cell or unit.
struct Weights {
    // Every goal: room lost in pockets too small for any piece, runes one cell short of a run,
    // runes no run can reach.
    double lost = 3, near = 2, stuck = 5;
    // Every goal: each place short of the places wanted for the largest template, squared.
    double room = 3, roomWanted = 20;
    // Runes, stones and rubble on the board (outside the wardens' arms).
    double occupied = 3, stone = 1.5, rubble = 6;
    // Filling the sphere: each unit of mana it still lacks.
    double need = 25;
    // Emptying the board: each rune, stone and rubble left.
    double emptyOccupied = 20, emptyStone = 15, emptyRubble = 80;
    // Emptying the board: each rune one cell short of a run (in place of the shared weight).
    double emptyNear = 8;
    // Waking the wardens: each one standing; runes of its colour in its arms (and that count
    // squared, to finish one warden before the next); a rune of another colour there, one that
    // no run can reach, each cell short of room around an empty arm cell; each rune of a warden's colour in
    // its arms that a token set off is likely to undo, and each token laid.
    double warden = 800, correct = 12, focus = 1.5, wrong = 60, wrongStuck = 120, armPocket = 4;
    double tokenFired = 15, tokenMade = 2;
    // Waking the wardens: each rune or stone outside the arms, which only runs take away.
    double junk = 8;
    // Filling the sphere or emptying the board: a token set off that takes runes away.
    double tokenUseful = 10;
};

struct SearchOptions {
    // Placements of the held piece whose follow-ups with the next piece are weighed; 0 weighs
    // the held piece alone.
    int breadth = 10;
    // The templates the level deals (their colours unused): where every piece has two cells or
    // more a lone empty cell is lost room, and the largest one must still find places.
    std::vector<PieceView> shapes;
    // Play to last, as in the endless and time-attack games, whatever goal the board names.
    bool survive = false;
    Weights weights;
};

// The worth of a board to a player pursuing its goal; higher is better, a met goal best.
double EvaluateBoard(const BoardView& view, const SearchOptions& options);

// The placement of the held piece with the best worth after the next piece's best reply (a
// placement that meets the goal at once wins outright); nullopt when the held piece fits nowhere.
// Ties go to the first in rotation, then column, then row order.
std::optional<Placement> ChoosePlacement(const BoardView& view, const PieceView& held, const PieceView* next,
                                         const SearchOptions& options);

// The placement of piece that clears the most cells (runs of three or more through its cells,
// and the arms of wardens it completes); among equals the first in rotation, then column, then
// row order. Nullopt when no legal placement clears anything.
std::optional<Placement> FindRunPlacement(TBoardManager& board, const TBlock& piece);
// The first legal placement in the same order, clearing or not; nullopt when the piece fits
// nowhere.
std::optional<Placement> FindAnyPlacement(TBoardManager& board, const TBlock& piece);

// A pointer position that the pieces read as the placement's origin cell, for scripted input.
struct PointerCell {
    int x = 0, y = 0;
};
PointerCell PointerFor(const TBoardManager& board, const Placement& placement);

} // namespace vsm::tools
