// The rune sequence, the sheet hit test, the judging of clicks and the spells won.
#include "RingFixture.h"

#include "platform/System.h"
#include "ringgame/TRingGame.h"
#include "services/TMouse.h"
#include "services/TRingEmiter.h"

#include <set>

namespace vsm::test {

namespace {

class RingSequence : public RingFixture {
  protected:
    void SetUp() override {
        RingFixture::SetUp();
        control->SetClock(100000);
        ringGame.runeTime = 3000;
        ringGame.availableSpells = {"3"};
        ringGame.seqMaxLen = 2;
        ringGame.createSequence(2, 1);
        ringGame.delayTime = -1;
        ringGame.resetRune();
        mouse.Clear();
    }
    // One judged frame with the pointer on `sheet` (-1: beside every sheet), clicking when asked.
    void Frame(int sheet, bool click, bool right = false) {
        ringGame.selectedRune = sheet;
        mouse.leftPressed = click && !right;
        mouse.rightPressed = click && right;
        ringGame.updateSequence();
    }
    int Wrong() const { return (ringGame.sequence[ringGame.seqPos] + 1) % RING_RUNES; }
};

} // namespace

TEST_F(RingSequence, NeighboursDifferEveryRuneComesAndTheRestIsEmpty) {
    std::set<int> seen;
    for (int round = 0; round < 200; ++round) {
        ringGame.createSequence(19, 1);
        for (int i = 0; i < RING_RUNES; ++i) {
            ASSERT_GE(ringGame.sequence[i], 0);
            ASSERT_LT(ringGame.sequence[i], RING_RUNES);
            seen.insert(ringGame.sequence[i]);
            if (i > 0) {
                ASSERT_NE(ringGame.sequence[i], ringGame.sequence[i - 1]);
            }
        }
    }
    EXPECT_EQ(seen.size(), 20u);

    ringGame.createSequence(3, 1);
    EXPECT_EQ(ringGame.seqLen, 3);
    EXPECT_EQ(ringGame.seqPos, 0);
    for (int i = 4; i < RING_RUNES; ++i)
        EXPECT_EQ(ringGame.sequence[i], -1);
    // A length beyond the array is held to it rather than writing past it.
    ringGame.createSequence(40, 1);
    EXPECT_EQ(ringGame.seqLen, 19);
}

TEST_F(RingSequence, SheetBoxesIncludeTheirEdges) {
    struct Case {
        int x, y, sheet;
    };
    const Case cases[] = {
        {185, 65, 0},   {235, 65, 0},  {236, 65, -1},  {184, 65, -1},  {210, 125, 0},  {210, 126, -1},
        {210, 64, -1},  {110, 95, 5},  {135, 165, 6},  {565, 295, 12}, {615, 395, 13}, {690, 525, 19},
        {665, 465, 19}, {160, 95, -1}, {400, 300, -1}, {210, 145, -1}, {716, 500, -1}, {590, 130, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        mouse.x = c.x;
        mouse.y = c.y;
        EXPECT_EQ(ringGame.checkRows(), c.sheet);
    }
}

TEST_F(RingSequence, RightSheetsScoreWrongOnesWarnAndClicksBesideDoNothing) {
    const int first = ringGame.sequence[0];
    Frame(-1, true);
    EXPECT_EQ(Plays("playgamering-czarbad.ogg"), 0);
    EXPECT_EQ(ringGame.seqPos, 0);

    Frame(first, true, /*right=*/true);
    EXPECT_EQ(ringGame.seqHits, 1);
    EXPECT_EQ(ringGame.seqPos, 1);
    EXPECT_FLOAT_EQ(ringGame.progres, 1.0f / 3);
    EXPECT_EQ(Plays("playgamering-czargood.ogg"), 1);

    control->AdvanceClock(1000);
    const int64_t start = ringGame.runeStart;
    Frame(Wrong(), true);
    EXPECT_EQ(Plays("playgamering-czarbad.ogg"), 1);
    EXPECT_EQ(ringGame.seqPos, 1);
    EXPECT_EQ(ringGame.seqHits, 1);
    EXPECT_EQ(ringGame.runeStart, start);
}

TEST_F(RingSequence, ARuneAfterTheFirstTimesOutToTheSameSequence) {
    const auto runes = ringGame.sequence;
    // The first rune waits for ever.
    control->AdvanceClock(60000);
    Frame(-1, false);
    EXPECT_EQ(Plays("playgamering-czarwkuli.ogg"), 0);

    Frame(runes[0], true);
    control->AdvanceClock(3000);
    Frame(-1, false);
    EXPECT_EQ(ringGame.seqPos, 1) << "exactly the rune time has not run out";
    control->AdvanceClock(1);
    Frame(-1, false);
    EXPECT_EQ(ringGame.seqPos, 0);
    EXPECT_EQ(ringGame.progres, 0);
    EXPECT_EQ(Plays("playgamering-czarwkuli.ogg"), 1);
    EXPECT_EQ(ringGame.sequence, runes);
    EXPECT_EQ(ringGame.seqHits, 1);
}

TEST_F(RingSequence, ACompletedSequenceWinsASpellAndPausesClicksForASecond) {
    const auto runes = ringGame.sequence;
    for (int i = 0; i < 3; ++i)
        Frame(runes[i], true);
    EXPECT_EQ(ringGame.seqHits, 3);
    EXPECT_EQ(ringGame.recivedSpells, 1);
    EXPECT_EQ(ringGame.spells[2]->counter, 1);
    EXPECT_EQ(ringEmiterList.Count(), 1u);
    EXPECT_EQ(Plays("playgamering-czargeted.ogg"), 1);
    EXPECT_EQ(ringGame.progres, 1);
    EXPECT_EQ(ringGame.seqPos, 0);

    const int next = ringGame.sequence[0];
    control->AdvanceClock(1000);
    Frame(next, true);
    EXPECT_EQ(ringGame.seqHits, 3) << "clicks are ignored during the pause";
    control->AdvanceClock(1);
    Frame(next, true);
    EXPECT_EQ(ringGame.seqHits, 3) << "the frame that ends the pause still ignores its click";
    EXPECT_EQ(ringGame.delayTime, -1);
    EXPECT_EQ(ringGame.progres, 0);
    Frame(next, true);
    EXPECT_EQ(ringGame.seqHits, 4);
}

TEST_F(RingSequence, WithoutSpellsASequenceStillPausesButAwardsNothing) {
    ringGame.availableSpells.clear();
    ringGame.seqMaxLen = 0;
    ringGame.createSequence(0, 1);
    Frame(ringGame.sequence[0], true);
    EXPECT_EQ(ringGame.seqHits, 1);
    EXPECT_EQ(ringGame.recivedSpells, 0);
    EXPECT_GE(ringGame.delayTime, 0);
    EXPECT_EQ(Plays("playgamering-czargeted.ogg"), 0);
    for (const auto& s : ringGame.spells)
        EXPECT_EQ(s->counter, 0);
}

TEST_F(RingSequence, SpellIconsShowOnlyOnceWonAndCrossFadeEveryHundredAndOneFrames) {
    TRingSpell& icon = *ringGame.spells[0];
    icon.Draw(400, 260, 1, 0, 1);
    EXPECT_TRUE(control->DrawLog().empty());
    EXPECT_FLOAT_EQ(icon.alpha1, 1.0f);

    icon.counter = 1;
    for (int i = 0; i < 100; ++i)
        icon.Draw(400, 260, 1, 0, 1);
    EXPECT_EQ(icon.frame1, 0);
    icon.Draw(400, 260, 1, 0, 1);
    EXPECT_EQ(icon.frame1, 1);
    EXPECT_EQ(icon.frame2, 2);
    EXPECT_FLOAT_EQ(icon.alpha1, 1.0f);

    // Kind 1 sits at range -97.899, angle -60.366 around the ring's centre.
    int px = 0, py = 0;
    icon.Spot(400, 260, 1, 0, px, py);
    EXPECT_EQ(px, 352);
    EXPECT_EQ(py, 345);
}

} // namespace vsm::test
