// Ring of spells: the casting state machine driven by scripted clicks, and what each spell does.
#include "RingFixture.h"

#include "board/TBlocksManager.h"
#include "level/TLevelManager.h"
#include "level/TPointsManager.h"
#include "level/TTimeManager.h"
#include "magic/TBunusManagerA.h"
#include "platform/System.h"

namespace vsm::test {
namespace {

class RingCastTest : public RingFixture {};

TEST_F(RingCastTest, NoSlotCastsAtOrBelowItsActivationLevel) {
    for (int i = 0; i < SPHERE_BALLS; ++i)
        Ball(i, 0, 0);
    Ball(0, 4, 20);
    Ball(1, 10, 20);
    Ball(2, 1, 20);
    Ball(3, 2, 20);
    struct Case {
        int seqNo;
        int expected[RING_SPELLS];
    } cases[] = {
        {1, {0, 0, 0, 0}},  {4, {0, 0, 0, 0}},  {5, {0, 0, 0, 1}},  {10, {0, 0, 0, 1}},
        {11, {0, 1, 0, 1}}, {24, {0, 1, 0, 1}}, {25, {1, 1, 0, 1}}, {35, {1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("seqNo " + std::to_string(c.seqNo));
        sequencer.seqNo = c.seqNo;
        ringOfSpells.CheckSpells();
        for (int i = 0; i < RING_SPELLS; ++i)
            EXPECT_EQ(ringOfSpells.activedSpells[i], c.expected[i]) << i;
    }
    // Presses on every slot at sequence number 4 do nothing.
    sequencer.seqNo = 4;
    for (int i = 0; i < RING_SPELLS; ++i) {
        ClickSlot(i);
        EXPECT_EQ(ringOfSpells.stage, 0);
    }
    EXPECT_EQ(magicSphere.ballsFil[3], 20.0f);
}

TEST_F(RingCastTest, FireSpellRunsThroughAllStages) {
    sequencer.seqNo = 5;
    Ball(0, 2, 9);
    Put(5, 0, 1);  // on the target's column
    Put(14, 5, 2); // on the target's row
    Put(7, 7, 3);  // off the cross
    WriteSound("sfx/fx/fx-wziuu.ogg");
    ringOfSpells.LoadResources();

    // A press beside the slots and a press on a slot that cannot be cast do nothing.
    Click(5, 5);
    ClickSlot(SPELL_TIME);
    EXPECT_EQ(ringOfSpells.stage, 0);

    // Choosing the slot aims without paying; a right press cancels.
    ClickSlot(SPELL_FIRE);
    ASSERT_EQ(ringOfSpells.stage, 1);
    EXPECT_EQ(ringOfSpells.usedSpell, SPELL_FIRE);
    EXPECT_EQ(magicSphere.ballsFil[0], 9.0f);
    Click(600, 300, {2});
    EXPECT_EQ(ringOfSpells.stage, 0);
    EXPECT_EQ(magicSphere.ballsFil[0], 9.0f);

    // Aim again; presses off the board or on a hole keep aiming.
    ClickSlot(SPELL_FIRE);
    ASSERT_EQ(ringOfSpells.stage, 1);
    Click(100, 100);
    board.grid[2][2] = 0;
    ClickCell(2, 2);
    EXPECT_EQ(ringOfSpells.stage, 1);
    EXPECT_EQ(magicSphere.ballsFil[0], 9.0f);
    EXPECT_EQ(Plays("fx-wziuu.ogg"), 0);

    // An empty playable cell is a valid Fire target: pay at once.
    ClickCell(5, 5);
    EXPECT_EQ(ringOfSpells.stage, 2);
    EXPECT_EQ(ringOfSpells.usedSpellX, 5);
    EXPECT_EQ(ringOfSpells.usedSpellY, 5);
    EXPECT_EQ(magicSphere.ballsFil[0], 4.0f);
    EXPECT_EQ(ringOfSpells.fsEmiters.size(), 1u);
    EXPECT_EQ(Plays("fx-wziuu.ogg"), 1);

    // Right presses are ignored from here on.
    Click(600, 300, {2});
    EXPECT_EQ(ringOfSpells.stage, 2);

    // The mana flight arrives once one spark has landed and been dropped: 53 emitter updates,
    // the first in the paying frame; the ring sees it in the next frame.
    Idle(51);
    EXPECT_EQ(ringOfSpells.stage, 2);
    Frame();
    EXPECT_EQ(ringOfSpells.stage, 3);
    EXPECT_TRUE(ringOfSpells.fsEmiters.empty());
    ASSERT_NE(ringOfSpells.tbEmiter, nullptr);
    EXPECT_EQ(ringOfSpells.tbEmiter->bx, 240.0f + 5 * 32 + 16);
    EXPECT_EQ(ringOfSpells.tbEmiter->by, 60.0f + 5 * 32 + 16);

    const int pointsBefore = points.actual;
    EXPECT_EQ(RunUntilStage(4), 53);
    EXPECT_EQ(ringOfSpells.tbEmiter, nullptr);
    EXPECT_EQ(points.actual - pointsBefore, 100); // two runes on the cross

    // The delay must be passed, not just reached.
    control->SetFrameStep(0);
    control->AdvanceClock(1200 - (MilliSecs() - static_cast<int>(ringOfSpells.timer)));
    Frame();
    EXPECT_EQ(ringOfSpells.stage, 4);
    control->AdvanceClock(1);
    Frame();
    EXPECT_EQ(ringOfSpells.stage, 5);
    Frame();
    EXPECT_EQ(ringOfSpells.stage, 0);

    // The sweep removes the runes of the cross only.
    control->SetFrameStep(1000.0 / 60);
    Idle(120);
    EXPECT_EQ(board.davarLayer[5][0], 0);
    EXPECT_EQ(board.davarLayer[14][5], 0);
    EXPECT_EQ(board.davarLayer[7][7], 3);
}

TEST_F(RingCastTest, EachSpellWaitsMoreThanItsDelayAfterTakingEffect) {
    const int delays[RING_SPELLS] = {500, 1000, 100, 1200};
    control->SetFrameStep(0);
    for (int i = 0; i < RING_SPELLS; ++i) {
        SCOPED_TRACE(SpellName(i));
        ringOfSpells.usedSpell = i;
        ringOfSpells.stage = 4;
        ringOfSpells.timer = static_cast<float>(MilliSecs());
        control->AdvanceClock(delays[i]);
        Frame();
        EXPECT_EQ(ringOfSpells.stage, 4);
        control->AdvanceClock(1);
        Frame();
        EXPECT_EQ(ringOfSpells.stage, 5);
        Frame();
        EXPECT_EQ(ringOfSpells.stage, 0);
    }
}

TEST_F(RingCastTest, SettlingWaitsForQueuedTokensAndTheFreeze) {
    Ball(0, 2, 9);
    ringOfSpells.usedSpell = SPELL_FIRE;
    ringOfSpells.stage = 5;
    bonusManagerAlt.AddBonusExt(1, 3, 3, 1);
    bonusManagerAlt.Clear(3, 3);
    ASSERT_FALSE(bonusManagerAlt.queue.IsEmpty());
    Idle(3);
    EXPECT_EQ(ringOfSpells.stage, 5);
    bonusManagerAlt.queue.Clear();
    blocks.Freze(5000);
    Idle(3);
    EXPECT_EQ(ringOfSpells.stage, 5);
    blocks.Freze(-1);
    Frame();
    EXPECT_EQ(ringOfSpells.stage, 0);
}

TEST_F(RingCastTest, TimeSpellPaysAtOnceAndGivesTheClockBackTime) {
    sequencer.seqNo = 35;
    Ball(2, 1, 5);
    control->SetClock(60000);
    timeManager.startSystemTime = 60000 - 50000; // 50 s into the level

    ClickSlot(SPELL_TIME);
    EXPECT_EQ(ringOfSpells.stage, 2);
    EXPECT_EQ(magicSphere.ballsFil[2], 0.0f);
    Click(600, 300, {2}); // cannot be cancelled
    EXPECT_EQ(ringOfSpells.stage, 2);

    ASSERT_GT(RunUntilStage(3), 0);
    ASSERT_NE(ringOfSpells.tbEmiter, nullptr);
    EXPECT_EQ(ringOfSpells.tbEmiter->bx, 106.0f);
    EXPECT_EQ(ringOfSpells.tbEmiter->by, 275.0f);
    const int start = timeManager.startSystemTime;
    ASSERT_GT(RunUntilStage(4), 0);
    EXPECT_EQ(timeManager.startSystemTime, start + 30000);
    ASSERT_GT(RunUntilStage(0), 0);
}

TEST_F(RingCastTest, TimeSpellNeverDrivesTheElapsedTimeBelowZero) {
    struct Case {
        int seqNo;
        int elapsedBefore;
        int elapsedAfter;
    } cases[] = {
        {35, 10000, 0}, {35, 45000, 15000}, {3, 45000, 25000}, {3, 5000, 0}, {35, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("seqNo " + std::to_string(c.seqNo) + " elapsed " + std::to_string(c.elapsedBefore));
        sequencer.seqNo = c.seqNo;
        control->SetClock(100000);
        timeManager.startSystemTime = 100000 - c.elapsedBefore;
        ringOfSpells.usedSpell = SPELL_TIME;
        ringOfSpells.ActivateSpell();
        EXPECT_EQ(MilliSecs() - timeManager.startSystemTime, c.elapsedAfter);
    }
}

TEST_F(RingCastTest, MagicSandNeedsATokenAndReportsTheMissingOneOncePerLevel) {
    sequencer.seqNo = 25;
    Ball(1, 13, 6);
    ClickSlot(SPELL_MAGIC_SAND);
    ASSERT_EQ(ringOfSpells.stage, 1);

    ClickCell(4, 4);
    EXPECT_EQ(ringOfSpells.stage, 1);
    EXPECT_EQ(events, std::vector<std::string>{"ACTIVATOR_ERROR"});
    ClickCell(4, 5);
    EXPECT_EQ(events.size(), 1u);
    EXPECT_EQ(magicSphere.ballsFil[1], 6.0f);

    // A new level may post it again.
    ringOfSpells.Clear();
    ClickSlot(SPELL_MAGIC_SAND);
    ClickCell(4, 4);
    EXPECT_EQ(events.size(), 2u);

    // On a token the spell is paid and sets the token off when it lands.
    Put(6, 6, 2);
    bonusManagerAlt.AddBonusExt(3, 6, 6, 2);
    ClickCell(6, 6);
    EXPECT_EQ(ringOfSpells.stage, 2);
    EXPECT_EQ(magicSphere.ballsFil[1], 1.0f);
    ASSERT_GT(RunUntilStage(4), 0);
    EXPECT_EQ(bonusManagerAlt.FindBonus(6, 6), 0);
    EXPECT_EQ(bonusManagerAlt.queue.Count(), 1u);
    EXPECT_EQ(board.davarLayer[6][6], 2); // the spell itself removes nothing

    // The ring holds in stage 5 while the token waits to fire.
    control->AdvanceClock(600);
    Idle(3);
    EXPECT_EQ(ringOfSpells.stage, 5);
}

TEST_F(RingCastTest, SpreadSpellIgnoresEmptyAndSpecialTargetsAndWaitsForTheRecolouring) {
    sequencer.seqNo = 11;
    Ball(4, 14, 5);
    for (int x = 3; x <= 7; ++x)
        for (int y = 3; y <= 7; ++y)
            Put(x, y, 1 + (x + y) % 3);
    Put(5, 5, 4);
    Put(8, 8, 13);

    ClickSlot(SPELL_SPREAD);
    ASSERT_EQ(ringOfSpells.stage, 1);
    ClickCell(0, 0); // empty
    ClickCell(8, 8); // rune id 13
    EXPECT_EQ(ringOfSpells.stage, 1);
    EXPECT_EQ(magicSphere.ballsFil[4], 5.0f);
    ClickCell(5, 5);
    EXPECT_EQ(ringOfSpells.stage, 2);
    EXPECT_EQ(magicSphere.ballsFil[4], 0.0f);

    ASSERT_GT(RunUntilStage(4), 0);
    EXPECT_EQ(ringOfSpells.coloryzerAlpha, 0.0f);

    // While the recolouring runs, clicks reach nothing and the delay does not end the stage.
    Ball(0, 2, 9);
    sequencer.seqNo = 11;
    control->AdvanceClock(5000);
    ClickSlot(SPELL_FIRE);
    EXPECT_EQ(ringOfSpells.stage, 4);
    int frames = 0;
    while (ringOfSpells.coloryzerAlpha < 1.0f && frames < 200) {
        Frame();
        ++frames;
        EXPECT_EQ(ringOfSpells.stage, 4);
    }
    EXPECT_GE(ringOfSpells.coloryzerAlpha, 1.0f);
    // The whole 5x5 square became rune 4: every row and column of it is a run, so all 25 runes
    // clear in one move of one colour class: 1 x (50 x 25 + 100) + 25 x 22 + 50 x 19 = 2850.
    EXPECT_EQ(RunesOnBoard(), 1) << "only the special stone outside the square stays";
    EXPECT_EQ(board.davarLayer[8][8], 13);
    EXPECT_EQ(points.actual, 2850);
    EXPECT_EQ(level.matches, 1);
    EXPECT_EQ(level.combos, 0);
    EXPECT_GT(RunUntilStage(0), 0);
}

TEST_F(RingCastTest, BothButtonsWhileAimingCancelThenCast) {
    Ball(0, 8, 5);
    ClickSlot(SPELL_FIRE);
    ASSERT_EQ(ringOfSpells.stage, 1);
    ClickCell(9, 9, {1, 2});
    EXPECT_EQ(ringOfSpells.stage, 2);
    EXPECT_EQ(magicSphere.ballsFil[0], 0.0f);
}

TEST_F(RingCastTest, ClearDuringACastForgetsItsFlightsButNotThePayment) {
    Ball(0, 2, 7);
    ClickSlot(SPELL_FIRE);
    ClickCell(3, 3);
    ASSERT_EQ(ringOfSpells.stage, 2);
    ringOfSpells.coloryzerAlpha = 0.5f;
    ringOfSpells.showActivatorError = 0;
    ringOfSpells.Clear();
    EXPECT_EQ(ringOfSpells.stage, 0);
    EXPECT_TRUE(ringOfSpells.fsEmiters.empty());
    EXPECT_EQ(ringOfSpells.tbEmiter, nullptr);
    EXPECT_EQ(ringOfSpells.coloryzerAlpha, 1.0f);
    EXPECT_EQ(ringOfSpells.showActivatorError, 1);
    EXPECT_EQ(magicSphere.ballsFil[0], 2.0f);
    EXPECT_EQ(ringOfSpells.usedSpell, SPELL_FIRE);
}

TEST_F(RingCastTest, FireSpellCrossesFollowTheSequenceNumber) {
    auto clearRunes = [] {
        for (int x = 0; x < BOARD_CELLS; ++x)
            for (int y = 0; y < BOARD_CELLS; ++y)
                board.davarLayer[x][y] = 0;
    };
    // Casts the Fire Spell at (x, y) at that campaign position; returns the points it scored.
    auto castFire = [](int seqNo, int x, int y) {
        volcanoList.Clear();
        points.actual = 0;
        sequencer.seqNo = seqNo;
        ringOfSpells.usedSpell = SPELL_FIRE;
        ringOfSpells.usedSpellX = x;
        ringOfSpells.usedSpellY = y;
        ringOfSpells.ActivateSpell();
        return points.actual;
    };
    // One rune reachable only by each cross: column 4 (cross at 4,4), column 5 (5,5), row 6 (6,6).
    struct Case {
        int seqNo;
        int tx, ty;
        int points;
    } cases[] = {
        {5, 5, 5, 50},   {14, 5, 5, 50}, {15, 5, 5, 100}, {43, 5, 5, 100},
        {44, 5, 5, 150}, {15, 0, 14, 0}, {15, 14, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("seqNo " + std::to_string(c.seqNo) + " at " + std::to_string(c.tx) + "," +
                     std::to_string(c.ty));
        clearRunes();
        Put(4, 0, 1);
        Put(5, 14, 2);
        Put(14, 6, 3);
        control->ClearSoundLog();
        EXPECT_EQ(castFire(c.seqNo, c.tx, c.ty), c.points);
    }
    // A rune on the cross's centre counts once.
    Put(5, 5, 4);
    EXPECT_EQ(castFire(5, 5, 5), 100);
    board.davarLayer[5][5] = 0;
    // Corner (0, 0) at 15..43: one cross through (1, 1) only; (0, 0) itself is never used.
    Put(1, 9, 1);
    Put(0, 9, 1);
    EXPECT_EQ(castFire(20, 0, 0), 50);
    // Crosses along the diagonal overlap: (5, 4) lies on row 4 of the cross at (4, 4) and on
    // column 5 of the cross at (5, 5), and is removed, so paid, once.
    clearRunes();
    Put(5, 4, 2);
    EXPECT_EQ(castFire(44, 5, 5), 50);
    board.davarLayer[5][4] = 0;
    // Unplayable diagonal neighbours give no cross.
    board.grid[4][4] = 0;
    board.grid[6][6] = 0;
    EXPECT_EQ(castFire(44, 5, 5), 0);
}

TEST_F(RingCastTest, FireSoundPlaysEvenWithoutACross) {
    WriteSound("sfx/fx/playgame-magic-1-fire.ogg");
    bonusManagerAlt.LoadResources();
    control->ClearSoundLog();
    sequencer.seqNo = 20;
    ringOfSpells.usedSpell = SPELL_FIRE;
    ringOfSpells.usedSpellX = 14;
    ringOfSpells.usedSpellY = 0;
    ringOfSpells.ActivateSpell();
    EXPECT_EQ(Plays("playgame-magic-1-fire.ogg"), 1);
    EXPECT_TRUE(volcanoList.IsEmpty());
}

} // namespace
} // namespace vsm::test
