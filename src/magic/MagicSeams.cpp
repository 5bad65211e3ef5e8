// MagicSeams: the installation of the magic subsystem's side of the board's and the level's hooks.
#include "magic/MagicSeams.h"

#include "magic/TBunusManagerA.h"
#include "magic/TMagicSphere.h"

namespace vsm {

void InstallMagicSeams() {
    InstallSphereSeams();
    InstallBonusSeams();
}

} // namespace vsm
