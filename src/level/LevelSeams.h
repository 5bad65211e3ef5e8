// LevelSeams: what the level asks of the magic sphere, which sits above it and reads the level's
// document and state; start-up fills the hooks.
#pragma once

#include "services/TUnsetHooks.h"

#include <functional>
#include <memory>

namespace vsm {

class TTSCFile;

struct TLevelSeams {
    // magicSphere.Load(document): the sphere reads its colours and capacities.
    std::function<void(const std::shared_ptr<TTSCFile>&)> sphereLoad;
    // magicSphere.IsFull(): 1 when every coloured ball holds its capacity.
    std::function<int()> sphereIsFull;

    // Callers of the hooks. Unset, each prints one line the first time it is used and answers as
    // written.
    // Calls sphereLoad(doc); unset: the sphere keeps what it held.
    void SphereLoad(const std::shared_ptr<TTSCFile>& doc);
    // Returns sphereIsFull(); unset: 0 (a goal-1 level can then never be won).
    int SphereIsFull();

    TUnsetHooks unset;
};

// The hooks in force; ResetLevelGlobals leaves them untouched.
extern TLevelSeams levelSeams;

} // namespace vsm
