// MainFlow: the second half of the program: the title screen, then the campaign level by level
// with the map between levels, back to the title, for ever.
#pragma once

namespace vsm {

// Runs MainFlowRound for ever; the program ends only inside a screen, through End.
[[noreturn]] void MainFlow();

// Sets the level at sequencer.seqNo up as the campaign loop does: the sequencer prepares it,
// then its stage is loaded (a board level's popups, a puzzle level's picture, a ring level's
// game). Returns 1 when it is ready to play, 0 when the sequencer refused it (logged).
int SetUpCampaignLevel();

// One round: the title screen and its choice (3 new campaign: clear and load the profile, the
// opening story and the tutorial page; 1 continue: load the profile and resume its level; 0, a
// close request: End), then the campaign loop until it goes back to the title. saveToProfile is
// 0 whenever the round returns.
void MainFlowRound();

} // namespace vsm
