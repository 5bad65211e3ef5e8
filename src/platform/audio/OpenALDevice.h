// OpenALDevice: the "OpenAL" audio driver; each voice is a source fed by a few streaming buffers.
#pragma once

#include "../Backend.h"

#include <map>
#include <memory>

namespace vsm {

class OpenALDevice : public AudioDevice {
  public:
    // Opens the default OpenAL device; null when none opens (no sound card, no server).
    static std::unique_ptr<OpenALDevice> Open();
    ~OpenALDevice() override;

    std::string Name() const override { return "OpenAL"; }
    // Returns -1 when OpenAL has no source left.
    int CreateVoice() override;
    void DestroyVoice(int voice) override;
    void Start(int voice, const std::shared_ptr<TSound>& sound, bool paused) override;
    void Pause(int voice) override;
    void Resume(int voice) override;
    void Stop(int voice) override;
    void SetVolume(int voice, float gain) override;
    bool Playing(int voice) override;
    // Refills the buffers each voice has played and restarts a voice that ran dry between
    // updates (a long frame) while it still has sound to play.
    void Update() override;

  private:
    struct Voice;
    struct Handles;
    OpenALDevice();
    Voice* Find(int voice);
    void Refill(Voice& v);
    void Detach(Voice& v);

    std::unique_ptr<Handles> al_;
    std::map<int, std::unique_ptr<Voice>> voices_;
    int nextVoice_ = 1;
};

} // namespace vsm
