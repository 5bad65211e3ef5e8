// ProfileDefaults: a new player's profile with the default of every key, and the clearing of the
// selected profile for a new campaign.
#pragma once

#include <string>

namespace vsm {

// Creates the player's profile through the store, selects it and writes its defaults in one
// write. Returns 1 when done; -1 when the name is taken (listed, or any file of that name), 0 when
// it is refused and PROFILE_NOT_WRITTEN when the profile or its defaults could not be written. In
// those cases no other profile's file was changed, the half-made profile is taken away again and
// the current player is the one before (none, when there was none).
int CreateNewProfile(const std::string& name);
// Empties the selected profile's saved board, held piece, bonus tokens, level statistics, clock,
// sphere and puzzle and zeroes its score; with full also puts the campaign at the sequence's first
// level, marks it new (-3) and stores the chosen difficulty. One write. Returns 0, or -1 when the
// write failed (the file keeps what it held); does nothing without a selected profile.
int ClearProfile(int full);

} // namespace vsm
