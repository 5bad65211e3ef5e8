// Tests of level loading: where the document is found, what each key configures, hostile
// documents, the background search and the level music.
#include "level/LevelFixture.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "data/DataFolders.h"
#include "data/TTSCFile.h"
#include "level/LevelSeams.h"
#include "level/LevelText.h"
#include "level/TLevelManager.h"
#include "level/TPointsManager.h"
#include "level/TTimeManager.h"
#include "magic/TMagicSphere.h"
#include "platform/audio/TSound.h"
#include "services/GameFlags.h"
#include "services/TSlidesManager.h"
#include "services/TSongManager.h"
#include "support/TestSupport.h"

#include <climits>
#include <filesystem>

namespace vsm::test {
namespace {

class LoadTest : public LevelFixture {
  protected:
    void LoadNamed(const std::string& name, int flag) {
        level.Set(name);
        level.Load(flag);
    }
};

TEST_F(LoadTest, DocumentIsFoundInArchiveAliasFileOrFallback) {
    Archive("davar_levels_lp.bca", {{"level_03.tsc", "Settings{ Level{ Number=3 } }"},
                                    {"lp-04.tsc", "Settings{ Level{ Number=4 } }"},
                                    {"level_endless_01.tsc", "Settings{ Level{ Number=101 } }"},
                                    {"level_timed_01.tsc", "Settings{ Level{ Number=102 } }"}});
    const std::string custom = WriteResource("custom-levels/mine.tsc", "Settings{ Level{ Number=5 } }");
    const std::string broken = WriteResource("custom-levels/broken.tsc", "Settings{ Level{ Number=5 }");
    struct Case {
        std::string name;
        int flag, number;
    };
    const Case cases[] = {
        {"level_03.tsc", 0, 3},
        {"LEVEL_03.TSC", 0, 3},
        {"level_04.tsc", 0, 4},
        {custom, 1, 5},
        {broken, 1, 101},
        {broken, 0, 102},
        {"nowhere.tsc", 0, 102},
        {"", 1, 101},
        {resources + "custom-levels", 0, 102}, // a folder is no document
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoadNamed(c.name, c.flag);
        EXPECT_EQ(level.level, c.number);
        EXPECT_EQ(level.lvlFile, nullptr);
    }
}

TEST_F(LoadTest, KeysConfigureTheLevel) {
    Archive("davar_levels_lp.bca", {{"quest.tsc", R"(
Settings{
  Level{ Number=7 GoalType=2 CopySpellsFromRMG=1 AvailableDavar="1 2 3" AvailableBlocks="1 2"
         AvailableSpells="1 3  6" PetrifyTime=0 Time=90 }
  Music{ Song="sfx/song.ogg" }
}
Board{ Line1="1 1 1" Line2="1  1" }
Davar{ Read="1" Line3="0 0 4" }
)"}});
    board.petrifyMaxTime = 15000;
    LoadNamed("quest.tsc", 0);
    EXPECT_EQ(level.level, 7);
    EXPECT_EQ(level.goalType, 2);
    EXPECT_EQ(level.copySpellsFromRMG, 1);
    EXPECT_EQ(level.availableSpells, (std::vector<std::string>{"1", "3", "", "6"}));
    EXPECT_EQ(blocks.availableDavar, (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(board.petrifyMaxTime, 0);
    EXPECT_EQ(timeManager.maxTime, 90000);
    EXPECT_EQ(level.loadedMusicName, "sfx/song.ogg");
    EXPECT_EQ(board.grid[5][0], 1);
    EXPECT_EQ(board.grid[1][1], 0);
    EXPECT_EQ(board.davarLayer[2][2], 4);

    // An endless or time-attack start plays the same document for the sphere.
    LoadNamed("quest.tsc", 1);
    EXPECT_EQ(level.goalType, 1);
    EXPECT_EQ(level.copySpellsFromRMG, 0);
}

TEST_F(LoadTest, ALevelWithoutAKnownRuneOrPieceIsRefused) {
    auto templates = CreateTSCFile();
    templates->LoadFromText(R"(List{ Quantity=1 Block1{ id="p1" pieces=1 piece1=0,0 } })");
    blocks.loadBlocksDoc(*templates);
    struct Case {
        const char* runes;
        const char* pieces;
        int result;
    };
    const Case cases[] = {
        {"1 77", "p1", 0}, {"", "p1", -1}, {"   ", "p1", -1}, {"77 88", "p1", -1}, {"1", "zz", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.runes) + " | " + c.pieces);
        Archive("davar_levels_lp.bca",
                {{"l.tsc", std::string("Settings{ Level{ AvailableDavar=\"") + c.runes +
                               "\" AvailableBlocks=\"" + c.pieces + "\" } }"}});
        level.Set("l.tsc");
        testing::internal::CaptureStdout();
        EXPECT_EQ(level.Load(1), c.result);
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(out.find("refused") != std::string::npos, c.result != 0) << out;
    }
}

TEST_F(LoadTest, SeamsReceiveTheDocumentInOrder) {
    Archive("davar_levels_lp.bca",
            {{"boss.tsc", "Settings{ Level{ GoalType=3 Time=5 SpheresColors=\"1 2\" } }"}});
    std::vector<std::string> calls;
    levelSeams.sphereLoad = [&](const std::shared_ptr<TTSCFile>& doc) {
        calls.push_back("sphere");
        // The sphere reads its lists before the clock takes its limit.
        EXPECT_EQ(timeManager.maxTime, 0);
        magicSphere.Load(doc);
    };
    LoadNamed("boss.tsc", 0);
    EXPECT_EQ(calls, std::vector<std::string>{"sphere"});
    EXPECT_EQ(magicSphere.ballsClr[1], 2);
    EXPECT_EQ(timeManager.maxTime, 5000);
}

TEST_F(LoadTest, HostileNumbersAreClamped) {
    Archive("davar_levels_lp.bca", {{"huge.tsc", R"(
Settings{ Level{ Number=99999999999999999999 GoalType=-99999999999999999999 PetrifyTime=99999999999999999999 } }
Board{ Line1="1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 0 0 0" }
Davar{ Read="1" Line2="0 0 0 0 0 0 0 0 0 0 0 0 0 0 3 3 3 3" }
)"}});
    LoadNamed("huge.tsc", 0);
    EXPECT_EQ(level.level, INT_MAX);
    EXPECT_EQ(level.goalType, INT_MIN);
    EXPECT_EQ(board.petrifyMaxTime, INT_MAX);
    EXPECT_EQ(board.grid[14][0], 1);
    EXPECT_EQ(board.davarLayer[14][1], 3);
    EXPECT_EQ(level.isGoalAchieved(1), 0);
}

class BackgroundTest : public LoadTest {
  protected:
    void SetUp() override {
        LoadTest::SetUp();
        myDocsFolder = ScratchDir("user");
        picture = resources + "gfx/bg/forest.png";
        WriteResource("gfx/bg/placeholder", "");
        WriteResource("gfx/slides/placeholder", "");
        SavePixmapPNG(CreatePixmap(10, 10), picture);
        SavePixmapPNG(CreatePixmap(11, 11), resources + "gfx/slides/1a.jpg");
        SavePixmapPNG(CreatePixmap(12, 12), resources + "gfx/slides/lake.png");
        std::filesystem::create_directories(myDocsFolder + "/custom-art");
        SavePixmapPNG(CreatePixmap(13, 13), myDocsFolder + "/custom-art/mine.png");
    }
    void TearDown() override {
        myDocsFolder.clear();
        LoadTest::TearDown();
    }
    void LoadBackground(const std::string& name) {
        Archive("davar_levels_lp.bca",
                {{"bg.tsc", "Settings{ Graphics{ BackgroundImage=\"" + name + "\" } }"}});
        LoadNamed("bg.tsc", 0);
        level.loadGfx();
    }
    std::string picture;
};

TEST_F(BackgroundTest, SearchFallsBackAndRecordsOnlyRealPictures) {
    struct Case {
        std::string name, loaded;
        int width;
        bool revealed;
    };
    const Case cases[] = {
        {"gfx/bg/forest.png", "gfx/bg/forest.png", 10, true},
        {"gfx/elsewhere/mine.png", "", 13, true}, // custom art: its full path is recorded
        {"gfx/old/lake.png", "gfx/slides/lake.png", 12, true},
        {"gfx/bg/missing.png", "gfx/slides/1a.jpg", 11, false},
        {"", "gfx/slides/1a.jpg", 11, false},
        {"gfx/bg", "gfx/slides/1a.jpg", 11, false}, // a folder exists but is no picture
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        slides.revealedImages.clear();
        level.loadedBgName = "---";
        LoadBackground(c.name);
        EXPECT_EQ(level.loadedBgName, c.loaded.empty() ? myDocsFolder + "/custom-art/mine.png" : c.loaded);
        EXPECT_EQ(ImageWidth(level.bgImg), c.width);
        EXPECT_EQ(slides.revealedImages.size(), c.revealed ? 1u : 0u);
    }
}

TEST_F(BackgroundTest, SameResourcePictureIsLoadedOnce) {
    LoadBackground("gfx/bg/forest.png");
    const ImagePtr first = level.bgImg;
    LoadBackground("gfx/bg/forest.png");
    EXPECT_EQ(level.bgImg, first);
    LoadBackground("gfx/bg/missing.png");
    const ImagePtr fallback = level.bgImg;
    LoadBackground("gfx/bg/missing.png");
    EXPECT_NE(level.bgImg, fallback) << "a fallback picture is looked for again";

    control->ClearDrawLog();
    level.Draw();
    ASSERT_EQ(control->DrawLog().size(), 1u);
    EXPECT_EQ(control->DrawLog()[0].state.blend, SOLIDBLEND);
}

TEST_F(LoadTest, LevelMusicStartsPausedInACampaignAndNeverTwice) {
    WriteResource("sfx/song.ogg", "");
    auto song = std::make_shared<TMusicFile>();
    song->name = "sfx/song.ogg";
    song->isLoaded = 1;
    song->s = std::make_shared<TSound>();
    song->s->path = resources + "sfx/song.ogg";
    song->s->durationMs = 60000;
    song->s->flags = SOUND_LOOP;
    songManager.songsList.AddLast(song);
    level.loadedMusicName = "sfx/song.ogg";
    level.bgName = level.loadedBgName = "same";

    gameState = 0;
    level.loadGfx();
    EXPECT_EQ(level.musicStream, nullptr) << "no campaign, no music";

    gameState = 1;
    level.loadGfx();
    ASSERT_NE(level.musicStream, nullptr);
    ASSERT_NE(level.musicStream->mf, nullptr);
    const ChannelPtr first = level.musicStream->mf->c;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(ChannelPlaying(first), 0) << "started paused";
    level.continueMusic();
    EXPECT_EQ(ChannelPlaying(first), 1);

    level.playLvlMusic();
    const ChannelPtr second = level.musicStream->mf->c;
    EXPECT_EQ(ChannelPlaying(first), 0) << "the first copy was stopped";
    EXPECT_EQ(ChannelPlaying(second), 1);
    level.stopAndFreeMusic();
    EXPECT_EQ(level.musicStream, nullptr);
    EXPECT_EQ(ChannelPlaying(second), 0);
}

TEST_F(LoadTest, FinishBanksThePointsAndDropsThePiece) {
    points.total = 500;
    points.actual = 120;
    blocks.actualBlock = std::make_shared<TBlock>();
    level.finish();
    EXPECT_EQ(points.total, 620);
    EXPECT_EQ(points.actual, 0);
    EXPECT_EQ(blocks.actualBlock, nullptr);

    level.usedBlocks = level.matches = level.combos = level.recivedSpells = level.droppedSpells = 4;
    level.ResetStats();
    EXPECT_EQ(level.usedBlocks + level.matches + level.combos + level.recivedSpells + level.droppedSpells, 0);
}

} // namespace
} // namespace vsm::test
