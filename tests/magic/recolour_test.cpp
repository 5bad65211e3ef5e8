// Tests of the teleport's replacement and the spread: which cells they choose, the fading
// highlight, and what they write on the call that completes the fade.
#include "MagicFixture.h"

#include "board/TBlocksManager.h"
#include "level/TLevelSequencer.h"
#include "magic/BonusActions.h"
#include "magic/TBunusManagerA.h"
#include "platform/System.h"

#include <set>

namespace vsm::test {

namespace {

class Recolour : public MagicFixture {
  protected:
    void SetUp() override {
        MagicFixture::SetUp();
        StandardRunes();
    }
    std::vector<std::array<int, 3>> list;
    float fade = 0;
};

} // namespace

TEST_F(Recolour, ReplacementChoosesEveryFourthRuneFromARandomPhase) {
    // The 1st, 5th and 9th; the 4th and 8th; or the 3rd and 7th rune in column-major order.
    const std::set<std::set<int>> phases = {{0, 4, 8}, {3, 7}, {2, 6}};
    std::set<std::set<int>> seen;
    for (uint32_t seed = 1; seed <= 30; ++seed) {
        SeedRnd(seed);
        for (int i = 0; i < 10; ++i)
            Put(i / 15, i % 15, 1 + i % 4);
        fade = 0;
        BonusReplacer(fade, list);
        std::set<int> chosen;
        for (const auto& r : list) {
            chosen.insert(r[0] * 15 + r[1]);
            EXPECT_NE(r[2], board.davarLayer[r[0]][r[1]]);
            EXPECT_GE(r[2], 1);
            EXPECT_LE(r[2], 4);
        }
        EXPECT_EQ(phases.count(chosen), 1u);
        seen.insert(chosen);
    }
    EXPECT_EQ(seen.size(), 3u);
    // A single rune is always chosen.
    for (int i = 0; i < 10; ++i)
        board.davarLayer[i / 15][i % 15] = 0;
    Put(9, 9, 101);
    fade = 0;
    BonusReplacer(fade, list);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0][0], 9);
}

TEST_F(Recolour, ReplacementCandidatesAreKnownPlainRunesOtherThanTheCell) {
    blocks.availableDavar = {"2", "102", "77", "2"};
    Put(0, 0, 2); // no candidate: keeps its rune
    fade = 0;
    BonusReplacer(fade, list);
    EXPECT_TRUE(list.empty());
    Put(0, 0, 3);
    fade = 0;
    BonusReplacer(fade, list);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0][2], 2);
}

TEST_F(Recolour, ReplacementFadesItsHighlightAndRewritesOnTheHundredAndFirstCall) {
    blocks.availableDavar = {"3"};
    Put(4, 4, 101); // a stone of class 1 becomes rune 3
    board.timerLayer[4][4] = 7;
    bonusManagerAlt.AddBonusExt(BONUS_DRAIN, 4, 4, 1);
    control->SetClock(5000);
    struct Step {
        int call;
        int highlight;
        int rune;
    };
    const Step steps[] = {{1, 1, 101},  {40, 1, 101},  {41, 3, 101}, {80, 3, 101},
                          {81, 0, 101}, {100, 0, 101}, {101, 0, 3}};
    fade = 0;
    int call = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(s.call);
        while (call < s.call) {
            if (call == 50) {
                // A run takes the cell during the fade: the replacement fills it again.
                board.davarLayer[4][4] = 0;
                board.colorLayer[4][4] = 0;
            }
            BonusReplacer(fade, list);
            ++call;
            if (call == 50) {
                EXPECT_EQ(board.highlightLayer[4][4], 3);
            }
        }
        EXPECT_EQ(board.highlightLayer[4][4], s.highlight);
        if (call <= 50) {
            EXPECT_EQ(board.davarLayer[4][4], s.rune);
        }
    }
    EXPECT_EQ(board.davarLayer[4][4], 3);
    EXPECT_EQ(board.colorLayer[4][4], 3);
    EXPECT_EQ(board.timerLayer[4][4], 5000);
    EXPECT_EQ(bonusManagerAlt.GetBonus(4, 4)->color, 3);
    EXPECT_GE(fade, 1.0f);
    EXPECT_FLOAT_EQ(CurrentDrawState().alpha, 1.0f);
}

