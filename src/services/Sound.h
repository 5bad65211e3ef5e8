// Sound: effects on seven rotating channels and music channels, scaled by the user's levels.
#pragma once

#include "platform/Audio.h"

#include <array>

namespace vsm {

constexpr int SOUND_CHANNELS = 7;

// The rotating effect channels; an entry gets a channel the first time it is needed.
extern std::array<ChannelPtr, SOUND_CHANNELS> channels;
// Index of the next rotating channel, 0..6.
extern int chnNo;
// The sound each rotating channel was last given by playSound2 (null before any).
extern std::array<SoundPtr, SOUND_CHANNELS> channelSounds;

// Plays an effect at options.soundVol x volume / 10. With no channel: on the next rotating
// channel, returning it (null, and no rotation, when the sound is null or the level is 0).
// With a channel: returns it untouched when it plays and restart is 0, else replays the sound on
// it and returns the channel the audio layer used (the given one, paused, when nothing plays).
ChannelPtr playSound2(const SoundPtr& sound, const ChannelPtr& channel = nullptr, int restart = 0,
                      float volume = 1.0f);
// Pauses the channel (it keeps its sound); null does nothing.
void stopSound(const ChannelPtr& channel);
// Pauses the channel only while it still holds the sound: a rotating channel that playSound2 has
// since given another sound is left playing, so a handle kept from an earlier effect never
// silences whatever took its channel. Null does nothing.
void stopSound(const ChannelPtr& channel, const SoundPtr& sound);
// Stops the given channel when it plays, then starts the sound on a new channel at
// options.musicVol / 10 x volume; returns that channel, null when nothing plays.
ChannelPtr playMusic(const SoundPtr& sound, const ChannelPtr& channel, float volume);

} // namespace vsm
