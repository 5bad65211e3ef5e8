// Hiscore table: first start, order and cap per mode, best scores, the stored document, and
// damaged, blank or unreadable documents that must never cost the player's results.
#include "profiles/ProfilesFixture.h"
#include "profiles/THiscores.h"

#include "platform/Files.h"
#include "platform/System.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vsm::test {
namespace {

class Hiscores : public ProfilesFixture {
  protected:
    std::string file() const { return userFolder + "/data/hiscores.dat"; }
    void Load() {
        testing::internal::CaptureStdout();
        hiscore = THiscores::Create(file());
        out = testing::internal::GetCapturedStdout();
    }
    static std::string Group(int i, const std::string& name, const char* score, const char* type,
                             const std::string& date, const std::string& helpVar) {
        return "Score" + std::to_string(i) + "{\n\tname=\"" + name + "\"\n\tscore=" + score +
               "\n\tgameID=0.00000000\n\ttypeID=" + type + "\n\tdate=\"" + date + "\"\n\thelpVar=\"" +
               helpVar + "\"\n}\n";
    }
    static std::vector<std::string> Names(const std::vector<TScorePtr>& list) {
        std::vector<std::string> names;
        for (const TScorePtr& s : list)
            names.push_back(s->name);
        return names;
    }
    std::string out;
};

TEST_F(Hiscores, AFirstStartWritesAndLoadsTheDefaultEntry) {
    for (const char* start : {"missing", "empty"}) {
        SCOPED_TRACE(start);
        std::filesystem::remove(file());
        if (std::string(start) == "empty") Put(file(), "");
        Load();
        EXPECT_EQ(Read(file()), Group(0, "korvela", "10000.0000", "1.00000000", CurrentDate(), "null"));
        const auto quest = hiscore.GetScores(1, 10);
        ASSERT_EQ(quest.size(), 1u);
        EXPECT_EQ(quest[0]->name, "korvela");
        EXPECT_EQ(quest[0]->score, 10000);
        EXPECT_EQ(quest[0]->date, CurrentDate());
        EXPECT_EQ(quest[0]->helpVar, "null");
        EXPECT_TRUE(hiscore.GetScores(2, 10).empty());
        EXPECT_EQ(hiscore.maxCount, 500);
    }
}

TEST_F(Hiscores, EntriesRankByModeThenScoreAndEqualScoresByArrival) {
    Put(file(), Group(0, "old", "300.000000", "2.00000000", "01 Jan 2020", "b1"));
    Load();
    hiscore.add("ann", 300, 0, 2, "02 Jan 2020", "b1");   // equal: ranks below the earlier one
    hiscore.add("bob", 300, 0, 1, "02 Jan 2020", "null"); // quest first whatever the points
    hiscore.add("cy", 900, 0, 2, "02 Jan 2020", "b2");
    hiscore.add("dee", 5, 0, 3, "02 Jan 2020", "b1");
    EXPECT_EQ(Names(hiscore.scores), (std::vector<std::string>{"bob", "cy", "old", "ann", "dee"}));
    EXPECT_EQ(Names(hiscore.GetScores(2, 10)), (std::vector<std::string>{"cy", "old", "ann"}));
    EXPECT_EQ(Names(hiscore.GetScores(2, 2)), (std::vector<std::string>{"cy", "old"}));
    EXPECT_TRUE(hiscore.GetScores(2, 0).empty());
    EXPECT_EQ(hiscore.GetScores(2, 10)[0], hiscore.scores[1]); // the table's own entries

    // The document holds the table in its order, and a later run reads it back so.
    EXPECT_EQ(Read(file()), Group(0, "bob", "300.000000", "1.00000000", "02 Jan 2020", "null") +
                                Group(1, "cy", "900.000000", "2.00000000", "02 Jan 2020", "b2") +
                                Group(2, "old", "300.000000", "2.00000000", "01 Jan 2020", "b1") +
                                Group(3, "ann", "300.000000", "2.00000000", "02 Jan 2020", "b1") +
                                Group(4, "dee", "5.00000000", "3.00000000", "02 Jan 2020", "b1"));
    Load();
    EXPECT_EQ(Names(hiscore.scores), (std::vector<std::string>{"bob", "cy", "old", "ann", "dee"}));
}

TEST_F(Hiscores, BestScoreIsPerModeAndExactBoard) {
    Put(file(), "");
    Load();
    hiscore.add("a", 700, 0, 2, "d", "level_01.tsc");
    hiscore.add("b", 900, 0, 3, "d", "level_01.tsc");
    hiscore.add("c", 800, 0, 2, "d", "level_02.tsc");
    hiscore.add("d", 750, 0, 2, "d", "level_01.tsc");
    struct Case {
        int mode;
        const char* board;
        int best;
    } cases[] = {
        {2, "level_01.tsc", 750}, {3, "level_01.tsc", 900}, {2, "level_02.tsc", 800},
        {2, "LEVEL_01.tsc", 0},   {3, "level_02.tsc", 0},   {1, "null", 10000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.board);
        EXPECT_EQ(hiscore.GetBestScore(c.mode, c.board), c.best);
    }
}

TEST_F(Hiscores, EachModeKeepsItsBestFiveHundred) {
    std::string text;
    for (int i = 0; i < 501; ++i)
        text += Group(i, "e" + std::to_string(i), (std::to_string(1000 - i) + ".000000").c_str(),
                      "2.00000000", "d", "b");
    text += Group(501, "quest", "1.00000000", "1.00000000", "d", "null");
    Put(file(), text);
    Load();
    // Trimmed in memory at once; the document shrinks at the next addition.
    ASSERT_EQ(hiscore.GetScores(2, 1000).size(), 500u);
    EXPECT_EQ(hiscore.GetScores(2, 1000).back()->name, "e499");
    EXPECT_EQ(hiscore.GetScores(1, 10).size(), 1u);

    // Equal to the 500th is not better than it: removed at once, written without it.
    ASSERT_EQ(hiscore.add("late", 501, 0, 2, "d", "b"), 0);
    EXPECT_EQ(hiscore.GetScores(2, 1000).back()->name, "e499");
    EXPECT_EQ(Read(file()).find("late"), std::string::npos);
    ASSERT_EQ(hiscore.add("good", 502, 0, 2, "d", "b"), 0);
    EXPECT_EQ(hiscore.GetScores(2, 1000).size(), 500u);
    EXPECT_EQ(hiscore.GetScores(2, 1000).back()->name, "good");
    EXPECT_EQ(hiscore.scores.size(), 501u);
}

TEST_F(Hiscores, OddButReadableDocumentsAreReadAsTheyStand) {
    Put(file(), "Score0{\n\tname=\"no mode\"\n\tscore=5\n}\n"
                "Whatever{\n\tname=\"a \\\"quoted\\\" \\\\ "
                "name\"\n\tscore=\"abc\"\n\ttypeID=2\n\tInner{\n\t\tname=\"x\"\n\t}\n}\n"
                "Big{\n\tname=\"big\"\n\tscore=16777217\n\ttypeID=3\n\thelpVar=\"b\"\n}\n");
    Load();
    EXPECT_NE(out.find("The key Score0::helpVar does not exist"), std::string::npos);
    // A group without a mode sorts first and no screen shows it.
    ASSERT_EQ(hiscore.scores.size(), 3u);
    EXPECT_EQ(hiscore.scores[0]->name, "no mode");
    EXPECT_EQ(hiscore.scores[0]->typeID, 0);
    const auto endless = hiscore.GetScores(2, 10);
    ASSERT_EQ(endless.size(), 1u);
    EXPECT_EQ(endless[0]->name, "a \"quoted\" \\ name");
    EXPECT_EQ(endless[0]->score, 0);
    ASSERT_EQ(hiscore.add("z", 1, 0, 1, "d", "null"), 0);
    Load();
    EXPECT_EQ(hiscore.GetScores(2, 10)[0]->name, "a \"quoted\" \\ name");
    EXPECT_EQ(hiscore.GetBestScore(3, "b"), 16777216);
}

TEST_F(Hiscores, ABlankDocumentIsAnEmptyTableAndStays) {
    Put(file(), "  \n// nothing here yet\n");
    Load();
    EXPECT_TRUE(hiscore.scores.empty());
    EXPECT_EQ(Read(file()), "  \n// nothing here yet\n");
}

TEST_F(Hiscores, ADamagedDocumentIsKeptAsideAndTheDefaultLoaded) {
    const std::string damaged = Group(0, "mine", "50000.0000", "1.00000000", "d", "null") + "Score1{ name=";
    Put(file(), damaged);
    Load();
    EXPECT_EQ(Read(file() + ".damaged"), damaged);
    EXPECT_NE(out.find("kept as " + file() + ".damaged"), std::string::npos);
    EXPECT_EQ(Names(hiscore.scores), std::vector<std::string>{"korvela"});
    // A second damaged document does not replace the first one kept aside.
    Put(file(), "{{");
    Load();
    EXPECT_EQ(Read(file() + ".damaged"), damaged);
    EXPECT_EQ(Read(file() + ".damaged1"), "{{");
}

TEST_F(Hiscores, ADocumentThatCannotBeMovedAsideOrReadIsNeverWrittenOver) {
    Put(file(), "{{ damaged");
    SetFileFaultHook([](FileOp op, const std::string&) { return op != FileOp::Rename; });
    Load();
    SetFileFaultHook(nullptr);
    EXPECT_TRUE(hiscore.scores.empty());
    testing::internal::CaptureStdout();
    EXPECT_EQ(hiscore.add("ann", 10, 0, 1, "d", "null"), -1);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(hiscore.GetScores(1, 10).size(), 1u); // kept for this run
    EXPECT_EQ(Read(file()), "{{ damaged");

    // Something that is there but is no readable file.
    std::filesystem::remove(file());
    std::filesystem::create_directories(file());
    Load();
    EXPECT_NE(out.find("cannot be read"), std::string::npos);
    EXPECT_TRUE(hiscore.scores.empty());
    testing::internal::CaptureStdout();
    EXPECT_EQ(hiscore.add("ann", 10, 0, 1, "d", "null"), -1);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(FileType(file()), FILETYPE_DIR);
}

TEST_F(Hiscores, AnInterruptedWriteKeepsTheOldDocument) {
    Load();
    const std::string before = Read(file());
    SetSaveInterruptHook([](const std::string&) { return false; });
    EXPECT_EQ(hiscore.add("ann", 99999, 0, 1, "d", "null"), -1);
    EXPECT_EQ(Read(file()), before);
    EXPECT_EQ(hiscore.GetScores(1, 10)[0]->name, "ann");
}

} // namespace
} // namespace vsm::test
