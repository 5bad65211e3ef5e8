// The options document: defaults on a first start, the volume rule, the last player, what every
// save writes and the recovery from a damaged document.
#include "profiles/ProfilesFixture.h"

#include "data/DataFolders.h"
#include "data/TTSCFile.h"
#include "level/TLevelSequencer.h"
#include "platform/Files.h"
#include "profiles/OptionsDocument.h"
#include "profiles/ProfileDefaults.h"
#include "profiles/SavedCampaign.h"
#include "profiles/TProfileManager.h"
#include "services/OptionsSeam.h"
#include "services/Sound.h"
#include "support/TestAssets.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>

namespace vsm::test {

namespace {

class OptionsDocument : public ProfilesFixture {
  protected:
    void SetUp() override {
        ProfilesFixture::SetUp();
        OpenStore();
    }
    // A new player, selected and loaded as the profile screen leaves it.
    static void CreatePlayer(const std::string& name) {
        ASSERT_EQ(CreateNewProfile(name), 1);
        LoadProfile();
    }
    void WriteOptions(const std::string& text) { ASSERT_TRUE(SaveText(text, OptionsPath())); }
    TTSCFilePtr Saved() {
        TTSCFilePtr doc = CreateTSCFile();
        LoadTSCFile(doc, OptionsPath());
        return doc;
    }
};

TEST_F(OptionsDocument, FirstStartCreatesTheDefaultsAndReadsThemBack) {
    ASSERT_EQ(FileType(OptionsPath()), 0);
    LoadOptions();
    EXPECT_EQ(options.screenMode, 1);
    EXPECT_EQ(options.musicVol, 5);
    EXPECT_EQ(options.soundVol, 7);
    EXPECT_EQ(options.startingSeq, -1);
    TTSCFilePtr doc = Saved();
    EXPECT_EQ(GetTSCStringKey(doc, "Settings", "lastProfile", 0), "korvela");
    EXPECT_EQ(doc->GetKeyList("Settings").size(), 5u);
}

TEST_F(OptionsDocument, VolumesOnTheOldScaleAreConvertedOthersKeptAsStored) {
    const struct {
        float stored;
        int expected;
    } cases[] = {
        {0.5f, 5},          {0.1f, 1},
        {0.7f, 6},          {0.9f, 8},
        {0.01f, 0},         {1.0f, 1},
        {12.0f, 12},        {-3.0f, -3},
        {7.9f, 7},          {0.0f, 0},
        {std::nanf(""), 0}, {std::numeric_limits<float>::infinity(), std::numeric_limits<int>::max()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(VolumeFromDocument(c.stored), c.expected);
    }
    // The rule is the one the document goes through.
    WriteOptions("Settings{\n\tscreenMode=0\n\tmusicVol=0.7\n\tsoundVol=12\n\tstartingLevel=4\n}\n");
    LoadOptions();
    EXPECT_EQ(options.screenMode, 0);
    EXPECT_EQ(options.musicVol, 6);
    EXPECT_EQ(options.soundVol, 12);
    EXPECT_EQ(options.startingSeq, 4);
    EXPECT_EQ(sequencer.seqNo, 0); // the stored position is kept, not acted on
}

TEST_F(OptionsDocument, VolumesBeyondTheScaleAreKeptButReachTheAudioClamped) {
    WriteOptions("Settings{\n\tscreenMode=2\n\tmusicVol=-3\n\tsoundVol=12\n}\n");
    LoadOptions();
    EXPECT_EQ(options.musicVol, -3);
    EXPECT_EQ(options.soundVol, 12);
    ASSERT_TRUE(WriteSilentSound(resources + "own/click.ogg"));
    const SoundPtr sound = LoadSound(resources + "own/click.ogg");
    ASSERT_TRUE(sound);
    control->ClearSoundLog();
    playSound2(sound, nullptr, 1, 1.0f);
    EXPECT_EQ(playMusic(sound, nullptr, 1.0f), nullptr); // a negative music volume plays nothing
    float loudest = -1;
    for (const SoundEvent& e : control->SoundLog())
        if (e.op == "volume") loudest = std::max(loudest, e.volume);
    EXPECT_FLOAT_EQ(loudest, 1.0f);
    EXPECT_EQ(GetTSCNumberKey(Saved(), "Settings", "soundVol", 0), 12); // not yet rewritten
    SaveOptionsOnly();
    EXPECT_EQ(GetTSCNumberKey(Saved(), "Settings", "soundVol", 0), 12); // kept as stored
}

TEST_F(OptionsDocument, LastProfileSelectsAListedPlayerByExactName) {
    CreatePlayer("Ann");
    CreatePlayer("Bob");
    const struct {
        const char* stored;
        const char* selected;
    } cases[] = {{"Bob", "Bob"}, {"bob", "Ann"}, {"Nobody", "Ann"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        profile.UpdateList();
        ASSERT_EQ(profile.SelectProfile("Ann"), 1);
        WriteOptions(std::string("Settings{\n\tscreenMode=2\n\tlastProfile=\"") + c.stored + "\"\n}\n");
        LoadOptions();
        EXPECT_EQ(profile.selectedProfile->name, c.selected);
    }
}

TEST_F(OptionsDocument, EverySaveWritesExactlyItsKeys) {
    WriteOptions("Settings{\n\tscreenMode=1\n\told=3\n}\nOther{\n\tx=1\n}\n");
    options.screenMode = 0;
    options.musicVol = 9;
    options.soundVol = 2;
    sequencer.seqNo = 7;
    ASSERT_EQ(SaveOptionsOnly(), 0);
    TTSCFilePtr doc = Saved();
    EXPECT_EQ(doc->GetGroupList("").size(), 1u);
    EXPECT_EQ(doc->GetKeyList("Settings").size(), 4u); // no profile: no "lastProfile"
    EXPECT_EQ(GetTSCNumberKey(doc, "Settings", "screenMode", 0), 0);
    EXPECT_EQ(GetTSCNumberKey(doc, "Settings", "musicVol", 0), 9);
    EXPECT_EQ(GetTSCNumberKey(doc, "Settings", "soundVol", 0), 2);
    EXPECT_EQ(GetTSCNumberKey(doc, "Settings", "startingLevel", 0), 7);

    CreatePlayer("Ann");
    CreatePlayer("Bob");
    ASSERT_EQ(SaveOptionsOnly(), 0);
    doc = Saved();
    EXPECT_EQ(doc->GetKeyList("Settings").size(), 5u);
    EXPECT_EQ(GetTSCStringKey(doc, "Settings", "lastProfile", 0), "Bob");
}

TEST_F(OptionsDocument, ADamagedDocumentIsMovedAsideAndTheDefaultsAreUsedAndSaved) {
    const char* damaged[] = {"", "  \n\t\n", "Settings{\n\tscreenMode=\n",
                             "Settings{ musicVol=\"unterminated\n"};
    for (const char* text : damaged) {
        SCOPED_TRACE(text);
        std::filesystem::remove(OptionsPath() + ".damaged");
        WriteOptions(text);
        options.musicVol = 0;
        LoadOptions();
        EXPECT_EQ(options.screenMode, 1);
        EXPECT_EQ(options.musicVol, 5);
        EXPECT_EQ(options.soundVol, 7);
        EXPECT_EQ(LoadText(OptionsPath() + ".damaged"), std::optional<std::string>(text));
        EXPECT_EQ(GetTSCNumberKey(Saved(), "Settings", "musicVol", 0), 5);
    }
}

TEST_F(OptionsDocument, WithoutAPerUserFolderNothingIsWritten) {
    myDocsFolder.clear();
    LoadOptions();
    EXPECT_EQ(options.musicVol, 5);
    EXPECT_EQ(SaveOptionsOnly(), -1);
    EXPECT_FALSE(std::filesystem::exists("/data/options.tsc"));
}

} // namespace

} // namespace vsm::test
