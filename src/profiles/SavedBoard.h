// SavedBoard: the board's runes and ages and the held piece of a level in progress, kept in the
// selected profile under a save slot ("davar", "endless" or "time") and restored from it.
#pragma once

#include <string>

namespace vsm {

// Stores the rune layer (slot + "1".."3") and every cell's age (slot + "TimerLayer1".."3") of
// all 225 cells; writes the profile file at the end when saveNow is not 0. Returns 0, or -1
// when that write failed. Does nothing without a selected profile.
int saveBoard(const std::string& slot, int saveNow);
// Restores the rune layer, the colour classes (from the rune catalogue) and the placement times
// so that each rune is as old as when it was saved. Entries with fewer than three fields or a
// cell outside 0..14 are skipped; cells without an entry keep their values. Returns 0; does
// nothing without a selected profile.
int loadBoard(const std::string& slot);
// Stores the held piece (slot + "ActualBlockSet", slot + "ActualBlockColor") and the dealer's
// previous-piece numbers (slot + "PrevBlock0".."2"); without a held piece only removes the two
// piece keys. Writes the file at the end when saveNow is not 0 and a piece is held. Returns 0, or
// -1 when that write failed.
int SaveLastBlock(const std::string& slot, int saveNow);
// Makes the held piece from the slot's two piece lists and restores the previous-piece numbers;
// when either list is empty nothing changes. Entries with fewer than three fields or a cell
// outside 0..3 are skipped. Returns 0; does nothing without a selected profile.
int LoadLastBlock(const std::string& slot);

} // namespace vsm
