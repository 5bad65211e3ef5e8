// Tests of taking and firing bonus tokens: the queue, the firing order and scoring, the chain
// volume, the piece freeze, the caption after a bonus and the teleport's start.
#include "MagicFixture.h"

#include "board/TBlocksManager.h"
#include "level/TLevelManager.h"
#include "level/TPointsManager.h"
#include "magic/TBunusManagerA.h"
#include "magic/TMagicSphere.h"
#include "magic/TRemoveBlockEmiter.h"
#include "magic/TRemoveLineEmiter.h"
#include "services/TCaptions.h"
#include "services/TVolcanoEmiter.h"

namespace vsm::test {

namespace {

class Firing : public MagicFixture {
  protected:
    void SetUp() override {
        MagicFixture::SetUp();
        StandardRunes();
        vsm::captions.Clear();
    }
    void TearDown() override {
        vsm::captions.Clear();
        MagicFixture::TearDown();
    }
    template <class T> int Emitters() const {
        int n = 0;
        for (const auto& e : volcanoList.Snapshot())
            if (dynamic_cast<T*>(e.get())) ++n;
        return n;
    }
};

} // namespace

TEST_F(Firing, ClearTakesEveryTokenOnTheCellOnce) {
    bonusManagerAlt.AddBonusExt(BONUS_BOMB, 4, 4, 0);
    bonusManagerAlt.AddBonusExt(BONUS_VANISH, 4, 4, 0);
    bonusManagerAlt.AddBonusExt(BONUS_HEAL, 5, 4, 0);
    control->SetClock(777);
    bonusManagerAlt.Clear(4, 4);
    bonusManagerAlt.Clear(4, 4);
    bonusManagerAlt.Clear(9, 9);
    EXPECT_EQ(bonusManagerAlt.queue.Count(), 2u);
    EXPECT_EQ(bonusManagerAlt.bonuses.Count(), 1u);
    EXPECT_EQ(level.droppedSpells, 2);
    for (const auto& t : bonusManagerAlt.queue.Snapshot()) {
        EXPECT_EQ(t->active, 1);
        EXPECT_EQ(t->Timer, 777);
    }
    EXPECT_EQ(bonusManagerAlt.BonusActive(), 1);
}

TEST_F(Firing, TokensFireAfterTheirTimeInTheOrderTakenAndScoreTheirOwnRunes) {
    // Row 3 holds three runes, column 10 two (one shared with the row at (10, 3)).
    Put(1, 3, 1);
    Put(5, 3, 2);
    Put(10, 3, 3);
    Put(10, 8, 4);
    bonusManagerAlt.AddBonusExt(BONUS_HOLYFIRE, 10, 5, 0);
    bonusManagerAlt.AddBonusExt(BONUS_BOMB, 1, 1, 0);
    control->SetClock(1000);
    bonusManagerAlt.Clear(10, 5);
    bonusManagerAlt.Clear(1, 1);
    control->SetClock(1600);
    bonusManagerAlt.Update();
    EXPECT_EQ(bonusManagerAlt.queue.Count(), 2u);
    EXPECT_TRUE(volcanoList.IsEmpty());
    control->SetClock(1601);
    bonusManagerAlt.Update();
    EXPECT_TRUE(bonusManagerAlt.queue.IsEmpty());
    EXPECT_EQ(Emitters<TRemoveLineEmiter>(), 4);
    // Bomb at (1, 1): its 5x5 square is cut to 4x4 by the edges and holds (1, 3).
    EXPECT_EQ(Emitters<TRemoveBlockEmiter>(), 16);
    // Holyfire's cross counts (10, 3) and (10, 8); the bomb counts (1, 3).
    EXPECT_EQ(bonusManagerAlt.matches, 3);
    EXPECT_EQ(bonusManagerAlt.scores, 150);
    EXPECT_EQ(points.actual, 150);
    EXPECT_FLOAT_EQ(bonusSndModifier, 0.7f);
    EXPECT_EQ(bonusSndTimer, 1601);
    // The bomb's freeze is the longer one.
    EXPECT_EQ(blocks.IsFreze(), 1);
    EXPECT_EQ(blocks.ToDefreze(), 1500);
}

TEST_F(Firing, ChainVolumeShrinksWithin500MsAndResetsAfter) {
    const int gaps[] = {0, 500, 200, 501};
    const float expected[] = {1.0f, 0.7f, 0.49f, 1.0f};
    int now = 10000;
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        now += gaps[i];
        bonusManagerAlt.AddBonusExt(BONUS_HEAL, 2, 2, 0);
        control->SetClock(now - 601);
        bonusManagerAlt.Clear(2, 2);
        control->SetClock(now);
        bonusManagerAlt.Update();
        EXPECT_NEAR(bonusSndModifier, expected[i], 1e-6);
    }
    // Heals score nothing but still hold the next piece back.
    EXPECT_EQ(points.actual, 0);
    EXPECT_EQ(blocks.IsFreze(), 1);
}

