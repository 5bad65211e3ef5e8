// A page opened over a paused level leaves the level's board effects where they were.
#include "TutorialFixture.h"

#include "board/TBoardManager.h"
#include "magic/TRemoveLineEmiter.h"
#include "platform/Input.h"
#include "services/TVolcanoEmiter.h"
#include "tutorial/LevelEffectsAside.h"
#include "tutorial/TTutorial.h"

namespace vsm::test {

namespace {

class PausedLevelEffectsTest : public TutorialFixture {
  protected:
    void SetUp() override {
        TutorialFixture::SetUp();
        AddRune(1, 1);
    }
    // A level board at its resting place and tile size.
    void FillRows() {
        board.tileSize = 32;
        board.offsetX = 240;
        board.offsetY = 60;
        // Rows 2 and 3 full: a run along row 3 measured with 40-pixel cells would land in row 2.
        for (int x = 0; x < BOARD_CELLS; ++x) {
            for (int y = 0; y < BOARD_CELLS; ++y)
                board.grid[x][y] = 1;
            for (int y : {2, 3}) {
                board.davarLayer[x][y] = 1;
                board.colorLayer[x][y] = 1;
            }
        }
    }
    int RunesInRow(int y) const {
        int n = 0;
        for (int x = 0; x < BOARD_CELLS; ++x)
            n += board.davarLayer[x][y] != 0;
        return n;
    }
};

} // namespace

TEST_F(PausedLevelEffectsTest, PagesOverAPausedLevelHoldItsBoardEffectsStill) {
    for (bool boss : {false, true}) {
        SCOPED_TRACE(boss ? "boss page" : "main page");
        control = &UseHeadlessBackend();
        volcanoList.Clear();
        FillRows();
        const float rowY = 60 + 3 * 32 + 16;
        auto run = TRemoveLineEmiter::add(240, rowY, 240 + 15 * 32, rowY, 1);
        for (int i = 0; i < 5; ++i) // under way when the menu opened
            TVolcanoEmiter::updateAll();
        const float started = run->counter;
        const auto before = volcanoList.Snapshot();
        const int row3 = RunesInRow(3);
        ASSERT_LT(row3, BOARD_CELLS);
        // Long enough for the run to cross the board; then Escape.
        Script([](int frame, FrameInput& in) {
            if (frame == 300) in.keysHit.push_back(KEY_ESCAPE);
        });

        EXPECT_EQ(boss ? tutorial.show2(1) : tutorial.show(1), 0);

        EXPECT_EQ(RunesInRow(2), BOARD_CELLS);
        EXPECT_EQ(RunesInRow(3), row3);
        // Only the level's effects are back, exactly where they stood; the page's ended with it.
        EXPECT_TRUE(volcanoList.Snapshot() == before);
        EXPECT_EQ(run->counter, started);

        // Resumed on the level's own tiles, it clears its own row only.
        for (int i = 0; i < 300 && !volcanoList.IsEmpty(); ++i)
            TVolcanoEmiter::updateAll();
        EXPECT_EQ(RunesInRow(2), BOARD_CELLS);
        EXPECT_EQ(RunesInRow(3), 0);
    }
}

TEST_F(PausedLevelEffectsTest, TheGuardRestoresTheListAsItWasWhateverRanMeanwhile) {
    auto first = TVolcanoEmiter::Create(0, 0, 10, 10, 0.1f, 3, 1, 1, 1);
    auto second = TVolcanoEmiter::Create(0, 0, 10, 10, 0.1f, 3, 1, 1, 1);
    {
        LevelEffectsAside aside;
        EXPECT_TRUE(volcanoList.IsEmpty());
        TVolcanoEmiter::Create(5, 5, 20, 20, 0.1f, 3, 1, 1, 1);
        TVolcanoEmiter::updateAll();
    }
    ASSERT_EQ(volcanoList.Count(), 2u);
    EXPECT_EQ(volcanoList.First(), first);
    EXPECT_EQ(volcanoList.Last(), second);
    EXPECT_EQ(first->counter, 0);
}

} // namespace vsm::test
