// Tests that the level subsystem's art and sounds are found under the names it loads them by,
// in the built resources folder.
#include "level/LevelFixture.h"

#include "board/TBoardManager.h"
#include "data/TTSCFile.h"
#include "level/TBossManager.h"
#include "level/TLevelManager.h"
#include "level/TPointsManager.h"
#include "level/TTimeManager.h"
#include "platform/Files.h"
#include "services/Paths.h"
#include "support/TestSupport.h"

namespace vsm::test {
namespace {

class ResourcesTest : public LevelFixture {
  protected:
    void SetUp() override {
        LevelFixture::SetUp();
        bDir = ResourcesDir();
        if (FileType(bDir + "gfx") != FILETYPE_DIR) GTEST_SKIP() << "no built resources in " << bDir;
    }
};

TEST_F(ResourcesTest, SummaryPanelAndClockArtLoad) {
    level.loadSfx();
    for (const auto& door : level.doorImg) {
        for (const ImagePtr& tile : door)
            EXPECT_NE(tile, nullptr);
    }
    for (const ImagePtr& image : {level.levelCompletedImg, level.gameOverImg, level.heroineImg[0],
                                  level.heroineImg[1], level.newHiscoreImg}) {
        EXPECT_NE(image, nullptr);
    }
    for (const SoundPtr& sound : {level.summarySnd, level.summarySndStop, level.levelEnd, level.scrollOutSnd,
                                  level.scrollInSnd, level.bonusSnd}) {
        EXPECT_NE(sound, nullptr);
    }

    points.loadGfx();
    for (const ImagePtr& image :
         {points.cyfry, points.cyfry2, points.cyfry4, points.levelFont, points.menuWndImg, points.menuOutImg,
          points.menuOverImg, points.zapOutImg, points.zapOverImg}) {
        EXPECT_NE(image, nullptr);
    }
    EXPECT_EQ(ImageFrames(points.cyfry4), 10);

    timeManager.LoadResources();
    EXPECT_NE(timeManager.timerImg, nullptr);
    EXPECT_NE(timeManager.menuBgImg, nullptr);
    for (const PixmapPtr& frame : timeManager.framesPixmaps)
        EXPECT_NE(frame, nullptr);
}

TEST_F(ResourcesTest, BossArtOfBothBoardSizesLoads) {
    level.goalType = 3;
    for (int columns : {12, 15}) {
        SCOPED_TRACE(columns);
        FullEmptyBoard();
        for (int x = columns; x < 15; ++x) {
            for (int y = 0; y < 15; ++y)
                board.grid[x][y] = 0;
        }
        auto doc = CreateTSCFile();
        bossManager.Load(doc);
        for (const ImagePtr& frame : bossManager.glow)
            EXPECT_NE(frame, nullptr);
        EXPECT_NE(bossManager.help, nullptr);
        EXPECT_NE(bossManager.shadow, nullptr);
        EXPECT_NE(bossManager.sfx, nullptr);
    }
}

} // namespace
} // namespace vsm::test
