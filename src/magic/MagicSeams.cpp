// MagicSeams: the hooks the magic subsystem leaves for later subsystems, and the installation of
// its own side of the board's and the level's hooks.
#include "magic/MagicSeams.h"

#include "magic/TBunusManagerA.h"
#include "magic/TMagicSphere.h"

namespace vsm {

TMagicSeams magicSeams;

void InstallMagicSeams() {
    InstallSphereSeams();
    InstallBonusSeams();
}

} // namespace vsm
