// OverlaysGlobals: creating the overlays' globals and filling the hooks lower subsystems left
// for them.
#pragma once

namespace vsm {

// Rebuilds optionsWindow and popupManager as new (no pictures, empty queue and events); start-up
// calls it once, tests between cases.
void ResetOverlaysGlobals();
// Points the ring of spells' popup event and the level's popup preparation at popupManager.
// Cannot fail.
void InstallOverlaySeams();

} // namespace vsm
