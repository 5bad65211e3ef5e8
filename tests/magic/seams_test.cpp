// Tests that the board's and the level's hooks reach the real sphere and bonus manager: a run
// cleared by the board fills the sphere, takes the token under it, adds new tokens and hands the
// move's caption to the manager.
#include "MagicFixture.h"

#include "board/BoardSeams.h"
#include "data/TTSCFile.h"
#include "level/LevelSeams.h"
#include "level/TLevelManager.h"
#include "magic/TBunusManagerA.h"
#include "magic/TMagicSphere.h"
#include "shell/GameHooks.h"

namespace vsm::test {

namespace {

using Seams = MagicFixture;

} // namespace

TEST_F(Seams, ABoardRunFillsTheSphereTakesItsTokenAndRewardsTheMove) {
    StandardRunes();
    magicSphere.LoadExt("1 2 0 0 0", "10 10 0 0 0");
    level.availableSpells = {"3"};
    for (int x = 0; x < 4; ++x)
        Put(x, 0, 1);
    Put(5, 5, 2); // the only cell a new token can take
    bonusManagerAlt.AddBonusExt(BONUS_HOLYFIRE, 1, 0, 0);
    EXPECT_EQ(board.clearMatchingDavar(0), 4);
    EXPECT_EQ(magicSphere.ballsFil[0], 4);
    EXPECT_EQ(bonusManagerAlt.queue.Count(), 1u);
    EXPECT_EQ(level.droppedSpells, 1);
    EXPECT_EQ(bonusManagerAlt.FindBonus(5, 5), BONUS_BOMB);
    EXPECT_EQ(level.recivedSpells, 1);
    // The token under the run was queued, so the manager holds the move's caption.
    EXPECT_EQ(bonusManagerAlt.captionType, BONUS_HOLYFIRE);
    EXPECT_EQ(bonusManagerAlt.matches, 4);
}

TEST_F(Seams, LevelHooksLoadTheSphereAndAskForTheGoal) {
    auto doc = CreateTSCFile();
    SetTSCStringKey(doc, "Settings::Level", "SpheresColors", "4 0 0 0 0", 0);
    SetTSCStringKey(doc, "Settings::Level", "SpheresCapacities", "1 0 0 0 0", 0);
    ASSERT_TRUE(levelSeams.sphereLoad);
    levelSeams.sphereLoad(doc);
    EXPECT_EQ(magicSphere.ballsClr[0], 4);
    EXPECT_EQ(levelSeams.sphereIsFull(), 0);
    boardSeams.SphereFill(4);
    EXPECT_EQ(levelSeams.sphereIsFull(), 1);
    int x = 0, y = 0;
    EXPECT_EQ(boardSeams.SphereGetColorXY(4, x, y), 1);
    EXPECT_EQ(x, 106);
    // Installing again after the hooks were cleared restores them without touching the state.
    boardSeams = TBoardSeams();
    levelSeams.sphereIsFull = nullptr;
    InstallGameHooks();
    EXPECT_EQ(levelSeams.sphereIsFull(), 1);
    EXPECT_EQ(boardSeams.BonusActive(), 0);
}

} // namespace vsm::test
