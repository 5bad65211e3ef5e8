// Sound: effects on seven rotating channels and music channels, scaled by the user's levels.
#include "services/Sound.h"

#include "services/OptionsSeam.h"

namespace vsm {

std::array<ChannelPtr, SOUND_CHANNELS> channels;
int chnNo = 0;
std::array<SoundPtr, SOUND_CHANNELS> channelSounds;

namespace {

// Notes the sound a rotating channel was given; other channels are not followed.
void NoteChannelSound(const ChannelPtr& channel, const SoundPtr& sound) {
    for (int i = 0; i < SOUND_CHANNELS; ++i)
        if (channel && channels[i] == channel) channelSounds[i] = sound;
}

} // namespace

ChannelPtr playSound2(const SoundPtr& sound, const ChannelPtr& channel, int restart, float volume) {
    // chnNo is a shared global; keep it a valid index whatever was written into it.
    chnNo = ((chnNo % SOUND_CHANNELS) + SOUND_CHANNELS) % SOUND_CHANNELS;
    if (!channels[chnNo]) channels[chnNo] = AllocChannel();

    const int level = options.soundVol;
    if (channel) {
        if (ChannelPlaying(channel) && restart == 0) return channel;
        PauseChannel(channel);
        if (!sound || level <= 0) return channel;
        ChannelPtr used = CueSound(sound, channel);
        NoteChannelSound(used, sound);
        if (used) {
            SetChannelVolume(used, static_cast<float>(level) * volume / 10.0f);
            ResumeChannel(used);
        }
        return used;
    }

    if (!sound || level <= 0) return nullptr;
    // Whatever the rotating channel still played is cut off.
    ChannelPtr used = CueSound(sound, channels[chnNo]);
    channelSounds[chnNo] = sound;
    if (used) {
        SetChannelVolume(used, static_cast<float>(level) * volume / 10.0f);
        ResumeChannel(used);
    }
    chnNo = (chnNo + 1) % SOUND_CHANNELS;
    return used;
}

void stopSound(const ChannelPtr& channel, const SoundPtr& sound) {
    for (int i = 0; i < SOUND_CHANNELS; ++i)
        if (channel && channels[i] == channel && channelSounds[i] != sound) return;
    stopSound(channel);
}

void stopSound(const ChannelPtr& channel) {
    if (channel) PauseChannel(channel);
}

ChannelPtr playMusic(const SoundPtr& sound, const ChannelPtr& channel, float volume) {
    if (channel && ChannelPlaying(channel)) StopChannel(channel);
    const float level = static_cast<float>(options.musicVol) / 10.0f;
    if (!sound || !(static_cast<float>(options.musicVol) * volume > 0)) return nullptr;
    ChannelPtr used = CueSound(sound, nullptr);
    if (used) {
        SetChannelVolume(used, level * volume);
        ResumeChannel(used);
    }
    return used;
}

} // namespace vsm
