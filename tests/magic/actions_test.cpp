// Tests of the removal and heal actions: which cells they choose, which emitters they start and
// how many runes they count.
#include "MagicFixture.h"

#include "magic/BonusActions.h"
#include "magic/THealEmiter.h"
#include "magic/TRemoveBlockEmiter.h"
#include "magic/TRemoveColorEmiter.h"
#include "magic/TRemoveLineEmiter.h"
#include "services/TVolcanoEmiter.h"

#include <set>

namespace vsm::test {

namespace {

class Actions : public MagicFixture {
  protected:
    void SetUp() override {
        MagicFixture::SetUp();
        StandardRunes();
    }
    template <class T> std::vector<std::shared_ptr<T>> Started() const {
        std::vector<std::shared_ptr<T>> out;
        for (const auto& e : volcanoList.Snapshot())
            if (auto t = std::dynamic_pointer_cast<T>(e)) out.push_back(t);
        return out;
    }
    // Fills the first n cells in column-major order with rune 1.
    void FillRunes(int n) {
        for (int i = 0; i < n; ++i)
            Put(i / 15, i % 15, 1);
    }
};

} // namespace

TEST_F(Actions, LineRunsToTheFirstHoleOrHalfACellPastTheEdge) {
    Put(0, 7, 1);
    Put(9, 7, 2);
    EXPECT_EQ(BonusRemoveHorizontalLine(0, 7), 2); // the start rune counts once
    auto runs = Started<TRemoveLineEmiter>();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_FLOAT_EQ(runs[0]->ax, 256);
    EXPECT_FLOAT_EQ(runs[0]->ay, 300);
    EXPECT_FLOAT_EQ(runs[0]->bx, 224); // column -1
    EXPECT_FLOAT_EQ(runs[1]->bx, 736); // column 15
    EXPECT_EQ(runs[0]->horizontal, 1);
    EXPECT_FLOAT_EQ(runs[0]->mx, runs[0]->ax);

    volcanoList.Clear();
    board.grid[4][5] = 0;
    Put(5, 5, 3);
    EXPECT_EQ(BonusRemoveVerticalLine(4, 7), 0);
    EXPECT_EQ(BonusRemoveHorizontalLine(3, 5), 0); // stops at the hole, (5, 5) lies beyond it
    runs = Started<TRemoveLineEmiter>();
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0]->horizontal, 0);
    EXPECT_FLOAT_EQ(runs[0]->by, 236); // upward to the hole at row 5
    EXPECT_FLOAT_EQ(runs[1]->by, 556); // downward to row 15
    EXPECT_FLOAT_EQ(runs[3]->bx, 384); // right to the hole at column 4
}

TEST_F(Actions, CrossCountsItsCentreOnce) {
    Put(6, 6, 1);
    Put(6, 0, 2);
    Put(14, 6, 3);
    Put(7, 7, 4); // off the cross
    EXPECT_EQ(BonusRemoveCross(6, 6), 3);
    auto runs = Started<TRemoveLineEmiter>();
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0]->horizontal, 0);
    EXPECT_EQ(runs[2]->horizontal, 1);
    volcanoList.Clear();
    board.davarLayer[6][6] = 0;
    EXPECT_EQ(BonusRemoveCross(6, 6), 2);
}

TEST_F(Actions, BombCoversThePlayableCellsOfItsSquareByRing) {
    board.grid[2][2] = 0;
    Put(0, 0, 1);
    Put(1, 2, 2);
    Put(2, 1, 101);
    Put(3, 3, 1); // outside the square
    EXPECT_EQ(BonusRemoveBlock(0, 0), 3);
    auto bursts = Started<TRemoveBlockEmiter>();
    ASSERT_EQ(bursts.size(), 8u); // 9 cells on the board, one a hole
    std::set<std::pair<int, int>> cells;
    for (const auto& b : bursts) {
        SCOPED_TRACE(testing::Message() << b->runex << "," << b->runey);
        cells.insert({b->runex, b->runey});
        const int ring = std::max(b->runex, b->runey);
        EXPECT_EQ(b->lag, ring == 0 ? 0 : ring == 1 ? 200 : 400);
        EXPECT_EQ(static_cast<int>(b->maxCount), ring == 0 ? 80 : ring == 1 ? 55 : 30);
        EXPECT_EQ(b->active, 0);
        EXPECT_FLOAT_EQ(b->ax, static_cast<float>(256 + 32 * b->runex));
    }
    EXPECT_EQ(cells.size(), 8u);
    EXPECT_EQ(cells.count({2, 2}), 0u);
    // Column by column from the left, each from the top.
    EXPECT_EQ(bursts[0]->runex, 0);
    EXPECT_EQ(bursts[0]->runey, 0);
    EXPECT_EQ(bursts[3]->runex, 1);
}

