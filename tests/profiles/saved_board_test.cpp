// Saved board and pieces: the rune layer, the runes' ages and the held piece round-trip through a
// save slot of the selected profile, slots stay apart, and hand-edited entries are checked.
#include "profiles/ProfilesFixture.h"
#include "profiles/SavedBoard.h"
#include "profiles/TProfileManager.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "board/TestRunes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vsm::test {
namespace {

class SavedBoard : public ProfilesFixture {
  protected:
    void SetUp() override {
        ProfilesFixture::SetUp();
        Put("anna.dat", ProfileText());
        testing::internal::CaptureStdout();
        OpenStore();
        testing::internal::GetCapturedStdout();
        AppendTestRune("1", 1, 0, "", "");
        AppendTestRune("2", 2, 0, "", "");
        AppendTestRune("7", 3, 0, "", "");
        control->SetClock(100000);
    }
    std::vector<std::string> List(const std::string& key) {
        return profile.GetList(key).value_or(std::vector<std::string>{"<absent>"});
    }
};

TEST_F(SavedBoard, AnEmptyBoardStoresAllCellsWithZeroRunesAndTheClockAsAge) {
    ASSERT_EQ(saveBoard("davar", 0), 0);
    const std::vector<size_t> sizes = {90, 90, 45};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const auto runes = List("davar" + std::to_string(i + 1));
        const auto ages = List("davarTimerLayer" + std::to_string(i + 1));
        ASSERT_EQ(runes.size(), sizes[i]);
        ASSERT_EQ(ages.size(), sizes[i]);
        for (size_t n = 0; n < runes.size(); ++n) {
            const int x = 6 * i + static_cast<int>(n) / 15, y = static_cast<int>(n) % 15;
            const std::string cell = std::to_string(x) + ":" + std::to_string(y) + ":";
            EXPECT_EQ(runes[n], cell + "0");
            EXPECT_EQ(ages[n], cell + "100000");
        }
    }
    // saveNow 0 leaves the file alone.
    EXPECT_EQ(Read("anna.dat"), ProfileText());
}

TEST_F(SavedBoard, RunesAndTheirAgesComeBackHoweverLongTheProfileLay) {
    board.davarLayer[3][14] = 7;
    board.timerLayer[3][14] = 96000; // placed 4000 ms before the save
    board.davarLayer[0][0] = 1;
    board.timerLayer[0][0] = 99990;
    board.davarLayer[14][14] = 99; // an id the catalogue does not know
    board.timerLayer[14][14] = 50000;
    ASSERT_EQ(saveBoard("endless", 1), 0);
    EXPECT_NE(Read("anna.dat").find("\"3:14:7\""), std::string::npos);

    for (int x = 0; x < BOARD_CELLS; ++x)
        for (int y = 0; y < BOARD_CELLS; ++y)
            board.davarLayer[x][y] = board.colorLayer[x][y] = board.timerLayer[x][y] = 0;
    control->SetClock(5000000);
    testing::internal::CaptureStdout();
    OpenStore(); // as a later run of the game would
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(loadBoard("endless"), 0);
    EXPECT_EQ(board.davarLayer[3][14], 7);
    EXPECT_EQ(board.colorLayer[3][14], 3);
    EXPECT_EQ(board.timerLayer[3][14], 5000000 - 4000);
    EXPECT_EQ(board.davarLayer[0][0], 1);
    EXPECT_EQ(board.colorLayer[0][0], 1);
    EXPECT_EQ(board.timerLayer[0][0], 5000000 - 10);
    EXPECT_EQ(board.davarLayer[14][14], 99);
    EXPECT_EQ(board.colorLayer[14][14], 0);
    EXPECT_EQ(board.timerLayer[14][14], 5000000 - 50000);
    EXPECT_EQ(board.davarLayer[7][7], 0);
    EXPECT_EQ(board.timerLayer[7][7], 5000000 - 100000); // a cell never placed on was as old as the clock
}

TEST_F(SavedBoard, SlotsStayApartAndASecondSaveReplacesTheFirst) {
    board.davarLayer[1][1] = 1;
    saveBoard("davar", 0);
    board.davarLayer[1][1] = 2;
    saveBoard("time", 0);
    board.davarLayer[1][1] = 7;
    saveBoard("time", 1);
    EXPECT_EQ(List("davar1")[16], "1:1:1");
    EXPECT_EQ(List("time1")[16], "1:1:7");
    EXPECT_EQ(List("endless1"), std::vector<std::string>{});
    const std::string text = Read("anna.dat");
    size_t count = 0;
    for (size_t at = text.find("\ttime1="); at != std::string::npos; at = text.find("\ttime1=", at + 1))
        ++count;
    EXPECT_EQ(count, 1u);
}

