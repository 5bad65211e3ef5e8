// ProfilesGlobals: creation of every global of the profiles subsystem, for start-up and tests.
#include "profiles/ProfilesGlobals.h"

#include "profiles/THiscores.h"
#include "profiles/TProfileLoader.h"
#include "profiles/TProfileManager.h"

namespace vsm {

void ResetProfilesGlobals() {
    profile = TProfileManager();
    hiscore = THiscores();
    profileLoader = TProfileLoader();
}

} // namespace vsm