TEST_F(Actions, DrainTakesEveryCellOfItsColourClassStonesIncluded) {
    Put(0, 0, 2);
    Put(3, 1, 102); // stone of colour class 2
    Put(3, 2, 3);
    EXPECT_EQ(BonusRemoveColor(2, 5, 5), 2);
    auto streams = Started<TRemoveColorEmiter>();
    ASSERT_EQ(streams.size(), 2u);
    EXPECT_EQ(streams[1]->runex, 3);
    EXPECT_EQ(streams[1]->runey, 1);
    EXPECT_EQ(streams[1]->runec, 2);
    EXPECT_FLOAT_EQ(streams[0]->ax, 416);
    EXPECT_FLOAT_EQ(streams[0]->bx, 256);
    // One colour for the whole firing: the rune's range (20, 20, 30) plus up to 20 either way.
    EXPECT_EQ(streams[0]->r, streams[1]->r);
    EXPECT_LE(std::abs(streams[0]->r - 20), 20);
    volcanoList.Clear();
    EXPECT_EQ(BonusRemoveColor(4, 5, 5), 0);
    // A drain without a colour class (a hostile saved token) takes no empty cell.
    EXPECT_EQ(BonusRemoveColor(0, 5, 5), 0);
    EXPECT_TRUE(volcanoList.IsEmpty());
}

TEST_F(Actions, ScatteredSelectionChoosesEveryFifthRuneNeverTwice) {
    struct Case {
        int runes;
        int count;
        std::vector<int> chosen; // 1-based rune numbers in column-major order
    };
    const Case cases[] = {
        {0, 0, {}},
        {1, 1, {1}},
        {3, 2, {1, 3}},
        {5, 1, {1}}, // later passes meet the same rune and pass it over
        {7, 5, {1, 6, 4, 2, 7}},
        {10, 2, {1, 6}},
        {15, 3, {1, 6, 11}},
        {16, 4, {1, 6, 11, 16}},
        {225, 45, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.runes);
        volcanoList.Clear();
        for (int x = 0; x < BOARD_CELLS; ++x)
            for (int y = 0; y < BOARD_CELLS; ++y)
                board.davarLayer[x][y] = board.colorLayer[x][y] = 0;
        FillRunes(c.runes);
        EXPECT_EQ(BonusRemoveRandomColors(7, 7), c.count);
        auto streams = Started<TRemoveRandomColorsEmiter>();
        ASSERT_EQ(streams.size(), static_cast<size_t>(c.count) + 1);
        EXPECT_EQ(streams[0]->runex, 7); // the token's own cell first, not counted
        EXPECT_FLOAT_EQ(streams[0]->bx, streams[0]->ax);
        EXPECT_EQ(streams[0]->r, 225);
        for (size_t i = 0; i < c.chosen.size(); ++i) {
            const int n = c.chosen[i] - 1;
            EXPECT_EQ(streams[i + 1]->runex, n / 15) << i;
            EXPECT_EQ(streams[i + 1]->runey, n % 15) << i;
            EXPECT_EQ(streams[i + 1]->runec, 1) << i;
        }
    }
}

TEST_F(Actions, HealStartsOneEmitterPerStoneAndScoresNothing) {
    EXPECT_EQ(BonusHeal(), 0);
    EXPECT_TRUE(volcanoList.IsEmpty());
    Put(1, 1, 101);
    Put(0, 5, 13);
    Put(2, 2, 2);
    Put(4, 4, 55); // unknown id: no stone
    EXPECT_EQ(BonusHeal(), 0);
    auto heals = Started<THealEmiter>();
    ASSERT_EQ(heals.size(), 2u);
    EXPECT_EQ(heals[0]->runex, 0);
    EXPECT_EQ(heals[0]->runey, 5);
    EXPECT_EQ(heals[1]->runex, 1);
    EXPECT_EQ(heals[1]->runeDA, 1);
}

} // namespace vsm::test
