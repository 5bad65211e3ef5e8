// AssembleGame: the creation of every global manager of the game, in start-up order, with every
// hook a lower subsystem left for a higher one filled.
#pragma once

namespace vsm {

// Rebuilds every global of the game in its start-up state in the order start-up creates them
// (services with the song manager, lists and tables; widgets; board; level; sphere, bonuses and
// ring of spells; board lists; overlays; profiles; map and stories; tutorial; options at their
// creation values; the loading screen), takes bDir from the resources folder, fills the hooks
// (board, level, magic, ring of spells, overlays, the profile screen's options save), loads the
// piece templates and empties the effect lists. The shell's own hooks into the title, the mode
// loops, the puzzle and the ring game are left as they are. Start-up calls it once; the
// whole-game tests call it before each case. A missing settings archive ends the program.
void AssembleGame();

} // namespace vsm
