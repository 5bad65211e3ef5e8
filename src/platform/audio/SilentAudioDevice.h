// SilentAudioDevice: the "FreeAudio" driver, which plays nothing but keeps channel state truthful.
#pragma once

#include "../Backend.h"

#include <cstdint>
#include <functional>
#include <map>

namespace vsm {

class SilentAudioDevice : public AudioDevice {
  public:
    // clock gives milliseconds; by default the platform clock (MilliSecs64).
    explicit SilentAudioDevice(std::function<int64_t()> clock = nullptr);

    std::string Name() const override { return "FreeAudio"; }
    int CreateVoice() override;
    void DestroyVoice(int voice) override;
    void Start(int voice, const std::shared_ptr<TSound>& sound, bool paused) override;
    void Pause(int voice) override;
    void Resume(int voice) override;
    void Stop(int voice) override;
    void SetVolume(int voice, float gain) override;
    // A non-looping sound stops playing once its duration has passed on the clock while unpaused.
    bool Playing(int voice) override;
    // The gain a voice was last given, clamped to 0..1; -1 for an unknown voice.
    float Volume(int voice) const;

  private:
    struct Voice {
        double durationMs = 0;
        bool loop = false;
        bool started = false;
        bool paused = false;
        int64_t resumedAt = 0; // clock when the current unpaused stretch began
        double playedMs = 0;   // time played before that stretch
        float gain = 1;
    };
    std::function<int64_t()> clock_;
    std::map<int, Voice> voices_;
    int nextVoice_ = 1;
};

} // namespace vsm
