// RingGameSeams: the ring stage's side of the level sequence's hooks.
#include "ringgame/RingGameSeams.h"

#include "level/LevelSeams.h"
#include "ringgame/TRingGame.h"

namespace vsm {

void InstallRingGameSeams() {
    levelSeams.ringGameLoad = [](const std::string& name) { ringGame.Load(name); };
}

} // namespace vsm
