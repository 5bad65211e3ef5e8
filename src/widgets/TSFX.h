// TSFX: a sound effect the resource container can hold, played on a fresh channel.
#pragma once

#include "platform/Audio.h"
#include "widgets/TObject.h"

#include <memory>
#include <string>

namespace vsm {

class TSFX;
using SFXPtr = std::shared_ptr<TSFX>;

// A loaded sound that remembers the channel of its last Play so Stop can end it.
class TSFX : public TObject {
  public:
    SoundPtr sound;
    ChannelPtr channel;
    int loop = 0;

    // Starts the sound on a fresh channel and keeps it; a sound that failed to load plays
    // nothing. Returns 0.
    virtual int Play();
    // Stops the kept channel, if any. Returns 0.
    virtual int Stop();
};

// Returns a new effect holding the sound loaded from the path with `loop` as its load flags;
// its sound is null when the file cannot be loaded.
SFXPtr CreateSFX(const std::string& path, int loop);

} // namespace vsm
