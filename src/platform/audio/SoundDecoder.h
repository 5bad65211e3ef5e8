// SoundDecoder: streams 16-bit PCM out of an Ogg Vorbis file held in memory.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace vsm {

class TSound;

// Stream facts of an Ogg Vorbis file in memory.
struct OggInfo {
    int channels = 0;
    int rate = 0;
    double durationMs = 0;
};

// Fills info from the bytes; false when they are not a playable Ogg Vorbis stream (only mono and
// stereo are played).
bool ProbeOgg(const std::vector<uint8_t>& bytes, OggInfo& info);

// One decoding pass over a sound's bytes; each playing voice owns one. Keeps the sound alive.
class SoundDecoder {
  public:
    // Opens the stream; Ok() tells whether it could be decoded.
    explicit SoundDecoder(std::shared_ptr<const TSound> sound);
    ~SoundDecoder();
    SoundDecoder(const SoundDecoder&) = delete;
    SoundDecoder& operator=(const SoundDecoder&) = delete;

    bool Ok() const;
    int Channels() const;
    int Rate() const;
    // Decodes up to maxBytes of interleaved signed 16-bit little-endian samples into out,
    // going back to the start at the end when loop is set. Returns the bytes written; fewer
    // than asked only at the end of a non-looping sound or on a decoding error.
    int Read(char* out, int maxBytes, bool loop);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace vsm
