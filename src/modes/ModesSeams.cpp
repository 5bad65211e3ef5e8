// ModesSeams: the mode loops' hooks and their defaults.
#include "modes/ModesSeams.h"

#include "ringgame/TRingGame.h"

namespace vsm {

TModesSeams::TModesSeams() : copySpells([] { ringGame.CopySpells(); }) {}

TModesSeams modesSeams;

void ResetModesSeams() {
    modesSeams = TModesSeams();
}

} // namespace vsm
