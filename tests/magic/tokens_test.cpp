// Tests of the bonus tokens and the bonus manager's placement, lookup, clearing of effects and
// the saved form of the tokens.
#include "MagicFixture.h"

#include "board/BoardSeams.h"
#include "board/TBlocksManager.h"
#include "level/TLevelManager.h"
#include "magic/TBunusManagerA.h"
#include "magic/TRemoveLineEmiter.h"
#include "services/TVolcanoEmiter.h"

namespace vsm::test {

namespace {

class Tokens : public MagicFixture {
  protected:
    void SetUp() override {
        MagicFixture::SetUp();
        StandardRunes();
    }
    // The image draws of the log (tokens and glows).
    std::vector<DrawCall> Images() const {
        std::vector<DrawCall> out;
        for (const DrawCall& c : control->DrawLog())
            if (c.op == "image") out.push_back(c);
        return out;
    }
};

} // namespace

TEST_F(Tokens, CanGoOnlyAfterTheActivationTimeHasPassed) {
    bonusManagerAlt.AddBonusExt(BONUS_BOMB, 3, 3, 0);
    auto t = bonusManagerAlt.GetBonus(3, 3);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->activateTime, 600);
    EXPECT_EQ(t->blockFrezeTime, 1500);
    control->SetClock(1000);
    t->Activate();
    control->SetClock(1600);
    EXPECT_EQ(t->CanGo(), 0);
    control->SetClock(1601);
    EXPECT_EQ(t->CanGo(), 1);
}

TEST_F(Tokens, DrawFadesInAndScalesWithTheTileSize) {
    WritePicture("gfx/bonusy/mag_06.png", 8, 8);
    for (const char* g : {"posw2a", "posw2b", "posw2a-duza", "posw2b-duza"})
        WritePicture(std::string("gfx/bonusy/") + g + ".png", 4, 4);
    bonusManagerAlt.LoadResources();
    struct Case {
        int tile;
        float scale;
        int margin;
        int glow;
    };
    for (const Case& c : {Case{32, 1.0f, 9, 0}, Case{40, 1.25f, 14, 2}}) {
        SCOPED_TRACE(c.tile);
        bonusManagerAlt.ClearSpells();
        board.tileSize = c.tile;
        bonusManagerAlt.AddBonusExt(BONUS_HOLYFIRE, 2, 1, 0);
        control->ClearDrawLog();
        bonusManagerAlt.Draw();
        auto draws = Images();
        ASSERT_EQ(draws.size(), 3u);
        EXPECT_EQ(draws[0].image, bonusManagerAlt.images[1]);
        EXPECT_FLOAT_EQ(draws[0].state.scaleX, c.scale);
        EXPECT_FLOAT_EQ(draws[0].state.alpha, 0.05f);
        EXPECT_EQ(draws[1].image, bonusManagerAlt.glows[c.glow]);
        EXPECT_EQ(draws[2].image, bonusManagerAlt.glows[c.glow + 1]);
        EXPECT_FLOAT_EQ(draws[1].x, static_cast<float>(board.offsetX + c.tile * 2 - c.margin));
        EXPECT_FLOAT_EQ(draws[1].state.scaleX, 1.0f);
        for (int i = 0; i < 30; ++i)
            bonusManagerAlt.Draw();
        EXPECT_FLOAT_EQ(bonusManagerAlt.GetBonus(2, 1)->globalAlpha, 1.0f);
    }
    // An activated token spins and grows with the clock, unclamped, and shows no glow.
    board.tileSize = 32;
    control->SetClock(0);
    bonusManagerAlt.Clear(2, 1);
    control->SetClock(900); // 1.5 x its 600 ms
    control->ClearDrawLog();
    bonusManagerAlt.Draw();
    auto draws = Images();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_FLOAT_EQ(draws[0].state.rotation, 405.0f);
    EXPECT_FLOAT_EQ(draws[0].state.scaleX, 1.75f);
    EXPECT_FLOAT_EQ(draws[0].state.alpha, 0.25f);
}

TEST_F(Tokens, RandomPlacementTakesOnlyPlainRunesWithoutAToken) {
    level.availableSpells = {"1"};
    Put(0, 0, 101); // stone
    Put(1, 0, 2);   // the only eligible cell
    Put(2, 0, 3);
    board.grid[2][0] = 0; // a rune on a hole
    Put(3, 0, 77);        // an id the catalogue does not know
    bonusManagerAlt.AddBonusExt(BONUS_BOMB, 4, 0, 0);
    Put(4, 0, 4); // already carries a token
    bonusManagerAlt.AddBonus(0);
    EXPECT_EQ(bonusManagerAlt.FindBonus(1, 0), BONUS_HOLYFIRE);
    EXPECT_EQ(level.recivedSpells, 1);
    bonusManagerAlt.AddBonus(0);
    EXPECT_EQ(bonusManagerAlt.bonuses.Count(), 2u);
    EXPECT_EQ(level.recivedSpells, 1);
    // A taken token frees its cell again.
    bonusManagerAlt.Clear(1, 0);
    int x = -1, y = -1, c = -1;
    EXPECT_EQ(bonusManagerAlt.GetRandomPlace(x, y, c), 1);
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(c, 2);
}

