// SavedSlot: the mode loops' restore of a saved game's board and held piece, which accepts only
// what this level can hold.
#pragma once

#include <string>

namespace vsm {

// Restores the board's runes and ages from the slot; a rune id the catalogue does not know
// (negative ones included), or a rune lying on a hole of this level's board, is left out.
// Returns 0.
int RestoreBoard(const std::string& slot);
// Restores the held piece and the three recent templates from the slot. A slot without a held
// piece (either list empty) drops the piece in hand, so that the loop deals one of this level;
// cells with runes the catalogue does not know are left out (a piece left empty is dropped).
// Returns 0.
int RestoreHeldPiece(const std::string& slot);

} // namespace vsm
