// Audio: sounds, channels and driver selection over the installed backend's audio device.
#include "../Audio.h"

#include "../Backend.h"
#include "../Files.h"
#include "SoundDecoder.h"
#include "TSound.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace vsm {

namespace {

struct AudioGlobals {
    std::unique_ptr<AudioDevice> device;
    std::string driver;
    uint64_t serial = 0; // serial of the open device; 0 while none is open
    uint64_t lastSerial = 0;
    std::vector<int> orphans; // voices of dropped channels that were still playing
    ~AudioGlobals();
};

// Set once the globals are gone, so channels destroyed later at exit leave them alone.
constinit bool gAudioGone = false;

AudioGlobals::~AudioGlobals() {
    orphans.clear();
    device.reset();
    gAudioGone = true;
}

AudioGlobals& G() {
    static AudioGlobals g;
    return g;
}

// Closes the open device first: two OpenAL contexts must not overlap (closing one would leave
// no context current).
bool OpenDriver(const std::string& name) {
    CloseAudio();
    std::unique_ptr<AudioDevice> device = CurrentBackend().OpenAudio(name);
    if (!device) return false;
    AudioGlobals& g = G();
    g.device = std::move(device);
    g.driver = name;
    g.serial = ++g.lastSerial;
    return true;
}

// The open device, opening the default driver (OpenAL, else the silent one) when none is.
AudioDevice* Device() {
    AudioGlobals& g = G();
    if (!g.device && !OpenDriver("OpenAL")) OpenDriver("FreeAudio");
    return g.device.get();
}

// Gives the channel a voice on the open device; false when the device has no voice left.
bool Bind(TChannel& channel) {
    AudioDevice* device = Device();
    if (!device) return false;
    if (channel.device == G().serial && channel.voice >= 0) return true;
    channel.voice = device->CreateVoice();
    channel.device = channel.voice >= 0 ? G().serial : 0;
    return channel.voice >= 0;
}

// The channel's device when the channel belongs to the open one, else null.
AudioDevice* Live(const ChannelPtr& channel) {
    AudioGlobals& g = G();
    if (!channel || !g.device || channel->device != g.serial || channel->voice < 0) return nullptr;
    return g.device.get();
}

ChannelPtr StartOn(const SoundPtr& sound, const ChannelPtr& channel, bool paused) {
    if (!sound) return nullptr;
    ChannelPtr ch = channel ? channel : AllocChannel();
    if (!ch || !Bind(*ch)) return nullptr;
    G().device->Start(ch->voice, sound, paused);
    return ch;
}

} // namespace

TChannel::~TChannel() {
    if (gAudioGone) return;
    AudioGlobals& g = G();
    if (!g.device || device != g.serial || voice < 0) return;
    if (g.device->Playing(voice))
        g.orphans.push_back(voice);
    else
        g.device->DestroyVoice(voice);
}

void UpdateAudio() {
    AudioGlobals& g = G();
    if (!g.device) return;
    g.device->Update();
    auto finished = [&](int voice) {
        if (g.device->Playing(voice)) return false;
        g.device->DestroyVoice(voice);
        return true;
    };
    g.orphans.erase(std::remove_if(g.orphans.begin(), g.orphans.end(), finished), g.orphans.end());
}

void CloseAudio() {
    AudioGlobals& g = G();
    g.orphans.clear();
    g.device.reset();
    g.driver.clear();
    g.serial = 0;
}

std::vector<std::string> AudioDrivers() {
    return {"OpenAL", "FreeAudio"};
}

bool SetAudioDriver(const std::string& name) {
    std::string wanted;
    for (const std::string& d : AudioDrivers()) {
        if (d.size() == name.size() && std::equal(d.begin(), d.end(), name.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            }))
            wanted = d;
    }
    if (wanted.empty()) return false;
    if (G().device && G().driver == wanted) return true;
    return OpenDriver(wanted);
}

std::string CurrentAudioDriver() {
    return G().driver;
}

SoundPtr LoadSound(const std::string& path, int flags) {
    std::string fixed = FixPath(path);
    std::optional<std::vector<uint8_t>> bytes = LoadFileBytes(fixed, MAX_SOUND_BYTES);
    if (!bytes) return nullptr;
    auto sound = std::make_shared<TSound>();
    sound->bytes = std::move(*bytes);
    OggInfo info;
    if (!ProbeOgg(sound->bytes, info)) return nullptr;
    sound->path = fixed;
    sound->flags = flags;
    sound->channels = info.channels;
    sound->rate = info.rate;
    sound->durationMs = info.durationMs;
    if (AudioDevice* device = Device()) device->SoundLoaded(*sound);
    return sound;
}

ChannelPtr AllocChannel() {
    auto channel = std::make_shared<TChannel>(-1, 0);
    if (!Bind(*channel)) return nullptr;
    return channel;
}

ChannelPtr CueSound(const SoundPtr& sound, const ChannelPtr& channel) {
    return StartOn(sound, channel, true);
}

ChannelPtr PlaySound(const SoundPtr& sound, const ChannelPtr& channel) {
    return StartOn(sound, channel, false);
}

void PauseChannel(const ChannelPtr& channel) {
    if (AudioDevice* d = Live(channel)) d->Pause(channel->voice);
}

void ResumeChannel(const ChannelPtr& channel) {
    if (AudioDevice* d = Live(channel)) d->Resume(channel->voice);
}

void StopChannel(const ChannelPtr& channel) {
    if (AudioDevice* d = Live(channel)) d->Stop(channel->voice);
}

void SetChannelVolume(const ChannelPtr& channel, float volume) {
    if (!(volume >= 0)) volume = 0; // also NaN
    if (AudioDevice* d = Live(channel)) d->SetVolume(channel->voice, std::min(volume, 1.0f));
}

int ChannelPlaying(const ChannelPtr& channel) {
    AudioDevice* d = Live(channel);
    return d && d->Playing(channel->voice) ? 1 : 0;
}

} // namespace vsm
