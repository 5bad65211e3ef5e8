// The ring level document and the level's hint popups.
#include "RingFixture.h"

#include "ringgame/TRingGame.h"
#include "support/TestAssets.h"

namespace vsm::test {

namespace {

using RingLoad = RingFixture;

std::string Hint(const std::string& group, int level) {
    return group + "{\n Level=" + std::to_string(level) +
           "\n Event=\"BEGIN_LEVEL\"\n Image=\"gfx/info/popup.png\"\n X=220\n Y=170\n Lines=1\n Line1=\"" +
           group + "\"\n Spell=0\n}\n";
}

} // namespace

TEST_F(RingLoad, ReadsTheSettings) {
    LoadLevel(Settings(90000, 4, "1 3", 2500, 2));
    EXPECT_EQ(ringGame.musicName, "sfx/ringo.ogg");
    EXPECT_EQ(ringGame.maxTime, 90000);
    EXPECT_EQ(ringGame.seqMaxLen, 3);
    EXPECT_EQ(ringGame.runeTime, 2500);
    EXPECT_EQ(ringGame.availableSpells, (std::vector<std::string>{"1", "3"}));
}

TEST_F(RingLoad, HoldsTheSequenceLengthAndKeepsOnlySpellKindsOneToSix) {
    struct Case {
        const char* length;
        const char* spells;
        int seqMaxLen;
        std::vector<std::string> kept;
    };
    const Case cases[] = {
        {"1", "", 0, {}},
        {"20", "6", 19, {"6"}},
        {"0", "1 7 0 x 2", 0, {"1", "2"}},
        {"-3", "3  4", 0, {"3", "4"}},
        {"25", "1.5 -2 5", 19, {"5"}},
        {"2.9", "12", 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.length) + " / " + c.spells);
        LoadLevel(std::string("Settings{ Time=1000 SequenceLength=") + c.length + " AvailableSpells=\"" +
                  c.spells + "\" RuneTime=100 LevelNumber=1 }");
        EXPECT_EQ(ringGame.seqMaxLen, c.seqMaxLen);
        EXPECT_EQ(ringGame.availableSpells, c.kept);
    }
}

TEST_F(RingLoad, TakesTheLevelsHintsInOrderAndDropsAnEarlierLevels) {
    LoadLevel(Settings(1000, 2, "1", 100, 2), Hint("a", 1) + Hint("b", 2) + Hint("c", 2) + Hint("d", 3));
    ASSERT_EQ(ringGame.popups.Count(), 2u);
    EXPECT_EQ(ringGame.popups.Snapshot()[0]->text[0], "b");
    EXPECT_EQ(ringGame.popups.Snapshot()[1]->text[0], "c");

    LoadLevel(Settings(1000, 2, "1", 100, 3), Hint("a", 1) + Hint("b", 2) + Hint("c", 2) + Hint("d", 3));
    ASSERT_EQ(ringGame.popups.Count(), 1u);
    EXPECT_EQ(ringGame.popups.First()->text[0], "d");
}

} // namespace vsm::test
