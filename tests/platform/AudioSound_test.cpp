// OpenAL output: clips played through OpenAL Soft's wave-file writer, and running with no device.
// Each case runs in a fresh child process, since OpenAL Soft reads its configuration only once.
#include "OggClip.h"
#include "platform/Headless.h"
#include "platform/Platform.h"
#include "platform/audio/TSound.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

namespace vsm {
namespace {

using Clock = std::chrono::steady_clock;

// Samples of a wave file as floats in -1..1, interleaved; empty when it cannot be read.
struct Wave {
    int channels = 0;
    int rate = 0;
    std::vector<float> samples;
};

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; i--)
        v = (v << 8) | b[at + static_cast<size_t>(i)];
    return v;
}

Wave ReadWave(const std::string& path) {
    Wave w;
    std::ifstream f(path, std::ios::binary);
    std::vector<uint8_t> b((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVE", 4) != 0)
        return w;
    int format = 0, bits = 0;
    for (size_t at = 12; at + 8 <= b.size();) {
        uint32_t size = Le(b, at + 4, 4);
        size_t body = at + 8;
        if (std::memcmp(b.data() + at, "fmt ", 4) == 0 && body + 16 <= b.size()) {
            format = static_cast<int>(Le(b, body, 2));
            w.channels = static_cast<int>(Le(b, body + 2, 2));
            w.rate = static_cast<int>(Le(b, body + 4, 4));
            bits = static_cast<int>(Le(b, body + 14, 2));
            if (format == 0xFFFE && body + 26 <= b.size()) format = static_cast<int>(Le(b, body + 24, 2));
        } else if (std::memcmp(b.data() + at, "data", 4) == 0) {
            // A writer that was not closed leaves the size unset: take the rest of the file.
            size_t end = (size == 0 || body + size > b.size()) ? b.size() : body + size;
            for (size_t p = body; p + static_cast<size_t>(bits / 8) <= end;
                 p += static_cast<size_t>(bits / 8)) {
                if (format == 1 && bits == 16) {
                    w.samples.push_back(static_cast<float>(static_cast<int16_t>(Le(b, p, 2))) / 32768.0f);
                } else if (format == 3 && bits == 32) {
                    uint32_t u = Le(b, p, 4);
                    float v;
                    std::memcpy(&v, &u, 4);
                    w.samples.push_back(v);
                } else if (format == 1 && bits == 8) {
                    w.samples.push_back((static_cast<float>(b[p]) - 128.0f) / 128.0f);
                }
            }
            break;
        }
        at = body + size + (size & 1);
    }
    return w;
}

// Seconds of output whose samples are clearly above silence (a 0.5 sine is mostly above 0.1).
double LoudSeconds(const Wave& w) {
    if (w.channels <= 0 || w.rate <= 0) return 0;
    size_t loud = 0;
    for (size_t i = 0; i + static_cast<size_t>(w.channels) <= w.samples.size();
         i += static_cast<size_t>(w.channels))
        if (std::fabs(w.samples[i]) > 0.1f) loud++;
    return static_cast<double>(loud) / w.rate;
}

// Calls UpdateAudio, as the game's frames do, for the given time.
void PumpFor(double seconds) {
    Clock::time_point end =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    while (Clock::now() < end) {
        UpdateAudio();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// Points OpenAL Soft at its wave writer in a scratch folder; returns the wave file's path.
std::string UseWaveWriter(const std::string& dir) {
    std::string wav = dir + "/out.wav", conf = dir + "/alsoft.conf";
    std::ofstream(conf) << "[general]\ndrivers=wave\n[wave]\nfile=" << wav << "\n";
    setenv("ALSOFT_CONF", conf.c_str(), 1);
    setenv("ALSOFT_DRIVERS", "wave", 1);
    return wav;
}

int Fail(const char* why) {
    std::fprintf(stderr, "%s\n", why);
    return 1;
}

// Plays a 2 s clip, longer than the voice's buffers hold, on a channel nobody keeps.
int StreamedClipReachesTheWaveFile() {
    std::string dir = test::ScratchDir("wave-stream");
    std::string wav = UseWaveWriter(dir);
    UseRealBackend();
    if (!SetAudioDriver("OpenAL")) return Fail("the wave writer did not open");
    if (!test::WriteBytes(dir + "/tone.ogg", test::EncodeOggTone(2.0, 44100, 2))) return Fail("no clip");
    SoundPtr s = LoadSound(dir + "/tone.ogg");
    if (!s) return Fail("the clip did not load");
    PlaySound(s); // the channel is dropped at once: the sound must still play to its end
    PumpFor(2.6);
    CloseAudio();
    double loud = LoudSeconds(ReadWave(wav));
    std::fprintf(stderr, "loud seconds: %.2f\n", loud);
    return loud > 1.5 && loud < 2.2 ? 0 : Fail("the wave file does not hold the whole clip once");
}

// A looping 0.3 s clip plays on past its length until stopped; a paused one is silent.
int LoopingClipKeepsPlaying() {
    std::string dir = test::ScratchDir("wave-loop");
    std::string wav = UseWaveWriter(dir);
    UseRealBackend();
    if (!SetAudioDriver("OpenAL")) return Fail("the wave writer did not open");
    if (!test::WriteBytes(dir + "/tone.ogg", test::EncodeOggTone(0.3))) return Fail("no clip");
    SoundPtr s = LoadSound(dir + "/tone.ogg", SOUND_LOOP);
    if (!s) return Fail("the clip did not load");
    ChannelPtr ch = CueSound(s);
    SetChannelVolume(ch, 3.0f); // clamped to full
    PumpFor(0.5);
    if (ChannelPlaying(ch)) return Fail("a cued channel plays");
    ResumeChannel(ch);
    PumpFor(1.5);
    if (!ChannelPlaying(ch)) return Fail("the loop stopped");
    StopChannel(ch);
    if (ChannelPlaying(ch)) return Fail("a stopped channel plays");
    PumpFor(0.3);
    CloseAudio();
    double loud = LoudSeconds(ReadWave(wav));
    std::fprintf(stderr, "loud seconds: %.2f\n", loud);
    return loud > 1.0 && loud < 1.8 ? 0 : Fail("the wave file does not hold the loop");
}

// No usable OpenAL device: either OpenAL opens nothing and FreeAudio takes over, or OpenAL Soft
// gives its null device; either way sounds load and play silently and nothing fails.
int NoDeviceIsSilentButWorks() {
    std::string dir = test::ScratchDir("no-device");
    setenv("ALSOFT_DRIVERS", "no-such-driver", 1);
    UseRealBackend();
    if (!SetAudioDriver("OpenAL") && !SetAudioDriver("FreeAudio")) return Fail("no driver at all");
    std::fprintf(stderr, "driver: %s\n", CurrentAudioDriver().c_str());
    if (!test::WriteBytes(dir + "/tone.ogg", test::EncodeOggTone(0.2))) return Fail("no clip");
    SoundPtr s = LoadSound(dir + "/tone.ogg");
    if (!s) return Fail("the clip did not load");
    ChannelPtr ch = PlaySound(s);
    if (!ch) return Fail("no channel");
    if (!ChannelPlaying(ch)) return Fail("the channel does not play");
    SetChannelVolume(ch, 0.5f);
    PauseChannel(ch);
    if (ChannelPlaying(ch)) return Fail("a paused channel plays");
    ResumeChannel(ch);
    Clock::time_point limit = Clock::now() + std::chrono::seconds(10);
    while (ChannelPlaying(ch) && Clock::now() < limit)
        PumpFor(0.05);
    if (ChannelPlaying(ch)) return Fail("the sound never ended");
    CloseAudio();
    return 0;
}

class OpenALSound : public ::testing::Test {
  protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(OpenALSound, AStreamedClipOnADroppedChannelReachesTheWaveFile) {
    EXPECT_EXIT(std::exit(StreamedClipReachesTheWaveFile()), ::testing::ExitedWithCode(0), "");
}

TEST_F(OpenALSound, ALoopingClipPlaysUntilStopped) {
    EXPECT_EXIT(std::exit(LoopingClipKeepsPlaying()), ::testing::ExitedWithCode(0), "");
}

TEST_F(OpenALSound, WithoutADevicePlayIsSilentAndNothingFails) {
    EXPECT_EXIT(std::exit(NoDeviceIsSilentButWorks()), ::testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace vsm
