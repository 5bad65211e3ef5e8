// ModesSeams: the mode loops' hook into the title screen and its unset answer.
#include "modes/ModesSeams.h"

namespace vsm {

TModesSeams modesSeams;

void TModesSeams::StopTitleMusic() {
    if (stopTitleMusic)
        stopTitleMusic();
    else
        unset.Report("title music stop", "the title music plays on");
}

} // namespace vsm
