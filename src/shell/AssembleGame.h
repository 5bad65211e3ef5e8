// AssembleGame: the creation of every global manager of the game, in start-up order, with every
// hook a lower folder calls filled.
#pragma once

namespace vsm {

// Rebuilds every global of the game in its start-up state in the order start-up creates them:
// services with the song manager, lists and tables; widgets; board; level; sphere, bonuses and
// ring of spells; options at their creation values; the loading screen; board lists; overlays;
// profiles; map and stories; tutorial; puzzle; ring game; title, gallery and the main menu's
// games. Hooks are left as they are and nothing is loaded. Test fixtures start from it and
// InstallGameHooks, then steer what they test. Cannot fail.
void ResetGameGlobals();

// ResetGameGlobals, then takes bDir from the resources folder, fills every hook of GameHooks(),
// loads the piece templates and empties the effect lists. Start-up calls it once; the
// whole-game tests call it before each case. A missing settings archive ends the program.
void AssembleGame();

} // namespace vsm
