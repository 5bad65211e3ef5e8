// Tests of the board lists: building the time-attack and endless lists and stepping the selection.
#include "boardlists/BoardListsFixture.h"

#include "profiles/ProfileDefaults.h"
#include "profiles/TProfileManager.h"

#include <sys/stat.h>

#include <utility>

#include <vector>

namespace vsm::test {
namespace {

using Strings = std::vector<std::string>;

class SelectorTest : public BoardListsFixture {
  protected:
    // A list of n entries "e0".."e<n-1>" with the given entry selected and change cleared.
    static void List(int n, int selected) {
        boardSelector.levels.clear();
        for (int i = 0; i < n; ++i)
            boardSelector.levels.push_back("e" + std::to_string(i));
        boardSelector.selectedLevel = selected;
        boardSelector.change = 0;
    }
};

TEST_F(SelectorTest, TimedAndEndlessListsHoldTheArchiveBoardsThenTheCustomLevels) {
    Settings({{"timedLevels.tsc", R"(
T1{ FileName="level_t1.tsc" }
T2{ FileName="level_t2.tsc" Other=4 Inner{ FileName="nested.tsc" } }
NoName{ Other=1 }
T1again{ FileName="level_t1.tsc" }
)"},
              {"endlessLevels.tsc", R"(E1{ FileName="level_e1.tsc" })"}});

    boardSelector.LoadList(BOARDS_TIMED);
    EXPECT_EQ(boardSelector.mode, BOARDS_TIMED);
    EXPECT_EQ(boardSelector.levels, (Strings{"level_t1.tsc", "level_t2.tsc", "", "level_t1.tsc"}));

    const std::string folder = myDocsFolder + "/custom-levels";
    WriteText(folder + "/mine.tsc", "Board{}");
    WriteText(folder + "/.hidden", "");
    boardSelector.LoadList(BOARDS_ENDLESS);
    EXPECT_EQ(boardSelector.mode, BOARDS_ENDLESS);
    EXPECT_EQ(boardSelector.levels, (Strings{"level_e1.tsc", folder + "/.hidden", folder + "/mine.tsc"}));

    // A missing list document leaves the custom levels only.
    Settings({});
    boardSelector.LoadList(BOARDS_TIMED);
    EXPECT_EQ(boardSelector.levels, (Strings{folder + "/.hidden", folder + "/mine.tsc"}));
}

TEST_F(SelectorTest, TheCustomLevelsListOffersRegularFilesOnly) {
    const std::string folder = myDocsFolder + "/custom-levels";
    WriteText(folder + "/b.tsc", "Board{}");
    WriteText(resources + "elsewhere.tsc", "Board{}");
    std::filesystem::create_directories(folder + "/a-folder");
    std::filesystem::create_symlink(resources + "elsewhere.tsc", folder + "/c-link.tsc");
    std::filesystem::create_symlink(resources + "missing.tsc", folder + "/d-dangling.tsc");
    std::filesystem::create_directory_symlink(resources, folder + "/e-folder-link");
    ASSERT_EQ(mkfifo((folder + "/f-pipe.tsc").c_str(), 0600), 0);

    boardSelector.LoadList(BOARDS_ENDLESS);
    EXPECT_EQ(boardSelector.levels, (Strings{folder + "/b.tsc", folder + "/c-link.tsc"}));
}

TEST_F(SelectorTest, TheQuestListIsTheSelectedPlayersAndAddLevelWritesItAtOnce) {
    const std::string folder = resources + "profiles";
    std::filesystem::create_directories(folder);
    profile = TProfileManager::Create(folder, "dat");

    // Nobody selected: an empty list, nothing recorded, nothing to preview.
    boardSelector.LoadList(BOARDS_QUEST);
    EXPECT_EQ(boardSelector.mode, BOARDS_QUEST);
    EXPECT_TRUE(boardSelector.levels.empty());
    EXPECT_EQ(boardSelector.AddLevel("level_02.tsc"), 0);
    EXPECT_EQ(boardSelector.SelectedLevelName(), "");
    boardSelector.LoadMiniBoard();

    ASSERT_EQ(CreateNewProfile("tester"), 1);
    boardSelector.LoadList(BOARDS_QUEST);
    EXPECT_EQ(boardSelector.levels, (Strings{"level_01.tsc"}));

    // What the player's file holds, read afresh from disk.
    auto stored = [&] {
        TProfileManager disk = TProfileManager::Create(folder, "dat");
        return std::make_pair(disk.GetList("revealedLevels").value_or(Strings{"no player"}),
                              disk.GetNumber("marker"));
    };
    EXPECT_EQ(boardSelector.AddLevel("level_02.tsc"), 1);
    EXPECT_EQ(stored(), std::make_pair(Strings{"level_01.tsc", "level_02.tsc"}, 0));
    EXPECT_EQ(boardSelector.levels, (Strings{"level_01.tsc"})) << "the shown list waits for the next load";

    // A name already there writes nothing (the unsaved marker stays off the disk); a name that
    // differs in letter case is a new entry and is written with everything else.
    profile.SetNumber("marker", 5, 0);
    EXPECT_EQ(boardSelector.AddLevel("level_02.tsc"), 0);
    EXPECT_EQ(stored(), std::make_pair(Strings{"level_01.tsc", "level_02.tsc"}, 0));
    EXPECT_EQ(boardSelector.AddLevel("LEVEL_02.tsc"), 1);
    EXPECT_EQ(stored(), std::make_pair(Strings{"level_01.tsc", "level_02.tsc", "LEVEL_02.tsc"}, 5));

    boardSelector.LoadList(BOARDS_QUEST);
    EXPECT_EQ(boardSelector.levels, (Strings{"level_01.tsc", "level_02.tsc", "LEVEL_02.tsc"}));
}

TEST_F(SelectorTest, LoadListSelectsTheFirstEntryAndKeepsTheFade) {
    Settings({{"timedLevels.tsc", R"(A{ FileName="a.tsc" } B{ FileName="b.tsc" })"}});
    boardSelector.selectedLevel = 7;
    boardSelector.change = 1;
    boardSelector.alpha = 0.5f;
    boardSelector.LoadList(BOARDS_TIMED);
    EXPECT_EQ(boardSelector.selectedLevel, 0);
    EXPECT_EQ(boardSelector.change, 1);
    EXPECT_EQ(boardSelector.alpha, 0.5f);
    EXPECT_EQ(boardSelector.SelectedLevelName(), "a.tsc");
}

TEST_F(SelectorTest, StepsWrapAndRaiseChangeOnlyWhenTheyCanMove) {
    enum Op { Next, Prev, Next5, Prev5 };
    struct Case {
        int count, from;
        Op op;
        int to, change;
    } cases[] = {
        {3, 2, Next, 0, 1},  {3, 0, Prev, 2, 1},  {3, 1, Next, 2, 1},  {1, 0, Next, 0, 1},
        {1, 0, Prev, 0, 1},  {0, 0, Next, 0, 0},  {0, 0, Prev, 0, 0},  {5, 1, Next5, 1, 0},
        {5, 3, Prev5, 3, 0}, {7, 4, Next5, 2, 1}, {7, 1, Prev5, 3, 1}, {6, 0, Next5, 5, 1},
        {6, 5, Next5, 4, 1}, {6, 4, Prev5, 5, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("count " + std::to_string(c.count) + " from " + std::to_string(c.from) + " op " +
                     std::to_string(c.op));
        List(c.count, c.from);
        switch (c.op) {
        case Next:
            boardSelector.nextLevel();
            break;
        case Prev:
            boardSelector.PrevLevel();
            break;
        case Next5:
            boardSelector.NextLevel5();
            break;
        case Prev5:
            boardSelector.PrevLevel5();
            break;
        }
        EXPECT_EQ(boardSelector.selectedLevel, c.to);
        EXPECT_EQ(boardSelector.change, c.change);
    }
    List(0, 0);
    EXPECT_EQ(boardSelector.SelectedLevelName(), "");
}

} // namespace
} // namespace vsm::test
