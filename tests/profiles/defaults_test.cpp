// New profiles and clearing: a new player's defaults written once, never into another player's
// profile, and a new campaign that leaves nothing of the previous one to restore.
#include "profiles/ProfileDefaults.h"
#include "profiles/ProfilesFixture.h"
#include "profiles/SavedBoard.h"
#include "profiles/SavedCampaign.h"
#include "profiles/TProfileManager.h"

#include "level/TLevelManager.h"
#include "level/TLevelSequencer.h"
#include "platform/Files.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vsm::test {
namespace {

class ProfileDefaults : public ProfilesFixture {
  protected:
    void SetUp() override {
        ProfilesFixture::SetUp();
        Put("anna.dat", ProfileText("\tlevel=9.00000000\n"));
        testing::internal::CaptureStdout();
        OpenStore();
        testing::internal::GetCapturedStdout();
        SetSaveInterruptHook([this](const std::string& path) {
            writes.push_back(StripDir(path));
            return !failWrites;
        });
    }
    int Create(const std::string& name) {
        testing::internal::CaptureStdout();
        int r = CreateNewProfile(name);
        testing::internal::GetCapturedStdout();
        return r;
    }
    int Writes(const std::string& file) const {
        return static_cast<int>(std::count(writes.begin(), writes.end(), file));
    }
    std::vector<std::string> writes;
    bool failWrites = false;
};

TEST_F(ProfileDefaults, ANewProfileHoldsEveryDefaultWrittenOnce) {
    ASSERT_EQ(Create("zoe"), 1);
    EXPECT_EQ(profile.selectedProfile->name, "zoe");
    std::string keys;
    auto number = [&](const std::string& key, const char* text) { keys += "\t" + key + "=" + text + "\n"; };
    const char* zero = "0.00000000";
    number("puzzlesTime", zero);
    number("puzzlesClicks", zero);
    keys += "\trevealedLevels=\"level_01.tsc\"\n";
    for (const char* k : {"prevBlock0", "prevBlock1", "prevBlock2"})
        number(k, zero);
    number("level", "1.00000000");
    number("difficulty", "2.00000000");
    for (const char* k : {"pointsActual", "pointsTotal", "gameState", "endlessResume", "timeResume",
                          "timeTime", "davarSpellsCounter", "endlessSpellsCounter", "timeSpellsCounter",
                          "davarMultipler", "endlessMultipler", "timeMultipler", "davarMultiplerTime",
                          "endlessMultiplerTime", "timeMultiplerTime", "seqHits", "rgTime", "recivedSpells"})
        number(k, zero);
    number("showTutorial", "1.00000000");
    for (const char* k : {"levelRrecivedSpells", "levelDroppedSpells", "levelTime", "levelUsedBlocks"})
        number(k, zero);
    for (int i = 0; i < 5; ++i) {
        number("ballsFil" + std::to_string(i), zero);
        number("ballsLod" + std::to_string(i), zero);
    }
    for (int i = 1; i <= 6; ++i)
        number("RMGRecivedSpell" + std::to_string(i), zero);
    EXPECT_EQ(Read("zoe.dat"), ProfileText(keys));
    EXPECT_EQ(Writes("zoe.dat"), 1);

    // Loaded, the new player stands before the first level with no campaign and difficulty 2.
    LoadProfile();
    EXPECT_EQ(sequencer.seqNo, 1);
    EXPECT_EQ(level.difficulty, 2);
}

TEST_F(ProfileDefaults, ATakenNameChangesNoOnesProfile) {
    Put("eve.dat", ProfileText("\tlevel=5.00000000\n", "another build"));
    Put("dora.dat", "");
    profile.UpdateList();
    for (const char* name : {"anna", "eve", "dora"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Create(name), -1);
        EXPECT_EQ(profile.selectedProfile->name, "anna");
    }
    EXPECT_EQ(Read("anna.dat"), ProfileText("\tlevel=9.00000000\n"));
    EXPECT_EQ(Read("eve.dat"), ProfileText("\tlevel=5.00000000\n", "another build"));
    EXPECT_EQ(Read("dora.dat"), "");
    EXPECT_TRUE(writes.empty());
}

TEST_F(ProfileDefaults, DefaultsThatCannotBeWrittenTakeTheNewProfileAway) {
    // The new file itself lands (it is written under a temporary name first); the defaults do not.
    SetSaveInterruptHook([this](const std::string& path) { return StripDir(path) != "zoe.dat"; });
    EXPECT_EQ(Create("zoe"), PROFILE_NOT_WRITTEN);
    EXPECT_EQ(profile.GetProfilesList(), std::vector<std::string>{"anna"});
    EXPECT_EQ(profile.selectedProfile->name, "anna");
    EXPECT_EQ(Files(), std::vector<std::string>{"anna.dat"});
}

TEST_F(ProfileDefaults, ClearingStartsTheCampaignAfreshAndKeepsWhatCarriesOver) {
    Settings("Portal{\n\tName=\"" + PORTAL + "\"\n}\n",
             {{"sequencer.tsc", "Sequence{\n\tFirstLevel=1\n\tLastLevel=30\n}\n"}});
    sequencer.Start(12);
    ASSERT_EQ(Create("zoe"), 1);
    profile.SetList("revealedImages", {"pic_03.jpg"}, 0);
    profile.SetString("revealedLevels", "level_04.tsc", 0);
    profile.SetNumber("showTutorial", 0, 0);
    profile.SetNumber("RMGRecivedSpell2", 1, 0);
    profile.SetNumber("endlessResume", 1, 0);
    profile.SetNumber("gameState", 2, 0);
    profile.SetNumber("pointsTotal", 4000, 0);
    for (const char* key : {"davar1", "davarTimerLayer1", "davarActualBlockSet", "davarActualBlockColor",
                            "davarBonuses", "endless1", "endlessBonuses", "puzzles"})
        profile.SetList(key, {"1:1:1"}, 0);
    for (const char* key : {"davarPrevBlock0", "levelMatches", "levelCombos", "levelTime", "ballsFil2",
                            "puzzlesClicks", "endlessPrevBlock0"})
        profile.SetNumber(key, 7, 0);
    profile.SaveProfile();
    writes.clear();

    level.difficulty = 3;
    ASSERT_EQ(ClearProfile(1), 0);
    EXPECT_EQ(Writes("zoe.dat"), 1);
    testing::internal::CaptureStdout();
    profile.UpdateList(); // what is on disk
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(profile.GetNumber("level"), 1);
    EXPECT_EQ(profile.GetNumber("gameState"), -3);
    EXPECT_EQ(profile.GetNumber("difficulty"), 3);
    EXPECT_EQ(profile.GetNumber("pointsTotal"), 0);
    for (const char* key : {"davar1", "davarTimerLayer1", "davarActualBlockSet", "davarActualBlockColor",
                            "davarBonuses", "puzzles"}) {
        SCOPED_TRACE(key);
        EXPECT_TRUE(profile.GetList(key)->empty());
    }
    for (const char* key :
         {"davarPrevBlock0", "levelMatches", "levelCombos", "levelTime", "ballsFil2", "puzzlesClicks"}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(profile.GetNumber(key), 0);
    }
    // What belongs to the player and the other modes carries over.
    EXPECT_EQ(profile.GetList("revealedImages"), std::vector<std::string>{"pic_03.jpg"});
    EXPECT_EQ(profile.GetString("revealedLevels"), "level_04.tsc");
    EXPECT_EQ(profile.GetNumber("showTutorial"), 0);
    EXPECT_EQ(profile.GetNumber("RMGRecivedSpell2"), 1);
    EXPECT_EQ(profile.GetNumber("endlessResume"), 1);
    EXPECT_EQ(profile.GetList("endless1"), std::vector<std::string>{"1:1:1"});
    EXPECT_EQ(profile.GetList("endlessBonuses"), std::vector<std::string>{"1:1:1"});
    EXPECT_EQ(profile.GetNumber("endlessPrevBlock0"), 7);
}

TEST_F(ProfileDefaults, ClearingWithoutFullKeepsThePositionAndAFailedWriteIsReported) {
    profile.SetNumber("gameState", 2, 0);
    ASSERT_EQ(ClearProfile(0), 0);
    EXPECT_EQ(profile.GetNumber("level"), 9);
    EXPECT_EQ(profile.GetNumber("gameState"), 2);
    failWrites = true;
    EXPECT_EQ(ClearProfile(1), -1);
    EXPECT_NE(Read("anna.dat").find("\tlevel=9.00000000\n"), std::string::npos);

    NoProfile();
    EXPECT_EQ(ClearProfile(1), 0);
    EXPECT_TRUE(Files().empty());
}

} // namespace
} // namespace vsm::test
