// ProfilesGlobals: creation of every global of the profiles subsystem, for start-up and tests.
#pragma once

namespace vsm {

// Rebuilds the profiles subsystem's globals in their start-up state: an empty profile store
// over no folder, with no selection, and an empty hiscore table over no document.
void ResetProfilesGlobals();

} // namespace vsm
