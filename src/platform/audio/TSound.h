// TSound and TChannel: a sound kept as its compressed Ogg Vorbis bytes, and a playback channel.
#pragma once

#include "../Audio.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vsm {

// A loaded sound. The Ogg file stays compressed in memory; every voice that plays it decodes
// its own stream from these bytes, so a preloaded song costs its file size, not its PCM size.
class TSound {
  public:
    std::string path;           // the file it was loaded from (after FixPath)
    std::vector<uint8_t> bytes; // the whole Ogg Vorbis file
    int flags = 0;              // SOUND_LOOP
    int channels = 0;           // 1 or 2
    int rate = 0;               // samples per second
    double durationMs = 0;      // length of one pass
    bool Loops() const { return (flags & SOUND_LOOP) != 0; }
};

// A channel: one voice of the audio device that opened it. A channel of a device that has
// since been closed is inert (plays nothing, reports not playing).
class TChannel {
  public:
    TChannel(int voice, uint64_t device) : voice(voice), device(device) {}
    // A channel dropped while it still plays keeps playing to its end; its voice is recycled
    // by UpdateAudio afterwards.
    ~TChannel();
    TChannel(const TChannel&) = delete;
    TChannel& operator=(const TChannel&) = delete;
    int voice;
    uint64_t device; // serial of the device the voice belongs to
};

// Keeps streamed voices fed and recycles the voices of dropped channels that finished.
// The real backend calls it from Flip and PollSystem.
void UpdateAudio();
// Closes the audio device, if one is open, leaving every existing channel inert. Must run
// before the backend that opened the device is replaced (InstallBackend) or destroyed.
void CloseAudio();

} // namespace vsm
