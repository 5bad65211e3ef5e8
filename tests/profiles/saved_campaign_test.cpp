// Saved campaign state: the campaign position and score, the bonus tokens, the level's statistics
// and clock and the sphere's mana round-trip through the selected profile.
#include "profiles/ProfilesFixture.h"
#include "profiles/SavedCampaign.h"
#include "profiles/TProfileManager.h"

#include "level/TLevelManager.h"
#include "level/TLevelSequencer.h"
#include "level/TPointsManager.h"
#include "level/TTimeManager.h"
#include "magic/TBunusManagerA.h"
#include "magic/TMagicSphere.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "services/GameFlags.h"
#include "services/TSlidesManager.h"

#include <gtest/gtest.h>

namespace vsm::test {
namespace {

class SavedCampaign : public ProfilesFixture {
  protected:
    void SetUp() override {
        ProfilesFixture::SetUp();
        Settings("Portal{\n\tName=\"" + PORTAL + "\"\n}\n",
                 {{"sequencer.tsc", "Sequence{\n\tFirstLevel=1\n\tLastLevel=30\n}\n"}});
        Put("anna.dat", ProfileText());
        Reopen();
        control->SetClock(200000);
    }
    // Opens the store afresh, as a later run of the game would.
    void Reopen() {
        testing::internal::CaptureStdout();
        OpenStore();
        testing::internal::GetCapturedStdout();
    }
    std::vector<std::string> Tokens() {
        std::vector<std::string> out;
        bonusManagerAlt.bonuses.ForEach([&](const BonusPtr& b) {
            out.push_back(std::to_string(b->kind) + ":" + std::to_string(b->x) + ":" + std::to_string(b->y) +
                          ":" + std::to_string(b->color));
        });
        return out;
    }
};

TEST_F(SavedCampaign, PositionScoreStateDifficultyAndPicturesRoundTrip) {
    sequencer.seqNo = 12;
    points.actual = 1500;
    points.total = 16777217; // past the float's exact integers: comes back rounded
    gameState = 2;
    level.difficulty = 3;
    slides.revealedImages = {"pic_01.jpg", "a \"quoted\", name"};
    ASSERT_EQ(SaveProfile(0), 0);
    EXPECT_EQ(Read("anna.dat"), ProfileText()); // only the document in memory changed
    ASSERT_EQ(SaveProfile(1), 0);

    ResetLevelGlobals();
    ResetGameFlags();
    slides.revealedImages = {"stale"};
    Reopen();
    ASSERT_EQ(LoadProfile(), 0);
    EXPECT_EQ(sequencer.seqNo, 12);
    EXPECT_EQ(sequencer.First, 1);
    EXPECT_EQ(sequencer.Last, 30);
    EXPECT_EQ(points.actual, 1500);
    EXPECT_EQ(points.total, 16777216);
    EXPECT_EQ(gameState, 2);
    EXPECT_EQ(level.difficulty, 3);
    EXPECT_EQ(slides.revealedImages, (std::vector<std::string>{"pic_01.jpg", "a \"quoted\", name"}));
}

TEST_F(SavedCampaign, ALevelFarPastTheCampaignLoadsAsOnePastItsLastLevel) {
    // The sequence holds levels 1 to 30; "past the last level" (the closing story) is 31.
    const struct {
        float saved;
        int loaded;
    } cases[] = {{99999, 31}, {3e9f, 31}, {32, 31}, {31, 31}, {30, 30}, {1, 1}, {-4, -4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.saved);
        profile.selectedProfile->file->SetNumberKey("Profile", "level", c.saved, 0);
        ASSERT_EQ(LoadProfile(), 0);
        EXPECT_EQ(sequencer.seqNo, c.loaded);
    }
}

TEST_F(SavedCampaign, AProfileWithoutCampaignKeysLoadsZerosAndNoPictures) {
    slides.revealedImages = {"stale"};
    gameState = 2;
    testing::internal::CaptureStdout();
    LoadProfile();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(sequencer.seqNo, 0);
    EXPECT_EQ(gameState, 0);
    EXPECT_TRUE(slides.revealedImages.empty());
    EXPECT_NE(out.find("The key Profile::level does not exist"), std::string::npos);
}

TEST_F(SavedCampaign, BonusTokensRoundTripAndAreAppended) {
    bonusManagerAlt.AddBonusExt(4, 3, 5, 2);
    bonusManagerAlt.AddBonusExt(1, 0, 14, 9); // only a drain token keeps its colour
    ASSERT_EQ(SaveSpells("endless", 0), 0);
    EXPECT_EQ(profile.GetList("endlessBonuses"), (std::vector<std::string>{"4:3:5:2", "1:0:14:0"}));
    EXPECT_FALSE(profile.GetList("davarBonuses")->size());

    bonusManagerAlt.ClearSpells();
    bonusManagerAlt.AddBonusExt(2, 7, 7, 0);
    LoadSpells("endless");
    EXPECT_EQ(Tokens(), (std::vector<std::string>{"2:7:7:0", "4:3:5:2", "1:0:14:0"}));

    // An empty board stores an empty list, which leaves no key.
    bonusManagerAlt.ClearSpells();
    SaveSpells("endless", 1);
    EXPECT_EQ(Read("anna.dat"), ProfileText());
    LoadSpells("endless");
    EXPECT_TRUE(Tokens().empty());
}

TEST_F(SavedCampaign, HandEditedTokensOutsideTheBoardAreSkipped) {
    profile.SetList("davarBonuses", {"3:1:1:0", "7:1:1:0", "2:15:0:0", "2:1", "5:14:14:0"}, 0);
    testing::internal::CaptureStdout();
    LoadSpells("davar");
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(Tokens(), (std::vector<std::string>{"3:1:1:0", "5:14:14:0"}));
}

TEST_F(SavedCampaign, LevelStatisticsAndTheClockRunOnFromTheSavedTime) {
    level.recivedSpells = 4;
    level.droppedSpells = 3;
    level.usedBlocks = 57;
    level.matches = 21;
    level.combos = 2;
    timeManager.actualTime = 61500;
    ASSERT_EQ(SaveLevelStats(1), 0);
    const std::string text = Read("anna.dat");
    EXPECT_NE(text.find("\tlevelRrecivedSpells=4.00000000\n"), std::string::npos);
    EXPECT_NE(text.find("\tlevelTime=61500.0000\n"), std::string::npos);

    ResetLevelGlobals();
    control->SetClock(900000);
    Reopen();
    LoadLevelStats();
    EXPECT_EQ(level.recivedSpells, 4);
    EXPECT_EQ(level.droppedSpells, 3);
    EXPECT_EQ(level.usedBlocks, 57);
    EXPECT_EQ(level.matches, 21);
    EXPECT_EQ(level.combos, 2);
    EXPECT_EQ(timeManager.actualTime, 61500);
    control->AdvanceClock(1000);
    timeManager.Update();
    EXPECT_EQ(timeManager.actualTime, 62500);
}

TEST_F(SavedCampaign, SphereManaLoadsShownAtOnceAndAFullBallStaysSilent) {
    for (int i = 0; i < SPHERE_BALLS; ++i) {
        magicSphere.ballsClr[i] = i + 1;
        magicSphere.ballsCap[i] = 40;
    }
    const float fills[SPHERE_BALLS] = {40, 10, 0, 39.9f, 20};
    for (int i = 0; i < SPHERE_BALLS; ++i)
        magicSphere.ballsFil[i] = fills[i];
    ASSERT_EQ(SaveMagicSphere(1), 0);
    EXPECT_NE(Read("anna.dat").find("\tballsFil3=39.0000000\n"), std::string::npos); // whole mana only

    ResetMagicSphere();
    for (int i = 0; i < SPHERE_BALLS; ++i) {
        magicSphere.ballsClr[i] = i + 1;
        magicSphere.ballsCap[i] = 40;
    }
    Reopen();
    LoadMagicSphere();
    const float shown[SPHERE_BALLS] = {1.0f, 0.25f, 0.0f, 39.0f / 40, 0.5f};
    for (int i = 0; i < SPHERE_BALLS; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(magicSphere.ballsLod[i], shown[i]);
    }
    EXPECT_EQ(magicSphere.ballsFil[0], 40);
    EXPECT_EQ(magicSphere.ballsFTimer[0], 200000 - 3000); // full since before the load: no burst
    EXPECT_LT(magicSphere.ballsFTimer[1], 0);
}

TEST_F(SavedCampaign, WithoutASelectedProfileNothingIsSavedOrLoaded) {
    NoProfile();
    sequencer.seqNo = 7;
    gameState = 2;
    bonusManagerAlt.AddBonusExt(1, 1, 1, 0);
    level.matches = 5;
    magicSphere.ballsFil[0] = 3;
    EXPECT_EQ(SaveProfile(1), 0);
    EXPECT_EQ(SaveSpells("davar", 1), 0);
    EXPECT_EQ(SaveLevelStats(1), 0);
    EXPECT_EQ(SaveMagicSphere(1), 0);
    EXPECT_TRUE(Files().empty());
    LoadProfile();
    LoadSpells("davar");
    LoadLevelStats();
    LoadMagicSphere();
    EXPECT_EQ(sequencer.seqNo, 7);
    EXPECT_EQ(gameState, 2);
    EXPECT_EQ(Tokens().size(), 1u);
    EXPECT_EQ(level.matches, 5);
    EXPECT_EQ(magicSphere.ballsFil[0], 3);
}

TEST_F(SavedCampaign, RevealedPicturesPastTheListLimitKeepTheSavedOnes) {
    slides.revealedImages.clear();
    for (int i = 0; i < 1000; ++i)
        slides.revealedImages.push_back("gfx/slides/p" + std::to_string(i) + ".jpg");
    ASSERT_EQ(SaveProfile(1), 0);
    const std::vector<std::string> saved = slides.revealedImages;

    slides.revealedImages.push_back("gfx/slides/one-more.jpg");
    std::vector<std::string> lines;
    SetPrintListener([&](const std::string& line) { lines.push_back(line); });
    EXPECT_EQ(SaveProfile(1), -1) << "the refused list is reported";
    SetPrintListener(nullptr);
    EXPECT_EQ(lines,
              std::vector<std::string>{"The list revealedImages holds 1001 values, more than the 1000 a "
                                       "key can store; the stored list is kept"});

    // The next run of the game finds the thousand pictures saved before.
    Reopen();
    slides.revealedImages.clear();
    LoadProfile();
    EXPECT_EQ(slides.revealedImages, saved);
}

TEST_F(SavedCampaign, AFailedWriteIsReported) {
    SetSaveInterruptHook([](const std::string&) { return false; });
    EXPECT_EQ(SaveProfile(1), -1);
    EXPECT_EQ(SaveSpells("davar", 1), -1);
    EXPECT_EQ(SaveLevelStats(1), -1);
    EXPECT_EQ(SaveMagicSphere(1), -1);
    EXPECT_EQ(Read("anna.dat"), ProfileText());
}

} // namespace
} // namespace vsm::test
