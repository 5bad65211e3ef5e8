// ModesSeams: the mode loops' hooks and their defaults.
#include "modes/ModesSeams.h"

namespace vsm {

TModesSeams modesSeams;

void ResetModesSeams() {
    modesSeams = TModesSeams();
}

} // namespace vsm
