// The song cache, playMusicStream's choice of file and the music handle.
#include "ServicesFixture.h"
#include "TinyOgg.h"
#include "data/DataFolders.h"
#include "support/TestSupport.h"

namespace vsm::test {
namespace {

class SongTest : public ServicesTest {
  protected:
    void SetUp() override {
        ServicesTest::SetUp();
        root = ScratchDir("songs");
        bDir = root + "/res/";
        myDocsFolder = root + "/user";
        CreateDir(bDir + "sfx", true);
        CreateDir(myDocsFolder + "/custom-art", true);
    }
    void TearDown() override {
        myDocsFolder.clear();
        ServicesTest::TearDown();
    }
    void AddSong(const std::string& path) { ASSERT_TRUE(WriteTinyOgg(path)); }
    // True while the channel plays.
    bool Plays(const ChannelPtr& c) const { return c && ChannelPlaying(c) != 0; }

    std::string root;
};

TEST_F(SongTest, EachNameIsLoadedOnceAndComparedExactly) {
    AddSong(bDir + "sfx/title.ogg");
    MusicFilePtr a = songManager.loadSong("sfx/title.ogg", 1);
    MusicFilePtr b = songManager.loadSong("sfx/title.ogg", 0);
    EXPECT_EQ(a, b);
    ASSERT_NE(a->s, nullptr);
    EXPECT_EQ(a->isLoaded, 1);
    EXPECT_TRUE(a->s->Loops()); // the loop flag of the first load stays
    EXPECT_EQ(songManager.findSong("sfx/title.ogg"), a);
    EXPECT_EQ(songManager.findSong("SFX/title.ogg"), nullptr);
    // A name differing only in letter case is a second entry (and here a failed load).
    MusicFilePtr upper = songManager.loadSong("SFX/Title.ogg", 1);
    EXPECT_NE(upper, a);
    EXPECT_EQ(songManager.songsList.Count(), 2u);
}

TEST_F(SongTest, AFailedLoadIsCachedSilentAndNotRetried) {
    MusicFilePtr missing = songManager.playSong("sfx/later.ogg", 1, 1.0f);
    EXPECT_EQ(missing->isLoaded, 1);
    EXPECT_EQ(missing->s, nullptr);
    EXPECT_EQ(missing->c, nullptr);
    AddSong(bDir + "sfx/later.ogg");
    EXPECT_EQ(songManager.playSong("sfx/later.ogg", 1, 1.0f)->s, nullptr);
    EXPECT_TRUE(Sounds("cue").empty());
}

TEST_F(SongTest, ASongFirstLoadedOnceKeepsPlayingOnce) {
    AddSong(bDir + "sfx/voice.ogg");
    songManager.loadSong("sfx/voice.ogg", 0);
    AudioStreamPtr stream = playMusicStream("sfx/voice.ogg", 1, 1.0f);
    ASSERT_NE(stream->mf->s, nullptr);
    EXPECT_FALSE(stream->mf->s->Loops());
}

TEST_F(SongTest, RestartingASongThatPlaysStopsTheEarlierPlayback) {
    AddSong(bDir + "sfx/map.ogg");
    AudioStreamPtr first = playMusicStream("sfx/map.ogg", 1, 1.0f);
    ChannelPtr firstChannel = first->mf->c;
    ASSERT_TRUE(Plays(firstChannel));
    AudioStreamPtr second = playMusicStream("sfx/map.ogg", 1, 1.0f);
    EXPECT_EQ(first->mf, second->mf); // both handles share the cache entry
    EXPECT_FALSE(Plays(firstChannel));
    EXPECT_TRUE(Plays(second->mf->c));
    // Either handle stops the one playback there is.
    first->stop();
    EXPECT_FALSE(Plays(second->mf->c));
}

TEST_F(SongTest, TheFileIsChosenFromItsPathTheResourcesTheCustomArtFolderOrAtRandom) {
    AddSong(bDir + "sfx/bundled.ogg");
    AddSong(myDocsFolder + "/custom-art/mine.ogg");
    AddSong(root + "/elsewhere.ogg");

    AudioStreamPtr bundled = playMusicStream("sfx/bundled.ogg", 1, 1.0f);
    EXPECT_EQ(bundled->mf->name, "sfx/bundled.ogg");
    EXPECT_EQ(bundled->mf->s->path, bDir + "sfx/bundled.ogg");

    // Missing from the resources, present under its bare name in the custom-art folder.
    AudioStreamPtr custom = playMusicStream("sfx/music/mine.ogg", 1, 1.0f);
    EXPECT_EQ(custom->mf->name, myDocsFolder + "/custom-art/mine.ogg");
    ASSERT_NE(custom->mf->s, nullptr);
    EXPECT_EQ(custom->mf->s->path, myDocsFolder + "/custom-art/mine.ogg");

    // Found at its own path: loaded from there, not from under the resources folder.
    AudioStreamPtr own = playMusicStream(root + "/elsewhere.ogg", 1, 1.0f);
    ASSERT_NE(own->mf->s, nullptr);
    EXPECT_EQ(own->mf->s->path, root + "/elsewhere.ogg");

    // Found nowhere: one of the seven game songs, whether or not it exists.
    for (int i = 0; i < 20; ++i) {
        AudioStreamPtr random = playMusicStream("sfx/nowhere.ogg", 1, 1.0f);
        const std::string& name = random->mf->name;
        ASSERT_EQ(name.size(), std::string("sfx/game-song-N.ogg").size()) << name;
        EXPECT_EQ(name.substr(0, 14), "sfx/game-song-");
        EXPECT_GE(name[14], '1');
        EXPECT_LE(name[14], '7');
        EXPECT_EQ(name.substr(15), ".ogg");
    }
}

TEST_F(SongTest, SetStreamVolumeCutsTheVolumeDownToTenths) {
    AddSong(bDir + "sfx/level.ogg");
    AudioStreamPtr stream = playMusicStream("sfx/level.ogg", 1, 1.0f);
    struct Case {
        float asked, set;
    };
    const Case cases[] = {{0.7f, 0.7f}, {0.68f, 0.6f}, {0.05f, 0.0f}, {1.0f, 1.0f}, {-0.3f, 0.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.asked);
        hl->ClearSoundLog();
        SetStreamVolume(stream, c.asked);
        ASSERT_EQ(Sounds("volume").size(), 1u);
        EXPECT_FLOAT_EQ(Sounds("volume")[0].volume, c.set);
    }
    // Every level the options window passes keeps exactly its value.
    for (int level = 0; level <= 10; ++level) {
        hl->ClearSoundLog();
        stream->setVolume(static_cast<float>(level) / 10.0f);
        EXPECT_EQ(Sounds("volume").at(0).volume, static_cast<float>(level) / 10.0f) << level;
    }
    hl->ClearSoundLog();
    SetStreamVolume(nullptr, 0.5f);
    EXPECT_TRUE(hl->SoundLog().empty()) << "no stream, nothing set";
}

TEST_F(SongTest, ASongSilencedByMusicLevelZeroStartsWhenTheLevelRises) {
    AddSong(bDir + "sfx/quiet.ogg");
    options.musicVol = 0;
    AudioStreamPtr stream = playMusicStream("sfx/quiet.ogg", 1, 1.0f);
    EXPECT_EQ(stream->mf->c, nullptr);
    EXPECT_TRUE(Sounds("cue").empty());

    options.musicVol = 4;
    SetStreamVolume(stream, 0.4f);
    ASSERT_TRUE(Plays(stream->mf->c));
    EXPECT_NEAR(Sounds("volume").back().volume, 0.4f, 1e-6);
}

TEST_F(SongTest, PausePlayAndStopActOnTheSongsChannel) {
    AddSong(bDir + "sfx/pause.ogg");
    AudioStreamPtr stream = playMusicStream("sfx/pause.ogg", 1, 1.0f);
    ChannelPtr c = stream->mf->c;
    stream->pause();
    EXPECT_FALSE(Plays(c));
    stream->play();
    EXPECT_TRUE(Plays(c));
    stream->update();
    stream->stop();
    stream->free();
    EXPECT_FALSE(Plays(c));
    stream->play(); // a stopped channel stays silent
    EXPECT_FALSE(Plays(stream->mf->c));

    // A handle without a song does nothing.
    TAudioStream empty;
    empty.play();
    empty.pause();
    empty.stop();
    empty.setVolume(1);
    EXPECT_EQ(empty.mf, nullptr);
    EXPECT_EQ(InitMaxModStream(), 0);
}

TEST_F(SongTest, PlayWithoutAChannelStartsTheSongAtTheMusicLevel) {
    AddSong(bDir + "sfx/resume.ogg");
    options.musicVol = 0;
    AudioStreamPtr stream = playMusicStream("sfx/resume.ogg", 1, 1.0f);
    options.musicVol = 6;
    stream->play();
    ASSERT_TRUE(Plays(stream->mf->c));
    EXPECT_NEAR(Sounds("volume").back().volume, 0.6f, 1e-6);
}

} // namespace
} // namespace vsm::test
