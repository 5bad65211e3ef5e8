// ProfileSeams: the calls the profile screen makes up into the program shell, with harmless
// defaults until the shell fills them at start-up.
#pragma once

#include <functional>

namespace vsm {

struct TProfileSeams {
    // Writes the options document, whose "lastProfile" names the current player. Default: nothing.
    std::function<void()> saveOptionsOnly = [] {};
};

// The hooks in force; ResetProfilesGlobals puts the defaults back.
extern TProfileSeams profileSeams;

} // namespace vsm
