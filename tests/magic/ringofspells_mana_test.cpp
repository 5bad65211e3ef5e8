// Ring of spells: which spells can be cast, which ball pays and what the payment takes.
#include "RingFixture.h"

namespace vsm::test {
namespace {

class RingManaTest : public RingFixture {};

TEST_F(RingManaTest, CastableNeedsABallOfARecipeColourHoldingThePrice) {
    struct Case {
        const char* name;
        int colour;
        float fill;
        int spell;
        int castable;
    } cases[] = {
        {"fire, colour 2 at 4", 2, 4.0f, SPELL_FIRE, 0},
        {"fire, colour 2 at 4.99", 2, 4.99f, SPELL_FIRE, 0},
        {"fire, colour 2 at 5", 2, 5.0f, SPELL_FIRE, 1},
        {"fire, colour 8 at 30", 8, 30.0f, SPELL_FIRE, 1},
        {"fire, other colour full", 3, 30.0f, SPELL_FIRE, 0},
        {"sand, colour 13", 13, 5.0f, SPELL_MAGIC_SAND, 1},
        {"spread, colour 10", 10, 5.0f, SPELL_SPREAD, 1},
        {"time, colour 1", 1, 5.0f, SPELL_TIME, 1},
        {"time, colour 2", 2, 30.0f, SPELL_TIME, 0},
        {"uncoloured ball", 0, 30.0f, SPELL_FIRE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int i = 0; i < SPHERE_BALLS; ++i)
            Ball(i, 0, 0);
        Ball(2, c.colour, c.fill);
        ringOfSpells.CheckSpells();
        EXPECT_EQ(ringOfSpells.activedSpells[c.spell], c.castable);
    }
}

TEST_F(RingManaTest, TheFullestRecipeBallPaysAndEqualFillsKeepBallOrder) {
    struct Case {
        const char* name;
        int colours[SPHERE_BALLS];
        float fills[SPHERE_BALLS];
        int paying; // -1: empty list
    } cases[] = {
        {"9 beats 7", {2, 8, 0, 0, 0}, {7, 9, 0, 0, 0}, 1},
        {"equal fills: lower index", {8, 0, 2, 0, 0}, {9, 0, 9, 0, 0}, 0},
        {"equal whole parts", {2, 8, 0, 0, 0}, {9.1f, 9.9f, 0, 0, 0}, 0},
        {"later ball fuller", {3, 2, 4, 8, 2}, {30, 6, 30, 6, 7}, 4},
        {"no recipe colour", {1, 3, 4, 13, 14}, {30, 30, 30, 30, 30}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int i = 0; i < SPHERE_BALLS; ++i)
            Ball(i, c.colours[i], c.fills[i]);
        const std::vector<TManaEntry> list = ringOfSpells.GetManaList(SPELL_FIRE);
        if (c.paying < 0) {
            EXPECT_TRUE(list.empty());
            continue;
        }
        ASSERT_EQ(list.size(), 1u);
        EXPECT_EQ(list[0].ball, c.paying);
        EXPECT_EQ(list[0].colour, c.colours[c.paying]);
        EXPECT_EQ(list[0].amount, 5);
    }
    EXPECT_TRUE(ringOfSpells.GetManaList(-1).empty());
    EXPECT_TRUE(ringOfSpells.GetManaList(4).empty());
}

TEST_F(RingManaTest, SortComparesTheFills) {
    EXPECT_EQ(SortManaList({2, 9, 5}, {8, 7, 5}), 2);
    EXPECT_EQ(SortManaList({2, 3, 5}, {8, 7, 5}), -4);
    EXPECT_EQ(SortManaList({2, 7, 1}, {8, 7, 5}), 0);
}

TEST_F(RingManaTest, PaymentChargesOnlyTheChosenBallAndNeverBelowZero) {
    // Two balls share colour 2: the fuller one pays, the other keeps its 3.
    Ball(0, 2, 3);
    Ball(1, 2, 6);
    ClickSlot(SPELL_FIRE);
    ASSERT_EQ(ringOfSpells.stage, 1);
    ClickCell(5, 5);
    ASSERT_EQ(ringOfSpells.stage, 2);
    EXPECT_EQ(magicSphere.ballsFil[0], 3.0f);
    EXPECT_EQ(magicSphere.ballsFil[1], 1.0f);
    // The mana flies from the ball that paid.
    ASSERT_EQ(ringOfSpells.fsEmiters.size(), 1u);
    EXPECT_EQ(ringOfSpells.fsEmiters[0]->ax, static_cast<float>(static_cast<int>(15 + 120 + 31.0f)));
    EXPECT_EQ(ringOfSpells.fsEmiters[0]->ay, static_cast<float>(static_cast<int>(10 + 44 + 31.0f)));
}

TEST_F(RingManaTest, PayingAtExactlyThePriceEmptiesTheBall) {
    Ball(3, 8, 5);
    ClickSlot(SPELL_FIRE);
    ClickCell(1, 1);
    ASSERT_EQ(ringOfSpells.stage, 2);
    EXPECT_EQ(magicSphere.ballsFil[3], 0.0f);
    // The spell is no longer castable.
    Frame();
    EXPECT_EQ(ringOfSpells.activedSpells[SPELL_FIRE], 0);
}

} // namespace
} // namespace vsm::test