TEST_F(SavedBoard, HandEditedEntriesOutsideTheBoardOrTooShortAreSkipped) {
    board.davarLayer[2][2] = 2;
    board.timerLayer[2][2] = 1234;
    board.davarLayer[5][5] = 2;
    profile.SetList("davar1", {"1:2", "15:0:7", "-1:0:7", "0:15:7", "0:-1:7", "4:4:7", "x:y:z", ""}, 0);
    profile.SetList("davarTimerLayer1", {"2:2", "99:99:5", "4:4:500"}, 0);
    testing::internal::CaptureStdout();
    loadBoard("davar");
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(board.davarLayer[4][4], 7);
    EXPECT_EQ(board.colorLayer[4][4], 3);
    EXPECT_EQ(board.timerLayer[4][4], 100000 - 500);
    EXPECT_EQ(board.davarLayer[0][0], 0); // "x:y:z" reads as cell 0:0 with rune 0
    EXPECT_EQ(board.davarLayer[2][2], 2); // cells without an entry keep their values
    EXPECT_EQ(board.timerLayer[2][2], 1234);
    EXPECT_EQ(board.davarLayer[5][5], 2);
    EXPECT_NE(out.find("\"15:0:7\" of davar1 skipped"), std::string::npos);
    EXPECT_NE(out.find("\"99:99:5\" of davarTimerLayer1 skipped"), std::string::npos);
}

TEST_F(SavedBoard, TheHeldPieceAndThePreviousPiecesRoundTrip) {
    auto piece = std::make_shared<TBlock>();
    piece->Set[0][0] = 1;
    piece->Set[1][0] = 2;
    piece->Set[1][1] = 7;
    piece->Set[3][3] = 2;
    piece->color[0][0] = 1;
    piece->color[1][0] = 2;
    piece->color[1][1] = 3;
    piece->color[3][3] = 2;
    blocks.actualBlock = piece;
    blocks.prevBlocks[0] = 4;
    blocks.prevBlocks[1] = 0;
    blocks.prevBlocks[2] = 11;
    ASSERT_EQ(SaveLastBlock("davar", 1), 0);
    const auto set = List("davarActualBlockSet");
    ASSERT_EQ(set.size(), 16u);
    EXPECT_EQ(set[0], "0:0:1");
    EXPECT_EQ(set[4], "1:0:2");
    EXPECT_EQ(set[15], "3:3:2");
    EXPECT_EQ(std::count_if(set.begin(), set.end(),
                            [](const std::string& e) { return e.back() == '0' && e[e.size() - 2] == ':'; }),
              12);
    EXPECT_EQ(List("davarActualBlockColor")[5], "1:1:3");

    blocks.actualBlock = nullptr;
    blocks.prevBlocks[0] = blocks.prevBlocks[1] = blocks.prevBlocks[2] = 0;
    ASSERT_EQ(LoadLastBlock("davar"), 0);
    ASSERT_TRUE(blocks.actualBlock);
    EXPECT_NE(blocks.actualBlock, piece);
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y) {
            EXPECT_EQ(blocks.actualBlock->Set[x][y], piece->Set[x][y]) << x << "," << y;
            EXPECT_EQ(blocks.actualBlock->color[x][y], piece->color[x][y]) << x << "," << y;
            EXPECT_EQ(blocks.actualBlock->placeable[x][y], 0);
        }
    EXPECT_EQ(blocks.actualBlock->id, "");
    EXPECT_EQ(blocks.prevBlocks[0], 4);
    EXPECT_EQ(blocks.prevBlocks[2], 11);
}

TEST_F(SavedBoard, SavingWithoutAHeldPieceRemovesThePieceButKeepsThePreviousNumbers) {
    blocks.actualBlock = std::make_shared<TBlock>();
    blocks.prevBlocks[0] = 9;
    SaveLastBlock("time", 0);
    blocks.actualBlock = nullptr;
    blocks.prevBlocks[0] = 3;
    SaveLastBlock("time", 0);
    EXPECT_EQ(List("timeActualBlockSet"), std::vector<std::string>{});
    EXPECT_EQ(List("timeActualBlockColor"), std::vector<std::string>{});
    EXPECT_EQ(profile.GetNumber("timePrevBlock0"), 9);

    auto held = std::make_shared<TBlock>();
    blocks.actualBlock = held;
    LoadLastBlock("time");
    EXPECT_EQ(blocks.actualBlock, held);
    EXPECT_EQ(blocks.prevBlocks[0], 3);
}

TEST_F(SavedBoard, PieceEntriesOutsideTheFourByFourAreSkipped) {
    profile.SetList("davarActualBlockSet", {"4:0:1", "0:4:1", "3:3:5", "2"}, 0);
    profile.SetList("davarActualBlockColor", {"3:3:2", "-1:0:2"}, 0);
    testing::internal::CaptureStdout();
    LoadLastBlock("davar");
    testing::internal::GetCapturedStdout();
    ASSERT_TRUE(blocks.actualBlock);
    EXPECT_EQ(blocks.actualBlock->Set[3][3], 5);
    EXPECT_EQ(blocks.actualBlock->color[3][3], 2);
    EXPECT_EQ(blocks.prevBlocks[0], 0); // missing numbers read 0
}

TEST_F(SavedBoard, WithoutASelectedProfileNothingIsSavedOrLoaded) {
    NoProfile();
    board.davarLayer[1][1] = 1;
    blocks.actualBlock = std::make_shared<TBlock>();
    EXPECT_EQ(saveBoard("davar", 1), 0);
    EXPECT_EQ(SaveLastBlock("davar", 1), 0);
    EXPECT_EQ(loadBoard("davar"), 0);
    EXPECT_EQ(LoadLastBlock("davar"), 0);
    EXPECT_EQ(board.davarLayer[1][1], 1);
    EXPECT_TRUE(Files().empty());
}

} // namespace
} // namespace vsm::test