TEST_F(Tokens, KindChoiceFollowsTheLevelAndTheHealNeedsAStone) {
    struct Case {
        std::vector<std::string> allowed;
        int asked;
        bool stone;
        int placed; // kind found on the board, 0 none
        int counted;
    };
    const Case cases[] = {
        {{}, 0, false, 0, 0},
        {{"5"}, 0, false, 0, 0},
        {{"5", "5"}, 0, false, 0, 0},
        {{"5"}, 0, true, BONUS_HEAL, 1},
        {{"5", "3"}, 5, false, BONUS_BOMB, 1},
        {{"4"}, 0, false, BONUS_DRAIN, 1},
        {{"9"}, 0, false, 0, 0}, // not a kind: nothing placed, nothing counted
        {{}, 6, false, BONUS_TELEPORT, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "asked " << c.asked << " stone " << c.stone);
        bonusManagerAlt.ClearSpells();
        level.recivedSpells = 0;
        level.availableSpells = c.allowed;
        board.davarLayer[5][5] = 0;
        Put(6, 6, 3);
        if (c.stone) Put(5, 5, 102);
        bonusManagerAlt.AddBonus(c.asked);
        EXPECT_EQ(bonusManagerAlt.FindBonus(6, 6), c.placed);
        EXPECT_EQ(level.recivedSpells, c.counted);
        if (c.placed != 0) {
            EXPECT_EQ(bonusManagerAlt.GetBonus(6, 6)->color, c.placed == BONUS_DRAIN ? 3 : 0);
        }
    }
}

TEST_F(Tokens, ExplicitTokensStackAndTheFirstAnswers) {
    bonusManagerAlt.AddBonusExt(BONUS_DRAIN, 7, 7, 4);
    bonusManagerAlt.AddBonusExt(BONUS_HEAL, 7, 7, 4);
    bonusManagerAlt.AddBonusExt(0, 1, 1, 0);
    bonusManagerAlt.AddBonusExt(7, 1, 1, 0);
    bonusManagerAlt.AddBonusExt(BONUS_HEAL, 15, 1, 0);
    EXPECT_EQ(bonusManagerAlt.bonuses.Count(), 2u);
    EXPECT_EQ(bonusManagerAlt.FindBonus(7, 7), BONUS_DRAIN);
    EXPECT_EQ(bonusManagerAlt.GetBonus(7, 7)->color, 4);
    EXPECT_EQ(bonusManagerAlt.bonuses.Last()->color, 0);
    EXPECT_EQ(bonusManagerAlt.FindBonus(1, 1), 0);
    // The board reaches the manager through its hooks.
    EXPECT_EQ(boardSeams.FindBonus(7, 7), BONUS_DRAIN);
    boardSeams.ClearBonus(7, 7);
    EXPECT_EQ(bonusManagerAlt.queue.Count(), 2u);
    EXPECT_EQ(boardSeams.BonusActive(), 1);
}

TEST_F(Tokens, SavedTokensRoundTripAndHostileEntriesAreSkipped) {
    bonusManagerAlt.AddBonusExt(BONUS_DRAIN, 3, 4, 2);
    bonusManagerAlt.AddBonusExt(BONUS_BOMB, 0, 14, 0);
    bonusManagerAlt.AddBonusExt(BONUS_HEAL, 9, 9, 0);
    bonusManagerAlt.Clear(9, 9); // taken tokens are not saved
    const auto saved = bonusManagerAlt.SaveTokens();
    EXPECT_EQ(saved, (std::vector<std::string>{"4:3:4:2", "3:0:14:0"}));

    ResetBonusManager();
    std::vector<std::string> entries = saved;
    for (const char* bad :
         {"", "1:2:3", "1:2:3:4:5", "0:1:1:0", "7:1:1:0", "1:15:0:0", "1:-1:0:0", "1:0:15:0", "a:1:1:0",
          "1:1.5:1:0", "1:1:1:", "1:1:1: 2", "99999999999:1:1:0", "1::1:0"})
        entries.push_back(bad);
    EXPECT_EQ(bonusManagerAlt.LoadTokens(entries), 2);
    EXPECT_EQ(bonusManagerAlt.SaveTokens(), saved);
    EXPECT_EQ(bonusManagerAlt.GetBonus(3, 4)->globalAlpha, 0); // fades in again
    EXPECT_EQ(bonusManagerAlt.GetBonus(3, 4)->activateTime, 600);
}

TEST_F(Tokens, ClearingEffectsStopsEffectsTeleportAndCaptionButKeepsTokens) {
    TRemoveLineEmiter::add(0, 0, 100, 0, 1);
    bonusManagerAlt.AddBonusExt(BONUS_BOMB, 1, 1, 0);
    bonusManagerAlt.replacerAlpha = 0.5f;
    bonusManagerAlt.replacerDavar.push_back({1, 1, 2});
    bonusManagerAlt.captionType = 3;
    bonusManagerAlt.ClearEfects();
    EXPECT_TRUE(volcanoList.IsEmpty());
    EXPECT_EQ(bonusManagerAlt.replacerAlpha, 1);
    EXPECT_TRUE(bonusManagerAlt.replacerDavar.empty());
    EXPECT_EQ(bonusManagerAlt.captionType, 0);
    EXPECT_EQ(bonusManagerAlt.bonuses.Count(), 1u);
    bonusManagerAlt.ClearSpells();
    EXPECT_TRUE(bonusManagerAlt.bonuses.IsEmpty());
}

TEST_F(Tokens, StonesOnBoardAndSilentClear) {
    EXPECT_EQ(bonusManagerAlt.StonesOnBoard(), 0);
    Put(14, 14, 13);
    EXPECT_EQ(bonusManagerAlt.StonesOnBoard(), 1);
    bonusManagerAlt.AddBonusExt(BONUS_BOMB, 2, 2, 0);
    bonusManagerAlt.ClearSilent(2, 2);
    EXPECT_EQ(bonusManagerAlt.FindBonus(2, 2), 0);
    EXPECT_TRUE(bonusManagerAlt.queue.IsEmpty());
    EXPECT_EQ(level.droppedSpells, 0);
}

} // namespace vsm::test
