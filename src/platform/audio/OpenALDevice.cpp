// OpenALDevice: OpenAL Soft output with per-voice streaming decode from compressed sounds.
#include "OpenALDevice.h"

#include "SoundDecoder.h"
#include "TSound.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace vsm {

namespace {

// Four buffers of 8192 sample frames keep about 0.7 s queued at 44.1 kHz, enough to ride out
// frames that take far longer than a 60th of a second.
constexpr int kBuffers = 4;
constexpr int kFramesPerBuffer = 8192;

enum class VoiceState { Idle, Cued, Playing, Paused, Stopped };

} // namespace

struct OpenALDevice::Handles {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
};

struct OpenALDevice::Voice {
    ALuint source = 0;
    ALuint buffers[kBuffers] = {};
    std::vector<ALuint> freeBuffers; // buffers not queued on the source
    std::unique_ptr<SoundDecoder> decoder;
    bool loop = false;
    bool ended = false; // the decoder has nothing more to give
    VoiceState state = VoiceState::Idle;
};

OpenALDevice::OpenALDevice() : al_(std::make_unique<Handles>()) {}

std::unique_ptr<OpenALDevice> OpenALDevice::Open() {
    ALCdevice* device = alcOpenDevice(nullptr);
    if (!device) return nullptr;
    ALCcontext* context = alcCreateContext(device, nullptr);
    if (!context || !alcMakeContextCurrent(context)) {
        if (context) alcDestroyContext(context);
        alcCloseDevice(device);
        return nullptr;
    }
    std::unique_ptr<OpenALDevice> d(new OpenALDevice());
    d->al_->device = device;
    d->al_->context = context;
    return d;
}

OpenALDevice::~OpenALDevice() {
    alcMakeContextCurrent(al_->context);
    for (auto& [id, v] : voices_) {
        alSourceStop(v->source);
        alSourcei(v->source, AL_BUFFER, 0);
        alDeleteSources(1, &v->source);
        alDeleteBuffers(kBuffers, v->buffers);
    }
    voices_.clear();
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(al_->context);
    alcCloseDevice(al_->device);
}

OpenALDevice::Voice* OpenALDevice::Find(int voice) {
    auto it = voices_.find(voice);
    return it == voices_.end() ? nullptr : it->second.get();
}

int OpenALDevice::CreateVoice() {
    auto v = std::make_unique<Voice>();
    alGetError();
    alGenSources(1, &v->source);
    if (alGetError() != AL_NO_ERROR) return -1;
    alGenBuffers(kBuffers, v->buffers);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteSources(1, &v->source);
        return -1;
    }
    // Plain stereo playback: the listener sits on the source.
    alSourcei(v->source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(v->source, AL_POSITION, 0, 0, 0);
    alSourcef(v->source, AL_ROLLOFF_FACTOR, 0);
    v->freeBuffers.assign(v->buffers, v->buffers + kBuffers);
    int id = nextVoice_++;
    voices_[id] = std::move(v);
    return id;
}

void OpenALDevice::DestroyVoice(int voice) {
    Voice* v = Find(voice);
    if (!v) return;
    Detach(*v);
    alDeleteSources(1, &v->source);
    alDeleteBuffers(kBuffers, v->buffers);
    voices_.erase(voice);
}

// Stops the source and takes every buffer back from it.
void OpenALDevice::Detach(Voice& v) {
    alSourceStop(v.source);
    alSourcei(v.source, AL_BUFFER, 0);
    v.freeBuffers.assign(v.buffers, v.buffers + kBuffers);
    v.decoder.reset();
    v.ended = true;
}

void OpenALDevice::Refill(Voice& v) {
    ALint processed = 0;
    alGetSourcei(v.source, AL_BUFFERS_PROCESSED, &processed);
    while (processed-- > 0) {
        ALuint b = 0;
        alSourceUnqueueBuffers(v.source, 1, &b);
        v.freeBuffers.push_back(b);
    }
    if (!v.decoder) return;
    int frameBytes = 2 * v.decoder->Channels();
    ALenum format = v.decoder->Channels() == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
    std::vector<char> pcm(static_cast<size_t>(kFramesPerBuffer * frameBytes));
    while (!v.ended && !v.freeBuffers.empty()) {
        int n = v.decoder->Read(pcm.data(), static_cast<int>(pcm.size()), v.loop);
        n -= n % frameBytes;
        if (n < static_cast<int>(pcm.size())) v.ended = true;
        if (n <= 0) break;
        ALuint b = v.freeBuffers.back();
        v.freeBuffers.pop_back();
        alBufferData(b, format, pcm.data(), n, v.decoder->Rate());
        alSourceQueueBuffers(v.source, 1, &b);
    }
}

void OpenALDevice::Start(int voice, const std::shared_ptr<TSound>& sound, bool paused) {
    Voice* v = Find(voice);
    if (!v) return;
    Detach(*v);
    v->state = VoiceState::Stopped;
    if (!sound) return;
    v->decoder = std::make_unique<SoundDecoder>(sound);
    if (!v->decoder->Ok()) {
        v->decoder.reset();
        return;
    }
    v->loop = sound->Loops();
    v->ended = false;
    Refill(*v);
    if (paused) {
        v->state = VoiceState::Cued;
    } else {
        alSourcePlay(v->source);
        v->state = VoiceState::Playing;
    }
}

void OpenALDevice::Pause(int voice) {
    Voice* v = Find(voice);
    if (!v || v->state != VoiceState::Playing) return;
    alSourcePause(v->source);
    v->state = VoiceState::Paused;
}

void OpenALDevice::Resume(int voice) {
    Voice* v = Find(voice);
    if (!v || (v->state != VoiceState::Paused && v->state != VoiceState::Cued)) return;
    alSourcePlay(v->source);
    v->state = VoiceState::Playing;
}

void OpenALDevice::Stop(int voice) {
    Voice* v = Find(voice);
    if (!v) return;
    Detach(*v);
    v->state = VoiceState::Stopped;
}

void OpenALDevice::SetVolume(int voice, float gain) {
    Voice* v = Find(voice);
    if (!v) return;
    if (!(gain >= 0)) gain = 0; // also NaN
    alSourcef(v->source, AL_GAIN, std::min(gain, 1.0f));
}

bool OpenALDevice::Playing(int voice) {
    Voice* v = Find(voice);
    if (!v || v->state != VoiceState::Playing) return false;
    ALint state = AL_STOPPED;
    alGetSourcei(v->source, AL_SOURCE_STATE, &state);
    if (state == AL_STOPPED && v->ended) {
        ALint queued = 0, processed = 0;
        alGetSourcei(v->source, AL_BUFFERS_QUEUED, &queued);
        alGetSourcei(v->source, AL_BUFFERS_PROCESSED, &processed);
        if (processed >= queued) {
            v->state = VoiceState::Stopped;
            return false;
        }
    }
    return true;
}

void OpenALDevice::Update() {
    for (auto& [id, v] : voices_) {
        if (v->state != VoiceState::Playing) continue;
        Refill(*v);
        ALint state = AL_STOPPED, queued = 0;
        alGetSourcei(v->source, AL_SOURCE_STATE, &state);
        alGetSourcei(v->source, AL_BUFFERS_QUEUED, &queued);
        if (state == AL_STOPPED && queued > 0)
            alSourcePlay(v->source);
        else if (state == AL_STOPPED && v->ended)
            v->state = VoiceState::Stopped;
    }
}

} // namespace vsm
