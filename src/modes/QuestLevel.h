// QuestLevel: the loop that plays one board level of the quest campaign.
#pragma once

namespace vsm {

// Plays the board level the level sequence has set up, fresh or (resume non-zero) restored from
// the profile's quest slot. Returns 0 when the level is done (goal met after its summary, the
// lose screen's skip link, or a developer key of the goal test) and 1 when the player went back
// to the main menu from the pause menu or the lose screen. Ends the program when the player
// quits or the system asks it to close.
int goGlyndra(int resume);

// The scene step of one quest level frame, after the input and before the popups: draws the
// level, sphere, clock, points, board, boss runes, tokens and ring, steps them, moves and draws
// the held piece once the ring is idle and the board has slid in, and runs the effect lists.
void QuestSceneStep();

} // namespace vsm
