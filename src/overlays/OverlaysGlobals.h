// OverlaysGlobals: creating the overlays' globals.
#pragma once

namespace vsm {

// Rebuilds optionsWindow and popupManager as new (no pictures, empty queue and events); start-up
// calls it once, tests between cases.
void ResetOverlaysGlobals();

} // namespace vsm
