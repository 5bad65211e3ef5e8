// Tests of the level sequencer over a fixture "sequencer.tsc".
#include "level/LevelFixture.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "data/TTSCFile.h"
#include "level/TLevelManager.h"
#include "level/TLevelSequencer.h"

#include <vector>

namespace vsm::test {
namespace {

constexpr const char* kSequence = R"(
Sequence{
  FirstLevel=-1
  LastLevel=5
  LevelA{ FileName="intro.tsc" Type=1 }
  Level1{ FileName="level_01.tsc" Type=1 }
  Level2{ FileName="puzzle-01.tsc" Type=2 }
  Level3{ FileName="ring-01.tsc" Type=3 }
  Level4{ FileName="odd.tsc" Type=7 }
  Level5{ Type=1 }
}
)";

class SequencerTest : public LevelFixture {
  protected:
    void SetUp() override {
        LevelFixture::SetUp();
        Archive("settings_lp.bca", {{"sequencer.tsc", kSequence}});
        Archive(
            "davar_levels_lp.bca",
            {{"level_01.tsc",
              "Settings{ Level{ Number=1 GoalType=2 AvailableDavar=\"1 2\" AvailableBlocks=\"p1\" } }"},
             {"no_runes.tsc", "Settings{ Level{ Number=6 AvailableBlocks=\"p1\" } }"},
             {"no_pieces.tsc", "Settings{ Level{ Number=7 AvailableDavar=\"1\" AvailableBlocks=\"zz\" } }"}});
        auto templates = CreateTSCFile();
        templates->LoadFromText(R"(List{ Quantity=1 Block1{ id="p1" pieces=1 piece1=0,0 } })");
        blocks.loadBlocksDoc(*templates);
    }
};

TEST_F(SequencerTest, GetReadsEachPositionOfTheSequence) {
    sequencer.Start(1);
    EXPECT_EQ(sequencer.seqNo, 1);
    EXPECT_EQ(sequencer.First, -1);
    EXPECT_EQ(sequencer.Last, 5);
    struct Case {
        int seqNo, result;
        std::string name;
        int type;
    };
    const Case cases[] = {
        {-1, 1, "intro.tsc", LEVEL_TYPE_BOARD},
        {0, 1, "", 0}, // no group for position 0
        {1, 1, "level_01.tsc", LEVEL_TYPE_BOARD},
        {2, 1, "puzzle-01.tsc", LEVEL_TYPE_PUZZLE},
        {3, 1, "ring-01.tsc", LEVEL_TYPE_RING},
        {5, 1, "", LEVEL_TYPE_BOARD},
        {6, 0, "", LEVEL_TYPE_BOARD}, // past Last: the previous level's fields stay
        {-2, 0, "", LEVEL_TYPE_BOARD},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seqNo);
        sequencer.seqNo = c.seqNo;
        EXPECT_EQ(sequencer.Get(), c.result);
        EXPECT_EQ(sequencer.levelFileName, c.name);
        EXPECT_EQ(sequencer.levelType, c.type);
    }
}

TEST_F(SequencerTest, SetupLevelPreparesEachLevelType) {
    // A puzzle or ring level is only checked: the campaign loop loads its stage.
    board.davarLayer[3][3] = 5;
    sequencer.Start(2);
    EXPECT_EQ(sequencer.setupLevel(), 1);
    sequencer.seqNo = 3;
    EXPECT_EQ(sequencer.setupLevel(), 1);
    EXPECT_EQ(board.davarLayer[3][3], 5);
    EXPECT_EQ(level.levelName, "");

    board.gameOver = 1;
    board.davarLayer[3][3] = 5;
    sequencer.seqNo = 1;
    EXPECT_EQ(sequencer.setupLevel(), 1);
    EXPECT_EQ(board.gameOver, 0);
    EXPECT_EQ(board.davarLayer[3][3], 0);
    EXPECT_EQ(level.levelName, "level_01.tsc");
    EXPECT_EQ(level.level, 1);
    EXPECT_EQ(level.goalType, 2);
}

TEST_F(SequencerTest, SetupLevelRefusesWhatItCannotPrepare) {
    sequencer.Start(4); // unknown type
    EXPECT_EQ(sequencer.setupLevel(), 0);
    sequencer.seqNo = 5; // board level without a document name
    EXPECT_EQ(sequencer.setupLevel(), 0);
    sequencer.seqNo = 9; // outside the sequence
    EXPECT_EQ(sequencer.setupLevel(), 0);
    EXPECT_EQ(level.levelName, "");
}

TEST_F(SequencerTest, SetupLevelRefusesABoardLevelThatDealsNothing) {
    const char* sequence = R"(Sequence{ FirstLevel=1 LastLevel=2
        Level1{ FileName="no_runes.tsc" Type=1 } Level2{ FileName="no_pieces.tsc" Type=1 } })";
    Archive("settings_lp.bca", {{"sequencer.tsc", sequence}});
    for (int seqNo : {1, 2}) {
        SCOPED_TRACE(seqNo);
        sequencer.Start(seqNo);
        testing::internal::CaptureStdout();
        EXPECT_EQ(sequencer.setupLevel(), 0);
        EXPECT_NE(testing::internal::GetCapturedStdout().find("refused"), std::string::npos);
    }
}

TEST_F(SequencerTest, NextLevelAndLevelExists) {
    sequencer.Start(4);
    EXPECT_EQ(sequencer.nextLevel(), 1);
    EXPECT_EQ(sequencer.seqNo, 5);
    EXPECT_EQ(sequencer.nextLevel(), 0);
    EXPECT_EQ(sequencer.seqNo, 6);
    sequencer.seqNo = -7; // below First still "exists" for the campaign loop
    EXPECT_EQ(sequencer.levelExists(), 1);
}

TEST_F(SequencerTest, MissingSequenceDocumentLeavesOnlyPositionZero) {
    Archive("settings_lp.bca", {});
    sequencer.Start(0);
    EXPECT_EQ(sequencer.First, 0);
    EXPECT_EQ(sequencer.Last, 0);
    EXPECT_EQ(sequencer.Get(), 1);
    EXPECT_EQ(sequencer.levelType, 0);
    sequencer.seqNo = 1;
    EXPECT_EQ(sequencer.Get(), 0);
}

} // namespace
} // namespace vsm::test
