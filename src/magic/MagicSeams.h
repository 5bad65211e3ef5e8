// MagicSeams: what the magic subsystem asks of later subsystems; they fill the hooks when they
// are created, and an unset hook does nothing.
#pragma once

#include <functional>

namespace vsm {

struct TMagicSeams {
    // TRingEmiter.Create(x, y, range, r, g, b, minScale, maxScale, sparkType): the ring of sparks
    // of a ball that fills. Unset: no ring.
    std::function<void(int x, int y, float range, int r, int g, int b, float minScale, float maxScale,
                       int sparkType)>
        ringEmiterCreate;
};

// The hooks in force; the magic resets leave them untouched.
extern TMagicSeams magicSeams;

// Points the board's and the level's hooks at magicSphere and bonusManagerAlt; start-up calls it
// once after creating them. Cannot fail.
void InstallMagicSeams();

} // namespace vsm
