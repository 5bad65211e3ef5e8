// GameLoadersTest: the shipped sequence and boards read by the game's own managers, which must
// take every entry without a diagnostic line (no skipped id, no missing key, no refused level).
#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "board/TRuneManager.h"
#include "data/BBArchive.h"
#include "level/TBossManager.h"
#include "level/TLevelManager.h"
#include "level/TLevelSequencer.h"
#include "magic/CoreGame.h"
#include "platform/Headless.h"
#include "services/Paths.h"
#include "shell/AssembleGame.h"
#include "shell/GameHooks.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace vsm {
namespace {

class ShippedDataInTheGame : public ::testing::Test {
  protected:
    void SetUp() override {
        UseHeadlessBackend();
        // The game's own assembly, its hooks included, as start-up makes it: the sphere reads
        // each board's document too.
        ResetGameGlobals();
        InstallGameHooks();
        bDir = test::ResourcesDir();
        ASSERT_EQ(CheckLPFiles(bDir), 1) << "the archives are not built under " << bDir;
        davar.loadDavarGfx();
        blocks.loadBlocksDef();
        bossManager.LoadResources();
    }
    void TearDown() override { ResetCoreGame(); }

    static std::vector<std::string> Boards() {
        std::vector<std::string> names;
        for (const auto& e :
             std::filesystem::directory_iterator(test::SourceDir() + "/content/davar_levels_lp"))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(ShippedDataInTheGame, EveryBoardLoadsWithoutADiagnostic) {
    std::vector<std::string> names = Boards();
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        auto doc = CreateTSCFile();
        ASSERT_EQ(LoadTSCFileBB(doc, bDir + "data/davar_levels_lp.bca", name), 1);
        const int number = static_cast<int>(doc->GetNumberKey("Settings::Level", "Number", 0));
        const int goal = static_cast<int>(doc->GetNumberKey("Settings::Level", "GoalType", 0));
        const std::string wardens = doc->GetStringKey("Settings::Level", "BossDavar", 0);
        const auto expectedWardens =
            static_cast<size_t>(wardens.empty() ? 0 : std::count(wardens.begin(), wardens.end(), ' ') + 1);

        board.clearBoard();
        level.Set(name);
        testing::internal::CaptureStdout();
        const int loaded = level.Load(0);
        const std::string printed = testing::internal::GetCapturedStdout();
        EXPECT_EQ(loaded, 0);
        EXPECT_EQ(printed, "") << "the game had something to say about the document";
        EXPECT_EQ(level.level, number);
        EXPECT_EQ(level.goalType, goal);
        EXPECT_FALSE(board.Frame.empty());
        EXPECT_EQ(bossManager.bossDavar.size(), expectedWardens);
        for (const std::string& id : blocks.availableDavar) {
            const bool dealable = std::any_of(davar.List.begin(), davar.List.end(), [&](const RunePtr& r) {
                return r->id == id && r->blocked == 0;
            });
            EXPECT_TRUE(dealable) << "rune " << id << " is not a dealable rune of the loaded catalogue";
        }
    }
}

TEST_F(ShippedDataInTheGame, SequenceNamesAnEntryOfTheRightArchiveAtEveryPosition) {
    sequencer.Start(1);
    ASSERT_EQ(sequencer.First, 1);
    ASSERT_GE(sequencer.Last, 44);
    const char* archives[] = {"", "data/davar_levels_lp.bca", "data/puzzle_levels_lp.bca",
                              "data/ring_levels_lp.bca"};
    for (int pos = sequencer.First; pos <= sequencer.Last; ++pos) {
        SCOPED_TRACE("position " + std::to_string(pos));
        sequencer.seqNo = pos;
        ASSERT_EQ(sequencer.Get(), 1);
        ASSERT_GE(sequencer.levelType, 1);
        ASSERT_LE(sequencer.levelType, 3);
        EXPECT_EQ(BBFileExist(bDir + archives[sequencer.levelType], sequencer.levelFileName), 1)
            << sequencer.levelFileName;
    }
}

} // namespace
} // namespace vsm