TEST_F(Firing, CaptionWaitsForTheLastTokenAndStandsInsideItsBox) {
    struct Case {
        int x, y;
        int capX, capY;
    };
    // Cell centres: x = 256 + 32 * col, y = 76 + 32 * row.
    for (const Case& c : {Case{2, 5, 320, 236}, Case{14, 0, 550, 100}, Case{0, 14, 256, 500}}) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        vsm::captions.Clear();
        bonusManagerAlt.AddBonusExt(BONUS_TELEPORT, 7, 7, 0);
        bonusManagerAlt.AddBonusExt(BONUS_HEAL, c.x, c.y, 0);
        control->SetClock(0);
        bonusManagerAlt.Clear(7, 7);
        bonusManagerAlt.Clear(c.x, c.y);
        bonusManagerAlt.AddCaption(6, 120, 2, 999, 999);
        EXPECT_EQ(bonusManagerAlt.captionX, c.capX);
        EXPECT_EQ(bonusManagerAlt.captionY, c.capY);
        EXPECT_EQ(bonusManagerAlt.captionType, BONUS_TELEPORT);
        EXPECT_EQ(vsm::captions.Count(), 0u);
        control->SetClock(601);
        bonusManagerAlt.Update();
        EXPECT_EQ(bonusManagerAlt.captionType, 0);
        auto shown = vsm::captions.Snapshot();
        ASSERT_EQ(shown.size(), 3u);
        // Captions wait for the freeze (1000 ms from the firing) to run out.
        EXPECT_EQ(shown[0]->delayTime, 1000);
        bool picture = false;
        for (const auto& cap : shown)
            picture = picture || cap->image == bonusManagerAlt.captions[BONUS_TELEPORT];
        EXPECT_TRUE(picture);
        bonusManagerAlt.replacerAlpha = 1;
    }
    // With nothing queued the numbers are kept but no caption is pending.
    bonusManagerAlt.AddCaption(1, 2, 3, 0, 0);
    EXPECT_EQ(bonusManagerAlt.captionType, 0);
    EXPECT_EQ(bonusManagerAlt.scores, 2);
}

TEST_F(Firing, TeleportStartsTheReplacementInTheSameUpdate) {
    Put(3, 3, 1);
    bonusManagerAlt.AddBonusExt(BONUS_TELEPORT, 0, 0, 0);
    control->SetClock(0);
    bonusManagerAlt.Clear(0, 0);
    control->SetClock(601);
    bonusManagerAlt.Update();
    EXPECT_NEAR(bonusManagerAlt.replacerAlpha, 0.01f, 1e-6);
    ASSERT_EQ(bonusManagerAlt.replacerDavar.size(), 1u);
    EXPECT_EQ(bonusManagerAlt.replacerDavar[0][0], 3);
    EXPECT_NE(bonusManagerAlt.replacerDavar[0][2], 1);
    EXPECT_EQ(bonusManagerAlt.matches, 0);
}

TEST_F(Firing, EffectsChainThroughTheTokensTheyUncover) {
    magicSphere.LoadExt("2 3 4 0 0", "50 50 50 0 0");
    Put(1, 1, 2);
    Put(2, 2, 2);
    Put(9, 2, 3);
    Put(2, 10, 4);
    Put(12, 12, 1); // untouched by both
    bonusManagerAlt.AddBonusExt(BONUS_DRAIN, 5, 5, 2);
    bonusManagerAlt.AddBonusExt(BONUS_HOLYFIRE, 2, 2, 0);
    control->SetClock(0);
    bonusManagerAlt.Clear(5, 5);
    control->SetClock(601);
    bonusManagerAlt.Update();
    EXPECT_EQ(points.actual, 100);
    RunEffects(36);
    EXPECT_EQ(board.davarLayer[1][1], 0);
    EXPECT_EQ(board.davarLayer[2][2], 0);
    ASSERT_EQ(bonusManagerAlt.queue.Count(), 1u);
    EXPECT_EQ(level.droppedSpells, 2);
    control->AdvanceClock(601);
    bonusManagerAlt.Update();
    EXPECT_TRUE(bonusManagerAlt.queue.IsEmpty());
    RunEffects(40);
    EXPECT_EQ(board.davarLayer[9][2], 0);
    EXPECT_EQ(board.davarLayer[2][10], 0);
    EXPECT_EQ(board.davarLayer[12][12], 1);
    EXPECT_EQ(points.actual, 200);
    EXPECT_EQ(bonusManagerAlt.matches, 4);
    EXPECT_EQ(magicSphere.ballsFil[0], 2);
    EXPECT_EQ(magicSphere.ballsFil[1], 1);
    EXPECT_EQ(magicSphere.ballsFil[2], 1);
}

} // namespace vsm::test
