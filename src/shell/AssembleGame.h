// AssembleGame: the creation of every global manager of the game, in start-up order, with every
// hook a lower folder calls filled.
#pragma once

namespace vsm {

// Rebuilds every global of the game in its start-up state in the order start-up creates them
// (services with the song manager, lists and tables; widgets; board; level; sphere, bonuses and
// ring of spells; board lists; overlays; profiles; map and stories; tutorial; options at their
// creation values; the loading screen; the main menu's games), takes bDir
// from the resources folder, fills every hook of GameHooks(), loads the piece templates and
// empties the effect lists. Start-up calls it once; the whole-game tests call it before each
// case. A missing settings archive ends the program.
void AssembleGame();

} // namespace vsm
