// TGlobalSnd: the bank of the 13 interface and voice sounds (global globalSnd).
#pragma once

#include "platform/Audio.h"

#include <array>

namespace vsm {

constexpr int GLOBAL_SOUNDS = 13;

// The interface and voice sounds shared by every screen.
class TGlobalSnd {
  public:
    std::array<SoundPtr, GLOBAL_SOUNDS> sfx; // a slot that failed to load stays null

    // Loads the 13 sounds from bDir; a file that fails leaves its slot empty.
    void Load();
    // Plays sound i through playSound2; an empty slot or an index outside 0..12 plays nothing.
    void play(int i);
    // Plays sound 6 with the sound level cut to 30 % (whole steps) for this one call.
    void click();
    // Plays sound 7.
    void over();
};
extern TGlobalSnd globalSnd;

} // namespace vsm
