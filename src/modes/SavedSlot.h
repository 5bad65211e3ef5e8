// SavedSlot: the mode loops' restore of a saved game's board and held piece, which accepts only
// what this level can hold, and the surviving boss runes of a saved quest level.
#pragma once

#include <string>

namespace vsm {

// Restores the board's runes and ages from the slot; a rune the catalogue does not know, or one
// lying on a hole of this level's board, is left out. Returns 0.
int RestoreBoard(const std::string& slot);
// Restores the held piece and the three recent templates from the slot. A slot without a held
// piece (either list empty) drops the piece in hand, so that the loop deals one of this level;
// cells with runes the catalogue does not know are left out (a piece left empty is dropped).
// Returns 0.
int RestoreHeldPiece(const std::string& slot);

// Stores the level's surviving boss runes (the level's name under slot + "BossLevel", and one
// "x:y:id" entry per standing boss rune under slot + "Bosses"); writes the profile when saveNow is
// not 0. Nothing without a selected profile. Returns 0, or -1 when the write failed.
int SaveBossRunes(const std::string& slot, int saveNow);
// Removes the boss runes that were destroyed before the slot was saved: only when the slot holds
// the key slot + "BossLevel" naming the running level; otherwise every boss rune stays. Returns
// the number of boss runes removed.
int RestoreBossRunes(const std::string& slot);

} // namespace vsm
