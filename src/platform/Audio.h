// Audio: sounds, channels and the output driver. Silent when no device opens.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace vsm {

class TSound;
class TChannel;
using SoundPtr = std::shared_ptr<TSound>;
using ChannelPtr = std::shared_ptr<TChannel>;

constexpr int SOUND_LOOP = 1;

// Names of the drivers offered: "OpenAL" and "FreeAudio" (the silent software fallback).
std::vector<std::string> AudioDrivers();
// Selects the driver; "OpenAL" fails (false) when no device opens; the fallback always works.
bool SetAudioDriver(const std::string& name);
std::string CurrentAudioDriver();

// Loads an Ogg Vorbis file (kept compressed, decoded while it plays); null on failure, also for
// anything but a regular file of at most MAX_SOUND_BYTES (one printed line).
// flags: SOUND_LOOP to loop.
SoundPtr LoadSound(const std::string& path, int flags = 0);
ChannelPtr AllocChannel();
// Puts the sound on the channel (a new one when null) paused; returns the channel.
ChannelPtr CueSound(const SoundPtr& sound, const ChannelPtr& channel = nullptr);
// Starts the sound on the channel (a new one when null); returns the channel. Null sound: null.
ChannelPtr PlaySound(const SoundPtr& sound, const ChannelPtr& channel = nullptr);
void PauseChannel(const ChannelPtr& channel);
void ResumeChannel(const ChannelPtr& channel);
void StopChannel(const ChannelPtr& channel);
// Linear gain, clamped to 0..1 at the device.
void SetChannelVolume(const ChannelPtr& channel, float volume);
// 1 while the channel plays (not paused, not finished).
int ChannelPlaying(const ChannelPtr& channel);

} // namespace vsm
