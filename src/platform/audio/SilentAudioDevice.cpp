// SilentAudioDevice: keeps time for voices that are never heard.
#include "SilentAudioDevice.h"

#include "../System.h"
#include "TSound.h"

#include <algorithm>

namespace vsm {

SilentAudioDevice::SilentAudioDevice(std::function<int64_t()> clock) : clock_(std::move(clock)) {
    if (!clock_) clock_ = [] { return MilliSecs64(); };
}

int SilentAudioDevice::CreateVoice() {
    int id = nextVoice_++;
    voices_[id] = Voice{};
    return id;
}

void SilentAudioDevice::DestroyVoice(int voice) {
    voices_.erase(voice);
}

void SilentAudioDevice::Start(int voice, const std::shared_ptr<TSound>& sound, bool paused) {
    auto it = voices_.find(voice);
    if (it == voices_.end()) return;
    Voice& v = it->second;
    float gain = v.gain;
    v = Voice{};
    v.gain = gain;
    if (!sound) return;
    v.durationMs = sound->durationMs;
    v.loop = sound->Loops();
    v.started = true;
    v.paused = paused;
    v.resumedAt = clock_();
}

void SilentAudioDevice::Pause(int voice) {
    auto it = voices_.find(voice);
    if (it == voices_.end() || !it->second.started || it->second.paused) return;
    Voice& v = it->second;
    v.playedMs += static_cast<double>(clock_() - v.resumedAt);
    v.paused = true;
}

void SilentAudioDevice::Resume(int voice) {
    auto it = voices_.find(voice);
    if (it == voices_.end() || !it->second.started || !it->second.paused) return;
    it->second.paused = false;
    it->second.resumedAt = clock_();
}

void SilentAudioDevice::Stop(int voice) {
    auto it = voices_.find(voice);
    if (it == voices_.end()) return;
    it->second.started = false;
}

void SilentAudioDevice::SetVolume(int voice, float gain) {
    auto it = voices_.find(voice);
    if (it == voices_.end()) return;
    it->second.gain = gain >= 0 ? std::min(gain, 1.0f) : 0.0f;
}

bool SilentAudioDevice::Playing(int voice) {
    auto it = voices_.find(voice);
    if (it == voices_.end()) return false;
    Voice& v = it->second;
    if (!v.started || v.paused) return false;
    if (v.loop) return true;
    double played = v.playedMs + static_cast<double>(clock_() - v.resumedAt);
    if (played < v.durationMs) return true;
    v.started = false; // finished: a later Resume does not bring it back
    return false;
}

float SilentAudioDevice::Volume(int voice) const {
    auto it = voices_.find(voice);
    return it == voices_.end() ? -1.0f : it->second.gain;
}

} // namespace vsm
