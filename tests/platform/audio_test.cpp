// Sounds and channels over the headless backend's logging device, the silent FreeAudio device
// and the in-memory Ogg decoder.
#include "OggClip.h"
#include "platform/Headless.h"
#include "platform/Platform.h"
#include "platform/audio/SilentAudioDevice.h"
#include "platform/audio/SoundDecoder.h"
#include "platform/audio/TSound.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>

namespace vsm {
namespace {

// A clip written to a scratch folder, loaded through LoadSound.
std::string ClipFile(const std::string& name, double seconds) {
    static const std::string dir = test::ScratchDir("audio");
    std::string path = dir + "/" + name;
    EXPECT_TRUE(test::WriteBytes(path, test::EncodeOggTone(seconds)));
    return path;
}

std::vector<std::string> Ops(const HeadlessBackendControl& hb) {
    std::vector<std::string> ops;
    for (const SoundEvent& e : hb.SoundLog())
        ops.push_back(e.op);
    return ops;
}

TEST(AudioChannels, LoadKeepsTheCompressedFileAndItsFacts) {
    auto& hb = UseHeadlessBackend();
    std::string path = ClipFile("half.ogg", 0.5);
    SoundPtr s = LoadSound(path, SOUND_LOOP);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->path, path);
    EXPECT_TRUE(s->Loops());
    EXPECT_EQ(s->channels, 1);
    EXPECT_EQ(s->rate, 22050);
    EXPECT_NEAR(s->durationMs, 500, 1);
    std::ifstream f(path, std::ios::binary | std::ios::ate);
    EXPECT_EQ(s->bytes.size(), static_cast<size_t>(f.tellg()));
    ASSERT_FALSE(hb.SoundLog().empty());
    EXPECT_EQ(hb.SoundLog().back().op, "load");
    EXPECT_EQ(hb.SoundLog().back().path, path);
}

TEST(AudioChannels, LoadRefusesMissingAndNonOggFiles) {
    UseHeadlessBackend();
    std::string dir = test::ScratchDir("audio-bad");
    std::ofstream(dir + "/text.ogg") << "not an ogg file at all";
    std::vector<uint8_t> clip = test::EncodeOggTone(0.2); // cut inside its headers below
    ASSERT_TRUE(test::WriteBytes(dir + "/cut.ogg", std::vector<uint8_t>(clip.begin(), clip.begin() + 20)));
    for (const std::string& p : {dir + "/missing.ogg", dir + "/text.ogg", dir + "/cut.ogg", dir}) {
        SCOPED_TRACE(p);
        EXPECT_EQ(LoadSound(p), nullptr);
    }
}

TEST(AudioChannels, BackslashesInTheSoundPathBecomeSlashes) {
    UseHeadlessBackend();
    std::string path = ClipFile("slashes.ogg", 0.1);
    std::string windows = path;
    std::replace(windows.begin(), windows.end(), '/', '\\');
    EXPECT_NE(LoadSound(windows), nullptr);
}

TEST(AudioChannels, CuedChannelWaitsUntilResumedAndPlaysForTheSoundsLength) {
    auto& hb = UseHeadlessBackend();
    SoundPtr s = LoadSound(ClipFile("one.ogg", 0.5));
    ASSERT_TRUE(s);
    ChannelPtr ch = CueSound(s);
    ASSERT_TRUE(ch);
    EXPECT_EQ(ChannelPlaying(ch), 0);
    hb.AdvanceClock(1000); // time while cued does not count
    ResumeChannel(ch);
    EXPECT_EQ(ChannelPlaying(ch), 1);
    hb.AdvanceClock(300);
    PauseChannel(ch);
    EXPECT_EQ(ChannelPlaying(ch), 0);
    hb.AdvanceClock(5000);
    ResumeChannel(ch);
    hb.AdvanceClock(150);
    EXPECT_EQ(ChannelPlaying(ch), 1);
    hb.AdvanceClock(100);
    EXPECT_EQ(ChannelPlaying(ch), 0);
    EXPECT_EQ(Ops(hb), (std::vector<std::string>{"load", "cue", "resume", "pause", "resume"}));
}

TEST(AudioChannels, StoppedChannelStaysSilentAndCanTakeAnotherSound) {
    auto& hb = UseHeadlessBackend();
    SoundPtr a = LoadSound(ClipFile("a.ogg", 0.5));
    SoundPtr b = LoadSound(ClipFile("b.ogg", 0.5), SOUND_LOOP);
    ChannelPtr ch = AllocChannel();
    ASSERT_TRUE(ch);
    EXPECT_EQ(PlaySound(a, ch), ch);
    StopChannel(ch);
    ResumeChannel(ch);
    EXPECT_EQ(ChannelPlaying(ch), 0);
    EXPECT_EQ(PlaySound(b, ch), ch);
    hb.AdvanceClock(10000);
    EXPECT_EQ(ChannelPlaying(ch), 1); // b loops
    ASSERT_FALSE(hb.SoundLog().empty());
    EXPECT_EQ(hb.SoundLog().back().op, "play");
    EXPECT_EQ(hb.SoundLog().back().path, b->path);
    EXPECT_EQ(hb.SoundLog().back().channel, hb.SoundLog()[2].channel);
}

TEST(AudioChannels, NullSoundsAndChannelsDoNothing) {
    auto& hb = UseHeadlessBackend();
    EXPECT_EQ(PlaySound(nullptr), nullptr);
    EXPECT_EQ(CueSound(nullptr), nullptr);
    PauseChannel(nullptr);
    ResumeChannel(nullptr);
    StopChannel(nullptr);
    SetChannelVolume(nullptr, 1);
    EXPECT_EQ(ChannelPlaying(nullptr), 0);
    EXPECT_TRUE(hb.SoundLog().empty());
}

TEST(AudioChannels, VolumeIsClampedAtTheDevice) {
    auto& hb = UseHeadlessBackend();
    ChannelPtr ch = AllocChannel();
    const std::pair<float, float> cases[] = {{0.7f, 0.7f}, {1.7f, 1.0f}, {-0.2f, 0.0f}, {0.0f, 0.0f}};
    for (auto [asked, given] : cases) {
        SCOPED_TRACE(asked);
        SetChannelVolume(ch, asked);
        ASSERT_FALSE(hb.SoundLog().empty());
        EXPECT_EQ(hb.SoundLog().back().op, "volume");
        EXPECT_FLOAT_EQ(hb.SoundLog().back().volume, given);
    }
}

TEST(AudioChannels, DriversAreChosenByName) {
    UseHeadlessBackend();
    EXPECT_EQ(AudioDrivers(), (std::vector<std::string>{"OpenAL", "FreeAudio"}));
    EXPECT_FALSE(SetAudioDriver("DirectSound"));
    EXPECT_TRUE(SetAudioDriver("FreeAudio"));
    EXPECT_EQ(CurrentAudioDriver(), "FreeAudio");
    EXPECT_TRUE(SetAudioDriver("openal"));
    EXPECT_EQ(CurrentAudioDriver(), "OpenAL");
}

TEST(AudioChannels, ChannelsOfAClosedDeviceAreInertUntilGivenANewSound) {
    auto& hb = UseHeadlessBackend();
    SoundPtr s = LoadSound(ClipFile("inert.ogg", 0.5), SOUND_LOOP);
    ChannelPtr ch = PlaySound(s);
    ASSERT_EQ(ChannelPlaying(ch), 1);
    ASSERT_TRUE(SetAudioDriver("FreeAudio")); // closes the device the channel belonged to
    EXPECT_EQ(ChannelPlaying(ch), 0);
    StopChannel(ch);
    hb.ClearSoundLog();
    EXPECT_EQ(PlaySound(s, ch), ch);
    EXPECT_EQ(ChannelPlaying(ch), 1);
    EXPECT_EQ(Ops(hb), (std::vector<std::string>{"play"}));
}

// A fake clock for the silent device.
struct FakeClock {
    int64_t now = 0;
    std::function<int64_t()> Fn() {
        return [this] { return now; };
    }
};

std::shared_ptr<TSound> FakeSound(double ms, bool loop) {
    auto s = std::make_shared<TSound>();
    s->durationMs = ms;
    s->flags = loop ? SOUND_LOOP : 0;
    return s;
}

TEST(SilentAudio, PlaysForTheSoundsLengthCountingOnlyUnpausedTime) {
    FakeClock clock;
    SilentAudioDevice d(clock.Fn());
    int v = d.CreateVoice();
    d.Start(v, FakeSound(1000, false), false);
    clock.now = 600;
    d.Pause(v);
    EXPECT_FALSE(d.Playing(v));
    clock.now = 10000;
    d.Resume(v);
    clock.now = 10399;
    EXPECT_TRUE(d.Playing(v));
    clock.now = 10400;
    EXPECT_FALSE(d.Playing(v));
    d.Resume(v); // a finished sound does not come back
    EXPECT_FALSE(d.Playing(v));
}

TEST(SilentAudio, CueLoopStopAndVolume) {
    FakeClock clock;
    SilentAudioDevice d(clock.Fn());
    int v = d.CreateVoice();
    d.Start(v, FakeSound(100, true), true);
    EXPECT_FALSE(d.Playing(v));
    d.Resume(v);
    clock.now = 100000;
    EXPECT_TRUE(d.Playing(v));
    d.Stop(v);
    d.Resume(v);
    EXPECT_FALSE(d.Playing(v));
    d.SetVolume(v, 2.5f);
    EXPECT_FLOAT_EQ(d.Volume(v), 1.0f);
    d.SetVolume(v, -1.0f);
    EXPECT_FLOAT_EQ(d.Volume(v), 0.0f);
    d.DestroyVoice(v);
    EXPECT_FALSE(d.Playing(v));
    EXPECT_FLOAT_EQ(d.Volume(v), -1.0f);
}

TEST(SoundDecoder, DecodesTheWholeClipAndLoopsBackToItsStart) {
    auto sound = std::make_shared<TSound>();
    sound->bytes = test::EncodeOggTone(0.25, 22050, 2);
    OggInfo info;
    ASSERT_TRUE(ProbeOgg(sound->bytes, info));
    EXPECT_EQ(info.channels, 2);
    EXPECT_NEAR(info.durationMs, 250, 1);
    const int frames = static_cast<int>(0.25 * 22050), frameBytes = 4;

    SoundDecoder once(sound);
    ASSERT_TRUE(once.Ok());
    std::vector<char> pcm(static_cast<size_t>(frames * frameBytes * 3));
    EXPECT_EQ(once.Read(pcm.data(), static_cast<int>(pcm.size()), false), frames * frameBytes);
    EXPECT_EQ(once.Read(pcm.data(), static_cast<int>(pcm.size()), false), 0);

    SoundDecoder looping(sound);
    EXPECT_EQ(looping.Read(pcm.data(), static_cast<int>(pcm.size()), true), static_cast<int>(pcm.size()));
    // The second pass repeats the first sample for sample.
    EXPECT_TRUE(
        std::equal(pcm.begin(), pcm.begin() + frames * frameBytes, pcm.begin() + frames * frameBytes));
}

TEST(SoundDecoder, AnEmptyLoopingStreamEndsInsteadOfSpinning) {
    auto sound = std::make_shared<TSound>();
    sound->bytes = test::EncodeOggTone(0.0);
    SoundDecoder d(sound);
    if (!d.Ok()) GTEST_SKIP() << "the encoder made no playable empty stream";
    char pcm[4096];
    EXPECT_EQ(d.Read(pcm, sizeof pcm, true), 0);
}

} // namespace
} // namespace vsm
