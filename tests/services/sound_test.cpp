// Effects on the seven rotating channels, the delayed-sound queue and the interface sound bank.
#include "ServicesFixture.h"
#include "TinyOgg.h"
#include "support/TestSupport.h"

namespace vsm::test {
namespace {

using SoundChannelTest = ServicesTest;

TEST_F(SoundChannelTest, EffectsRotateOverSevenChannelsAndTheEighthCutsOffTheFirst) {
    std::vector<ChannelPtr> used;
    for (int i = 0; i < 8; ++i) {
        used.push_back(playSound2(FakeSound("fx" + std::to_string(i)), nullptr, 0, 1.0f));
        ASSERT_NE(used.back(), nullptr);
    }
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(used[i], channels[i]);
        for (int j = 0; j < i; ++j)
            EXPECT_NE(used[i], used[j]);
    }
    EXPECT_EQ(used[7], used[0]);
    EXPECT_EQ(chnNo, 1);
    // The eighth effect now plays where the first did.
    auto plays = Sounds("cue");
    ASSERT_EQ(plays.size(), 8u);
    EXPECT_EQ(plays[7].channel, plays[0].channel);
    EXPECT_EQ(plays[7].path, "fx7");
}

TEST_F(SoundChannelTest, VolumeIsTheSoundLevelTimesTheFactorOverTen) {
    struct Case {
        int level;
        float factor;
        float gain;
    };
    const Case cases[] = {{10, 1.0f, 1.0f}, {7, 1.0f, 0.7f}, {5, 0.5f, 0.25f}, {1, 1.0f, 0.1f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        hl->ClearSoundLog();
        options.soundVol = c.level;
        playSound2(FakeSound("fx"), nullptr, 0, c.factor);
        auto volumes = Sounds("volume");
        ASSERT_EQ(volumes.size(), 1u);
        EXPECT_NEAR(volumes[0].volume, c.gain, 1e-6);
        ASSERT_EQ(Sounds("resume").size(), 1u);
    }
}

TEST_F(SoundChannelTest, NothingPlaysAtLevelZeroOrWithoutASoundAndTheRotationStays) {
    options.soundVol = 0;
    EXPECT_EQ(playSound2(FakeSound("fx"), nullptr, 0, 1.0f), nullptr);
    options.soundVol = 10;
    EXPECT_EQ(playSound2(nullptr, nullptr, 0, 1.0f), nullptr);
    EXPECT_EQ(chnNo, 0);
    EXPECT_TRUE(Sounds("cue").empty());
    // The rotating channel is allocated all the same.
    EXPECT_NE(channels[0], nullptr);
}

TEST_F(SoundChannelTest, AGivenChannelIsReplayedOnlyWhenIdleOrRestarted) {
    SoundPtr song = FakeSound("rotate", 1000);
    ChannelPtr kept = playSound2(song, nullptr, 0, 1.0f);
    ASSERT_NE(kept, nullptr);
    ASSERT_TRUE(ChannelPlaying(kept));

    // Playing, restart 0: returned untouched, even at level 0.
    hl->ClearSoundLog();
    options.soundVol = 0;
    EXPECT_EQ(playSound2(song, kept, 0, 1.0f), kept);
    EXPECT_TRUE(hl->SoundLog().empty());

    // Restart 1 at level 10: paused, cued again from the start, played.
    options.soundVol = 10;
    EXPECT_EQ(playSound2(song, kept, 1, 0.5f), kept);
    EXPECT_EQ(Sounds("pause").size(), 1u);
    EXPECT_EQ(Sounds("cue").size(), 1u);
    EXPECT_NEAR(Sounds("volume").at(0).volume, 0.5f, 1e-6);
    EXPECT_EQ(chnNo, 1); // a given channel does not move the rotation

    // Idle at level 0: paused and returned, nothing played.
    hl->AdvanceClock(2000);
    ASSERT_FALSE(ChannelPlaying(kept));
    hl->ClearSoundLog();
    options.soundVol = 0;
    EXPECT_EQ(playSound2(song, kept, 0, 1.0f), kept);
    EXPECT_EQ(Sounds("pause").size(), 1u);
    EXPECT_TRUE(Sounds("cue").empty());
}

TEST_F(SoundChannelTest, ARotationIndexOutOfRangeIsBroughtBackIntoTheTable) {
    for (int wrong : {7, -1, 100}) {
        SCOPED_TRACE(wrong);
        chnNo = wrong;
        EXPECT_NE(playSound2(FakeSound("fx"), nullptr, 0, 1.0f), nullptr);
        EXPECT_GE(chnNo, 0);
        EXPECT_LT(chnNo, SOUND_CHANNELS);
    }
}

TEST_F(SoundChannelTest, StopSoundPausesAndMusicUsesItsOwnChannelsAndLevel) {
    ChannelPtr fx = playSound2(FakeSound("fx"), nullptr, 0, 1.0f);
    stopSound(fx);
    stopSound(nullptr);
    EXPECT_FALSE(ChannelPlaying(fx));

    options.musicVol = 4;
    SoundPtr song = FakeSound("song", 0, SOUND_LOOP);
    ChannelPtr first = playMusic(song, nullptr, 0.5f);
    ASSERT_NE(first, nullptr);
    for (const ChannelPtr& c : channels)
        EXPECT_NE(first, c);
    EXPECT_NEAR(Sounds("volume").back().volume, 0.2f, 1e-6);
    // A given channel that plays is stopped and the sound starts on a new one.
    ChannelPtr second = playMusic(song, first, 1.0f);
    EXPECT_NE(second, first);
    EXPECT_FALSE(ChannelPlaying(first));
    EXPECT_TRUE(ChannelPlaying(second));
    options.musicVol = 0;
    EXPECT_EQ(playMusic(song, nullptr, 1.0f), nullptr);
}

using SoundQueueTest = ServicesTest;

TEST_F(SoundQueueTest, DelayedSoundsPlayOnceTheClockIsStrictlyPastTheirTime) {
    hl->SetClock(1000);
    TSoundQ::addSound(FakeSound("combo1"), 1600);
    TSoundQ::addSound(FakeSound("combo2"), 1300);
    TSoundQ::addSound(FakeSound("late"), 5000);

    TSoundQ::updateAll();
    EXPECT_TRUE(Sounds("cue").empty());

    hl->SetClock(1600); // equal to the first entry's time: not yet
    TSoundQ::updateAll();
    auto cues = Sounds("cue");
    ASSERT_EQ(cues.size(), 1u);
    EXPECT_EQ(cues[0].path, "combo2");
    EXPECT_EQ(soundQueue.Count(), 2u);

    hl->SetClock(1601);
    TSoundQ::updateAll();
    ASSERT_EQ(Sounds("cue").size(), 2u);
    EXPECT_EQ(Sounds("cue")[1].path, "combo1");
    ASSERT_EQ(soundQueue.Count(), 1u);
    EXPECT_EQ(soundQueue.First()->snd->path, "late");
}

TEST_F(SoundQueueTest, SeveralDueEntriesFireInOneCallInQueueOrder) {
    for (int i = 0; i < 3; ++i)
        TSoundQ::addSound(FakeSound("q" + std::to_string(i)), 10);
    TSoundQ::addSound(nullptr, 10); // a missing sound is dropped silently
    hl->SetClock(100);
    TSoundQ::updateAll();
    auto cues = Sounds("cue");
    ASSERT_EQ(cues.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(cues[i].path, "q" + std::to_string(i));
    EXPECT_TRUE(soundQueue.IsEmpty());
    EXPECT_EQ(chnNo, 3);
}

TEST_F(SoundQueueTest, DestroyTakesAnEntryOut) {
    auto q = TSoundQ::addSound(FakeSound("x"), 10);
    q->Destroy();
    hl->SetClock(100);
    TSoundQ::updateAll();
    EXPECT_TRUE(Sounds("cue").empty());
}

using GlobalSndTest = ServicesTest;

TEST_F(GlobalSndTest, ClickPlaysAtThirtyPercentOfTheSoundLevelInWholeSteps) {
    globalSnd.sfx[6] = FakeSound("click");
    const int expectedTenths[11] = {0, 0, 0, 0, 1, 1, 1, 2, 2, 2, 3};
    for (int level = 0; level <= 10; ++level) {
        SCOPED_TRACE(level);
        hl->ClearSoundLog();
        options.soundVol = level;
        globalSnd.click();
        EXPECT_EQ(options.soundVol, level); // restored
        auto volumes = Sounds("volume");
        if (expectedTenths[level] == 0) {
            EXPECT_TRUE(Sounds("cue").empty());
        } else {
            ASSERT_EQ(volumes.size(), 1u);
            EXPECT_NEAR(volumes[0].volume, expectedTenths[level] / 10.0f, 1e-6);
            EXPECT_EQ(Sounds("cue")[0].path, "click");
        }
    }
}

TEST_F(GlobalSndTest, EmptySlotsAndIndexesOutsideTheBankPlayNothing) {
    globalSnd.sfx[7] = FakeSound("over");
    for (int i : {-1, 0, 12, 13, 1000})
        globalSnd.play(i);
    EXPECT_TRUE(Sounds("cue").empty());
    globalSnd.over();
    ASSERT_EQ(Sounds("cue").size(), 1u);
    EXPECT_EQ(Sounds("cue")[0].path, "over");
}

TEST_F(GlobalSndTest, LoadFillsTheSlotsWhoseFilesLoadAndLeavesTheOthersEmpty) {
    const std::string dir = ScratchDir("globalsnd");
    bDir = dir + "/";
    CreateDir(dir + "/sfx/fx4", true);
    CreateDir(dir + "/sfx/voice", true);
    ASSERT_TRUE(WriteTinyOgg(dir + "/sfx/fx4/playgame-mouseover.ogg"));
    ASSERT_TRUE(WriteTinyOgg(dir + "/sfx/voice/v-curage.ogg"));
    globalSnd.Load();
    for (int i = 0; i < GLOBAL_SOUNDS; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(globalSnd.sfx[i] != nullptr, i == 6 || i == 7 || i == 12);
    }
    globalSnd.play(12);
    ASSERT_EQ(Sounds("cue").size(), 1u);
    EXPECT_EQ(Sounds("cue")[0].path, dir + "/sfx/voice/v-curage.ogg");
}

} // namespace
} // namespace vsm::test
