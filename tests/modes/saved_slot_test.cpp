// Tests of what a resumed game takes from its slot: only well-formed entries this level can
// hold, no piece from another mode, and the boss runes that were still standing.
#include "modes/ModesFixture.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "level/TBossManager.h"
#include "level/TLevelManager.h"
#include "platform/Input.h"
#include "modes/ModeFrame.h"
#include "modes/QuestLevel.h"
#include "modes/SavedSlot.h"
#include "profiles/SavedCampaign.h"
#include "platform/System.h"
#include "profiles/TProfileManager.h"
#include "services/GameFlags.h"
#include "shell/SaveOnEnd.h"

namespace vsm::test {
namespace {

class SavedSlotTest : public ModesFixture {
  protected:
    static void Board(const std::vector<std::string>& entries) {
        profile.SetList("endless1", entries, 0);
        profile.SetList("endless2", {}, 0);
        profile.SetList("endless3", {}, 0);
    }
};

TEST_F(SavedSlotTest, BoardTakesOnlyKnownRunesOnItsOwnCells) {
    for (int x = 0; x < 15; ++x)
        for (int y = 0; y < 15; ++y)
            board.grid[x][y] = x < 5 ? 1 : 0;
    Board({"0:0:1", "1:1:6", "2:2:77", "5:5:2", "0:3", "0:16:1", "-1:0:2", "3:3:4", "4:4:-3"});
    RestoreBoard("endless");
    struct Cell {
        int x, y, rune, colour;
    };
    const Cell expected[] = {
        {0, 0, 1, 1},               // known rune on a cell
        {1, 1, 6, 6}, {2, 2, 0, 0}, // no such rune
        {5, 5, 0, 0},               // on a hole of this board
        {3, 3, 4, 4}, {0, 3, 0, 0}, // entry with a field missing
        {4, 4, 0, 0},               // a negative id is no rune either
    };
    for (const Cell& c : expected) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        EXPECT_EQ(board.davarLayer[c.x][c.y], c.rune);
        EXPECT_EQ(board.colorLayer[c.x][c.y], c.colour);
    }
}

TEST_F(SavedSlotTest, AnEmptyTheBoardLevelResumedWithANegativeRuneIdCanBeWon) {
    const std::vector<std::string> open(15, std::string(15, '1'));
    Levels(
        {{"empty.tsc", LevelDoc("GoalType=2 AvailableDavar=\"1\" AvailableBlocks=\"p1\" PetrifyTime=600000 "
                                "SpheresColors=\"1 0 0 0 0\" SpheresCapacities=\"90 0 0 0 0\"",
                                open)}});
    // Saved with one stray cell whose id no rune has: nothing the player could clear.
    profile.SetList("davar1", {"4:4:-3"}, 0);
    SetUpQuestLevel("empty.tsc", 3);
    Script([](int frame, FrameInput& in) {
        if (level.summaryStage >= SUMMARY_DOORS_CLOSE && frame % 4 == 0) in = ClickAt(400, 300);
        return frame < 3000;
    });
    int result = -1;
    EXPECT_NO_THROW(result = goGlyndra(1));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(level.summaryDone, 1);
}

TEST_F(SavedSlotTest, HeldPieceComesOnlyFromTheSlot) {
    auto other = std::make_shared<TBlock>();
    other->Set[0][0] = 3;
    struct Case {
        const char* name;
        std::vector<std::string> set, colour;
        int rune00, rune10; // -1: no piece in hand afterwards
    };
    const Case cases[] = {
        {"no piece saved", {}, {}, -1, -1},
        {"a saved pair", {"0:0:2", "1:0:5"}, {"0:0:2", "1:0:5"}, 2, 5},
        {"unknown runes and cells outside the piece are left out",
         {"0:0:2", "1:0:99", "4:0:1"},
         {"0:0:2"},
         2,
         0},
        {"nothing left of the piece", {"0:0:99"}, {"0:0:1"}, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        blocks.actualBlock = other;
        profile.SetList("timeActualBlockSet", c.set, 0);
        profile.SetList("timeActualBlockColor", c.colour, 0);
        RestoreHeldPiece("time");
        if (c.rune00 < 0) {
            EXPECT_EQ(blocks.actualBlock, nullptr);
            continue;
        }
        ASSERT_TRUE(blocks.actualBlock);
        EXPECT_NE(blocks.actualBlock, other);
        EXPECT_EQ(blocks.actualBlock->Set[0][0], c.rune00);
        EXPECT_EQ(blocks.actualBlock->Set[1][0], c.rune10);
        EXPECT_EQ(blocks.actualBlock->color[0][0], c.rune00);
    }
}

TEST_F(SavedSlotTest, DestroyedBossRunesStayDestroyed) {
    auto boss = [](int x, int y) {
        auto b = std::make_shared<TBossRune>();
        b->x = x;
        b->y = y;
        return b;
    };
    level.levelName = "boss.tsc";
    bossManager.bossDavar = {boss(1, 1), boss(5, 5)};
    SaveBossRunes("davar", 0);

    // The level document brings all three back; the slot knows which two stood.
    bossManager.bossDavar = {boss(1, 1), boss(5, 5), boss(9, 9)};
    EXPECT_EQ(RestoreBossRunes("davar"), 1);
    ASSERT_EQ(bossManager.bossDavar.size(), 2u);
    EXPECT_EQ(bossManager.bossDavar[1]->x, 5);

    // Saved for another level, or never saved: every boss rune stays.
    bossManager.bossDavar = {boss(1, 1), boss(9, 9)};
    level.levelName = "other.tsc";
    EXPECT_EQ(RestoreBossRunes("davar"), 0);
    EXPECT_EQ(RestoreBossRunes("time"), 0);
    EXPECT_EQ(bossManager.bossDavar.size(), 2u);
}

TEST_F(SavedSlotTest, PlacementDuringATurnUsesItsTarget) {
    for (int from = 0; from < 4; ++from) {
        for (int to = 0; to < 4; ++to) {
            blocks.direction = from;
            blocks.newDir = to;
            FinishTurnForPlacement();
            EXPECT_EQ(blocks.direction, to) << from << " -> " << to;
        }
    }
}

// A boss level of two boss runes on an open board.
class BossSlotTest : public ModesFixture {
  protected:
    void SetUp() override {
        ModesFixture::SetUp();
        SettingsDocuments({{"bossDavar.tsc", R"(List{ Ogre{ id=1 color=3 fileNameBoss="gfx/boss/b-01.png"
                                                      fileNameBossBig="gfx/boss/b-01.png" } })"}});
        bossManager.LoadResources();
        const std::vector<std::string> open(15, std::string(15, '1'));
        Levels({{"boss.tsc", LevelDoc("GoalType=3 BossDavar=\"1:3:3 1:9:9\" AvailableDavar=\"1\" "
                                      "AvailableBlocks=\"p1\" PetrifyTime=600000 SpheresColors=\"1 0 0 0 0\" "
                                      "SpheresCapacities=\"90 0 0 0 0\"",
                                      open)}});
        saveToProfile = 1;
    }
    // The boss runes standing when the saved level is resumed.
    size_t StandingOnResume() {
        quit = 0;
        SetUpQuestLevel("boss.tsc", 3);
        size_t standing = 99;
        Script([&](int frame, FrameInput& in) {
            if (frame == 1) standing = bossManager.bossDavar.size();
            in.terminate = frame == 2;
            return true;
        });
        EXPECT_THROW(goGlyndra(1), ProgramEnd);
        return standing;
    }
};

TEST_F(BossSlotTest, TheExitHookSavesTheBossRunesStandingAtTheClose) {
    struct Case {
        const char* name;
        int resume;
        bool restart; // from the pause menu, before the close
    };
    const Case cases[] = {
        {"a fresh start", 0, false},
        {"a resumed level restarted", 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // An earlier visit left the level with one boss rune standing.
        profile.SetString("davarBossLevel", "boss.tsc", 0);
        profile.SetList("davarBosses", {"3:3:1"}, 0);
        quit = 0;
        SetUpQuestLevel("boss.tsc", 3);
        MenuChoice restart{21};
        int after = 0;
        size_t atStart = 99;
        Script([&](int frame, FrameInput& in) {
            if (frame == 1) atStart = bossManager.bossDavar.size();
            if (c.restart && !restart.done && frame > 40)
                restart.Step(in);
            else if ((!c.restart || restart.done) && ++after == 10)
                in.terminate = true;
            return true;
        });
        EXPECT_THROW(goGlyndra(c.resume), ProgramEnd);
        EXPECT_EQ(atStart, c.resume ? 1u : 2u);
        ASSERT_EQ(bossManager.bossDavar.size(), 2u);
        saveOnEnd();
        EXPECT_EQ(StandingOnResume(), 2u);
    }
}

} // namespace
} // namespace vsm::test
