// Ring of spells: the pointer tests over slots and cells, the spark flights and their arrival.
#include "RingFixture.h"

#include "board/TBlocksManager.h"

namespace vsm::test {
namespace {

class RingFlightTest : public RingFixture {};

TEST_F(RingFlightTest, SlotBoxesAreOpenSquaresOf48Pixels) {
    const int left[RING_SPELLS] = {79, 144, 80, 16};
    const int top[RING_SPELLS] = {342, 378, 414, 378};
    for (int i = 0; i < RING_SPELLS; ++i) {
        SCOPED_TRACE("slot " + std::to_string(i));
        struct Probe {
            int dx, dy, hit;
        } probes[] = {{1, 1, 1}, {48, 48, 1}, {0, 10, 0}, {10, 0, 0}, {49, 10, 0}, {10, 49, 0}, {25, 25, 1}};
        for (const Probe& p : probes) {
            mouse.x = left[i] + p.dx;
            mouse.y = top[i] + p.dy;
            int slot = 77;
            EXPECT_EQ(ringOfSpells.MouseInSpell(slot), p.hit) << p.dx << "," << p.dy;
            EXPECT_EQ(slot, p.hit ? i : 77);
        }
        EXPECT_EQ(ringOfSpells.SlotCentreX(i), left[i] + 25);
        EXPECT_EQ(ringOfSpells.SlotCentreY(i), top[i] + 25);
    }
}

TEST_F(RingFlightTest, BoardCellUnderThePointer) {
    board.grid[0][3] = 1;
    board.grid[7][7] = 0;
    struct Case {
        int x, y;
        int cx, cy, result;
    } cases[] = {
        {230, 60 + 3 * 32 + 4, 0, 3, 1},      // less than a tile left of the board truncates to column 0
        {240 + 15 * 32, 100, 15, 1, 0},       // past the right edge
        {240 + 7 * 32, 60 + 7 * 32, 7, 7, 0}, // a hole
        {240 + 14 * 32 + 31, 60 + 14 * 32 + 31, 14, 14, 1},
        {200, 100, -1, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        mouse.x = c.x;
        mouse.y = c.y;
        int cx = 99, cy = 99;
        EXPECT_EQ(ringOfSpells.MouseInBoard(cx, cy), c.result);
        EXPECT_EQ(cx, c.cx);
        EXPECT_EQ(cy, c.cy);
    }
    board.tileSize = 0;
    int cx = 0, cy = 0;
    EXPECT_EQ(ringOfSpells.MouseInBoard(cx, cy), 0);
}

TEST_F(RingFlightTest, ArrivalNeedsAllSparksLaunchedAndOneLanded) {
    EXPECT_EQ(ringOfSpells.FSEmitersInPlace(), 1);
    EXPECT_EQ(ringOfSpells.TBEmiterInPlace(), 1);

    ringOfSpells.usedSpell = SPELL_FIRE;
    ringOfSpells.usedSpellX = 2;
    ringOfSpells.usedSpellY = 2;
    ringOfSpells.ToBoardEmiter();
    VolcanoEmiterPtr e = ringOfSpells.tbEmiter;
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(volcanoList.Contains(e.get()));
    EXPECT_EQ(e->maxCount, 50.0f);
    EXPECT_EQ(e->dt, 0.02f);
    EXPECT_EQ(e->r + e->g + e->b, 3 * 255);

    // 50 launched, all alive: not yet.
    for (int i = 0; i < 50; ++i)
        TVolcanoEmiter::updateAll();
    EXPECT_EQ(e->entities.Count(), 50u);
    EXPECT_EQ(ringOfSpells.TBEmiterInPlace(), 0);
    TVolcanoEmiter::updateAll();
    TVolcanoEmiter::updateAll();
    EXPECT_EQ(ringOfSpells.TBEmiterInPlace(), 0);
    TVolcanoEmiter::updateAll();
    EXPECT_EQ(ringOfSpells.TBEmiterInPlace(), 1);
    // Until all are gone, and then still.
    for (int i = 0; i < 200 && volcanoList.Contains(e.get()); ++i)
        TVolcanoEmiter::updateAll();
    EXPECT_FALSE(volcanoList.Contains(e.get()));
    EXPECT_EQ(ringOfSpells.TBEmiterInPlace(), 1);

    // fsEmiters waits for its slowest flight.
    Ball(0, 2, 10);
    Ball(1, 8, 10);
    ringOfSpells.FromSphereEmiter(2);
    for (int i = 0; i < 60; ++i)
        TVolcanoEmiter::updateAll();
    ringOfSpells.FromSphereEmiter(8);
    EXPECT_EQ(ringOfSpells.FSEmitersInPlace(), 0);
    for (int i = 0; i < 53; ++i)
        TVolcanoEmiter::updateAll();
    EXPECT_EQ(ringOfSpells.FSEmitersInPlace(), 1);
}

TEST_F(RingFlightTest, ManaFlightsStartAtTheirBallAndEndAtTheSlot) {
    Ball(3, 4, 10);
    Ball(4, 4, 10);
    ringOfSpells.usedSpell = SPELL_MAGIC_SAND;
    // A colour the sphere lacks starts nothing.
    ringOfSpells.FromSphereEmiter(13);
    EXPECT_TRUE(ringOfSpells.fsEmiters.empty());
    EXPECT_TRUE(volcanoList.IsEmpty());
    // Without a paying ball, the first ball of the colour.
    ringOfSpells.FromSphereEmiter(4);
    ASSERT_EQ(ringOfSpells.fsEmiters.size(), 1u);
    const VolcanoEmiterPtr& e = ringOfSpells.fsEmiters[0];
    EXPECT_EQ(e->ax, static_cast<float>(15 + 23 + 31));
    EXPECT_EQ(e->ay, static_cast<float>(10 + 114 + 31));
    EXPECT_EQ(e->bx, 104.0f);
    EXPECT_EQ(e->by, 367.0f);
    // M lies in the rectangle spanned by A and B, on whole pixels from A.
    EXPECT_GE(e->mx, std::min(e->ax, e->bx));
    EXPECT_LE(e->mx, std::max(e->ax, e->bx));
    EXPECT_GE(e->my, std::min(e->ay, e->by));
    EXPECT_LE(e->my, std::max(e->ay, e->by));
    // The colour is the rune colour range (10 * 4, 20, 30 in the fixture) shifted by -20..20.
    EXPECT_GE(e->r, 20);
    EXPECT_LE(e->r, 60);
    EXPECT_GE(e->g, 0);
    EXPECT_LE(e->g, 40);
    EXPECT_GE(e->b, 10);
    EXPECT_LE(e->b, 50);
    // A paying ball that does not hold the colour falls back to the first ball of it.
    ringOfSpells.FromSphereEmiter(4, 0);
    EXPECT_EQ(ringOfSpells.fsEmiters.back()->ax, static_cast<float>(15 + 23 + 31));
    ringOfSpells.FromSphereEmiter(4, 4);
    EXPECT_EQ(ringOfSpells.fsEmiters.back()->ax, static_cast<float>(15 + 0 + 31));
}

TEST_F(RingFlightTest, SpellFlightsEndOnTheTargetCellOrTheClock) {
    ringOfSpells.usedSpell = SPELL_FIRE; // slot centre 41, 403
    ringOfSpells.usedSpellX = 0;
    ringOfSpells.usedSpellY = 0; // above and right of the slot
    ringOfSpells.ToBoardEmiter();
    VolcanoEmiterPtr first = ringOfSpells.tbEmiter;
    EXPECT_EQ(first->ax, 41.0f);
    EXPECT_EQ(first->ay, 403.0f);
    EXPECT_EQ(first->bx, 256.0f);
    EXPECT_EQ(first->by, 76.0f);
    EXPECT_LE(first->my, 403.0f);
    EXPECT_GE(first->my, 76.0f);

    // A new flight replaces the reference; the old one keeps flying in the effect list.
    ringOfSpells.usedSpell = SPELL_TIME;
    ringOfSpells.ToTimerEmiter();
    EXPECT_NE(ringOfSpells.tbEmiter, first);
    EXPECT_TRUE(volcanoList.Contains(first.get()));
    EXPECT_EQ(ringOfSpells.tbEmiter->ax, 105.0f);
    EXPECT_EQ(ringOfSpells.tbEmiter->ay, 439.0f);
    EXPECT_EQ(ringOfSpells.tbEmiter->bx, 106.0f);
    EXPECT_EQ(ringOfSpells.tbEmiter->by, 275.0f);
}

TEST_F(RingFlightTest, CancelMovesTheHeldPiecesLastCellToThePointer) {
    Ball(0, 2, 9);
    ClickSlot(SPELL_FIRE);
    ASSERT_EQ(ringOfSpells.stage, 1);
    blocks.oldX = 0;
    blocks.oldY = 0;
    Click(240 + 9 * 32 + 3, 60 + 6 * 32 + 3, {2});
    EXPECT_EQ(ringOfSpells.stage, 0);
    EXPECT_EQ(blocks.oldX, blocks.getXR(0));
    EXPECT_EQ(blocks.oldY, blocks.getYR(0));
    EXPECT_NE(blocks.oldX, 0);
}

} // namespace
} // namespace vsm::test
