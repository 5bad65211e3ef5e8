// ModesSeams: what the endless and time-attack games ask of the title screen, which starts them
// and so sits above them; start-up fills the hook.
#pragma once

#include "services/TUnsetHooks.h"

#include <functional>

namespace vsm {

struct TModesSeams {
    // titleScreen.stopMusic(): stops and frees the title music once the game's level is loaded.
    std::function<void()> stopTitleMusic;

    // Calls stopTitleMusic; unset, prints one line the first time and the title music plays on.
    void StopTitleMusic();

    TUnsetHooks unset;
};

// The hook in force.
extern TModesSeams modesSeams;

} // namespace vsm
