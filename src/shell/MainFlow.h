// MainFlow: the second half of the program: the title screen, then the campaign level by level
// with the map between levels, back to the title, for ever.
#pragma once

namespace vsm {

// Runs MainFlowRound for ever; the program ends only inside a screen, through End.
[[noreturn]] void MainFlow();

// One round: the title screen and its choice (3 new campaign: clear and load the profile, the
// opening story and the tutorial page; 1 continue: load the profile and resume its level; 0, a
// close request: End), then the campaign loop until it goes back to the title. saveToProfile is
// 0 whenever the round returns.
void MainFlowRound();

} // namespace vsm
