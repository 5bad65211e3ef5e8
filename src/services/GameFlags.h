// GameFlags: the few flags that many screens read, each with one owner that sets it.
#pragma once

namespace vsm {

// Campaign progress, saved with the player: 0 no campaign, -3 new campaign, 1 play the current
// level, 2 level won. Owned by the program shell; the title screen reads the saved value into it
// when a game is chosen, the quick-play loops hold it at 1 while their level loads, and a stage
// left through a close request after its end (quest level, puzzle, ring game) marks it 2.
extern int gameState;
// 1 once the program is to end; nothing sets it back. Set by the quest loop.
extern int quit;
// The last campaign screen's result as the main flow sees it; non-zero goes back to the title.
extern int menuQuit;
// 1 after the lose screen's skip link.
extern int skipLevel;
// 1 when the next campaign level resumes from the profile's quest slot.
extern int readFromProfile;
// 1 while a campaign is played, so that saving the options also saves the campaign.
extern int saveToProfile;
// Losses on the current quest level; the lose screen offers its skip link above 1.
extern int levelReplays;
// The sequence position of the last quest level entered.
extern int lastLevel;
// 1 while an information popup is shown over the board. Owned by the popups.
extern int popUpIsOn;
// The level screen's fade-in, 0..1; the board slides in only at 1. Owned by the mode loops.
extern float guiAlpha;

// Puts every flag back to its start-up value (guiAlpha 1, every other flag 0).
void ResetGameFlags();

} // namespace vsm
