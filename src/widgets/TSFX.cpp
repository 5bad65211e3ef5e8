// TSFX: playing and stopping a container's sound effect.
#include "widgets/TSFX.h"

namespace vsm {

int TSFX::Play() {
    if (sound) channel = PlaySound(sound);
    return 0;
}

int TSFX::Stop() {
    if (channel) StopChannel(channel);
    return 0;
}

SFXPtr CreateSFX(const std::string& path, int loop) {
    auto sfx = std::make_shared<TSFX>();
    sfx->loop = loop;
    sfx->sound = LoadSound(path, loop);
    return sfx;
}

} // namespace vsm