TEST_F(Recolour, SpreadTakesTheTargetsFormsInItsSquare) {
    struct Case {
        int seqNo;
        int radius;
    };
    for (const Case& c : {Case{4, 1}, Case{5, 2}}) {
        SCOPED_TRACE(c.seqNo);
        for (int x = 0; x < BOARD_CELLS; ++x)
            for (int y = 0; y < BOARD_CELLS; ++y)
                board.davarLayer[x][y] = board.colorLayer[x][y] = 0;
        sequencer.seqNo = c.seqNo;
        // No three of these stand in a row or column, so no run clears after the rewrite.
        Put(5, 5, 102); // target: a stone of rune 2
        Put(4, 4, 1);   // becomes rune 2
        Put(6, 6, 103); // stone: becomes stone 102
        Put(7, 3, 4);   // inside only for radius 2
        Put(8, 8, 4);   // never inside
        bonusManagerAlt.AddBonusExt(BONUS_DRAIN, 4, 4, 1);
        bonusManagerAlt.AddBonusExt(BONUS_BOMB, 6, 6, 0);
        fade = 0;
        for (int i = 0; i < 101; ++i)
            BonusColoryzer(fade, 5, 5);
        EXPECT_EQ(board.davarLayer[5][5], 102);
        EXPECT_EQ(board.davarLayer[4][4], 2);
        EXPECT_EQ(board.davarLayer[6][6], 102);
        EXPECT_EQ(board.colorLayer[6][6], 2);
        EXPECT_EQ(board.colorLayer[5][5], 2);
        EXPECT_EQ(board.davarLayer[7][3], c.radius == 2 ? 2 : 4);
        EXPECT_EQ(board.davarLayer[8][8], 4);
        EXPECT_EQ(board.davarLayer[5][4], 0); // empty cells stay empty
        EXPECT_EQ(bonusManagerAlt.GetBonus(4, 4)->color, 2);
        EXPECT_EQ(bonusManagerAlt.GetBonus(6, 6)->color, 0);
        bonusManagerAlt.ClearSpells();
    }
}

TEST_F(Recolour, SpreadEndsAtOnceWithoutATargetItCanUse) {
    struct Case {
        const char* name;
        int target; // 0 leaves the cell empty
    };
    AddRune("60", 6, 0, "", ""); // a rune without a stone form
    for (const Case& c : {Case{"empty", 0}, Case{"unknown id", 77}, Case{"stone without its rune", 13}}) {
        SCOPED_TRACE(c.name);
        Put(3, 3, c.target);
        Put(3, 4, 1);
        fade = 0;
        BonusColoryzer(fade, 3, 3);
        EXPECT_EQ(fade, 1.0f);
        EXPECT_EQ(board.davarLayer[3][4], 1);
        EXPECT_EQ(board.highlightLayer[3][4], 0);
    }
    // A target without a stone form recolours the runes and leaves the stones as they are.
    sequencer.seqNo = 1;
    Put(3, 3, 60);
    Put(2, 2, 101);
    fade = 0;
    for (int i = 0; i < 101; ++i)
        BonusColoryzer(fade, 3, 3);
    EXPECT_EQ(board.davarLayer[3][4], 60);
    EXPECT_EQ(board.davarLayer[2][2], 101);
    // A target emptied during the fade ends the spread with nothing written.
    Put(3, 3, 1);
    Put(3, 4, 2);
    fade = 0;
    for (int i = 0; i < 50; ++i)
        BonusColoryzer(fade, 3, 3);
    board.davarLayer[3][3] = 0;
    BonusColoryzer(fade, 3, 3);
    EXPECT_EQ(fade, 1.0f);
    EXPECT_EQ(board.davarLayer[3][4], 2);
}

} // namespace vsm::test
