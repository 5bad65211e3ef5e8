// SavedCampaign: the campaign position and score, the bonus tokens, the level's statistics and
// clock and the sphere's mana, copied into the selected profile and back.
#pragma once

#include <string>

namespace vsm {

// Stores "level", "pointsActual", "pointsTotal", "gameState", "difficulty" and the list
// "revealedImages"; writes the file when saveNow is not 0. Returns 0, or -1 when that write
// failed or the list was too long to store (the stored list is then kept). Does nothing without a
// selected profile.
int SaveProfile(int saveNow);
// Restores the same keys: the sequencer starts at "level", the points, gameState, the difficulty
// and the revealed pictures follow. A document error on the way prints "560" and leaves the rest
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

} // namespace vsm
