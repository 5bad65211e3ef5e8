// SavedCampaign: the campaign position and score, the bonus tokens, the level's statistics and
// clock, the sphere's mana and the boss runes still standing, copied into the selected profile
// and back.
#pragma once

#include <string>

namespace vsm {

// The save slot of the quest campaign: every key of the campaign's saved level begins with it. The
// quest level, the campaign save and the puzzle all name it through this one constant, so the
// board and the boss runes are always saved and restored under the same slot.
inline const std::string QUEST_SLOT = "davar";

// Stores "level", "pointsActual", "pointsTotal", "gameState", "difficulty" and the list
// "revealedImages", and the quest level's standing boss runes (SaveBossRunes of the quest slot
// QUEST_SLOT), so that every save of the campaign keeps them with the rest; writes the file when
// saveNow is not 0. Returns 0, or -1 when that write failed or the list was too long to store (the
// stored list is then kept). Does nothing without a selected profile.
int SaveProfile(int saveNow);
// Restores the same keys: the sequencer starts at "level" (a level further past the campaign than
// one past its last level is taken as one past it), the points, gameState, the difficulty and the
// revealed pictures follow. A document error on the way prints "560" and leaves the rest
// as it was. Returns 0; does nothing without a selected profile.
int LoadProfile();
// Stores the bonus tokens on the board under slot + "Bonuses"; writes the file when saveNow is
// not 0. Returns 0, or -1 when that write failed.
int SaveSpells(const std::string& slot, int saveNow);
// Appends the tokens saved under slot + "Bonuses" to those on the board; malformed entries are
// skipped. Returns 0; does nothing without a selected profile.
int LoadSpells(const std::string& slot);
// Stores the level's five counters and the clock's elapsed time; writes the file when saveNow is
// not 0. Returns 0, or -1 when that write failed.
int SaveLevelStats(int saveNow);
// Restores the five counters and sets the clock to the saved elapsed time. Returns 0; does
// nothing without a selected profile.
int LoadLevelStats();
// Stores the mana of the sphere's five balls as "ballsFil0".."ballsFil4"; writes the file when
// saveNow is not 0. Returns 0, or -1 when that write failed.
int SaveMagicSphere(int saveNow);
// Restores the five balls' mana, showing it at once; a full ball stays silent. Returns 0; does
// nothing without a selected profile.
int LoadMagicSphere();

// Stores the level's surviving boss runes (the level's name under slot + "BossLevel", and one
// "x:y:id" entry per standing boss rune under slot + "Bosses"); writes the profile when saveNow is
// not 0. Nothing without a selected profile. Returns 0, or -1 when the write failed.
int SaveBossRunes(const std::string& slot, int saveNow);
// Removes the boss runes that were destroyed before the slot was saved: only when the slot holds
// the key slot + "BossLevel" naming the running level; otherwise every boss rune stays. Returns
// the number of boss runes removed.
int RestoreBossRunes(const std::string& slot);
// Forgets the slot's boss runes, so that no later resume trusts a list of an earlier attempt.
// Returns 0.
int ClearBossRunes(const std::string& slot);

} // namespace vsm
