// QuestLevel: the loop that plays one board level of the quest campaign.
#pragma once

namespace vsm {

// Plays the board level the level sequence has set up, fresh or (resume non-zero) restored from
// the profile's quest slot. Returns 0 when the level is done (goal met after its summary, the
// lose screen's skip link, or a developer key of the goal test) and 1 when the player went back
// to the main menu from the pause menu or the lose screen. Ends the program when the player
// quits or the system asks it to close.
int goGlyndra(int resume);

} // namespace vsm
