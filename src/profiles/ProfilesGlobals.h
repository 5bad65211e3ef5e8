// ProfilesGlobals: creation of every global of the profiles subsystem, for start-up and tests.
#pragma once

namespace vsm {

// Rebuilds the profiles subsystem's globals in their start-up state: an empty profile store
// over no folder, with no selection, an empty hiscore table over no document, a profile screen not
// loaded yet and the default profile seams.
void ResetProfilesGlobals();

} // namespace vsm
