// Placeholder audio objects until the OpenAL-backed ones land: every sound fails to load.
#include "platform/Audio.h"
#include "platform/audio/TSound.h"

namespace vsm {

std::vector<std::string> AudioDrivers() { return {"OpenAL", "FreeAudio"}; }
bool SetAudioDriver(const std::string& name) { return name == "FreeAudio"; }
std::string CurrentAudioDriver() { return "FreeAudio"; }
SoundPtr LoadSound(const std::string&, int) { return nullptr; }
ChannelPtr AllocChannel() { return nullptr; }
ChannelPtr CueSound(const SoundPtr&, const ChannelPtr&) { return nullptr; }
ChannelPtr PlaySound(const SoundPtr&, const ChannelPtr&) { return nullptr; }
void PauseChannel(const ChannelPtr&) {}
void ResumeChannel(const ChannelPtr&) {}
void StopChannel(const ChannelPtr&) {}
void SetChannelVolume(const ChannelPtr&, float) {}
int ChannelPlaying(const ChannelPtr&) { return 0; }
TChannel::~TChannel() = default;
void UpdateAudio() {}
void CloseAudio() {}

} // namespace vsm
