// Tests of the quest board level: a level played from its start to its summary, saved by
// leaving and resumed, lost, paused, and closed at each point of its end.
#include "modes/ModesFixture.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "level/TLevelManager.h"
#include "level/TLevelSequencer.h"
#include "level/TPointsManager.h"
#include "level/TTimeManager.h"
#include "magic/TBunusManagerA.h"
#include "magic/TMagicSphere.h"
#include "modes/QuestLevel.h"
#include "modes/SavedSlot.h"
#include "overlays/TOptionsWindow.h"
#include "data/DataFolders.h"
#include "platform/Files.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "profiles/OptionsDocument.h"
#include "profiles/SavedBoard.h"
#include "profiles/SavedCampaign.h"
#include "profiles/THiscores.h"
#include "profiles/TProfileManager.h"
#include "services/GameFlags.h"

#include <algorithm>
#include <optional>

namespace vsm::test {
namespace {

class QuestTest : public ModesFixture {
  protected:
    void SetUp() override {
        ModesFixture::SetUp();
        // A row of three cells dealing single runes of colour 1 into a sphere of one ball that
        // holds three: the third rune clears the row and fills the ball, which meets the goal.
        Levels(
            {{"row.tsc", LevelDoc("GoalType=1 AvailableDavar=\"1\" AvailableBlocks=\"p1\" PetrifyTime=600000 "
                                  "Time=0 SpheresColors=\"1 0 0 0 0\" SpheresCapacities=\"3 0 0 0 0\"",
                                  {"111"})}});
        sequencer.Last = 9;
        saveToProfile = 1;
    }

    // A script placing a rune on each listed cell as soon as the board stands and a piece is
    // held, then (with clickSummary) clicking every few frames once the summary has left its
    // counting stages.
    void PlaceOnCells(std::vector<std::pair<int, int>> cells, bool clickSummary,
                      std::function<void(int)> after = {}) {
        size_t next = 0;
        int waited = 0;
        Script([=, this](int frame, FrameInput& in) mutable {
            if (next < cells.size()) {
                if (BoardSettled() && blocks.actualBlock && ++waited > 1) {
                    in = ClickCell(cells[next].first, cells[next].second);
                    ++next;
                    waited = 0;
                }
            } else if (after) {
                after(frame);
            } else if (clickSummary && level.summaryStage >= SUMMARY_DOORS_CLOSE && frame % 4 == 0) {
                in = ClickAt(400, 300);
            }
            return true;
        });
    }
};

TEST_F(QuestTest, FreshLevelPlaysToItsGoalSummaryAndResult) {
    SetUpQuestLevel("row.tsc", 3);
    level.loadSfx();
    points.total = 1000;
    PlaceOnCells({{0, 0}, {1, 0}, {2, 0}}, true);
    control->ClearDrawLog();
    EXPECT_EQ(goGlyndra(0), 0);
    // A won level is crowned with its completion badge, never with the quick games' one.
    int completed = 0, gameOver = 0;
    for (const DrawCall& call : control->DrawLog()) {
        if (call.op != "image" || call.state.alpha <= 0) continue;
        completed += call.image == level.levelCompletedImg;
        gameOver += call.image == level.gameOverImg;
    }
    EXPECT_GT(completed, 0);
    EXPECT_EQ(gameOver, 0);
    // The run's score and the end bonus of three empty cells went into the campaign total.
    EXPECT_EQ(points.actual, 0);
    EXPECT_GT(points.total, 1000 + 75);
    EXPECT_EQ(level.summaryDone, 1);
    EXPECT_EQ(level.usedBlocks, 3);
    EXPECT_EQ(board.gameOver, 0);
    EXPECT_EQ(skipLevel, 0);
    EXPECT_EQ(lastLevel, 3);
    // Not the campaign's last level: no quest hiscore.
    EXPECT_TRUE(hiscore.scores.empty());
}

TEST_F(QuestTest, LeavingSavesTheLevelAndContinuingResumesIt) {
    SetUpQuestLevel("row.tsc", 3);
    MenuChoice leave{23};
    int savedTime = -1;
    int frame = 0;
    size_t placed = 0;
    Script([&](int, FrameInput& in) {
        ++frame;
        if (placed == 0) {
            if (BoardSettled() && blocks.actualBlock) {
                in = ClickCell(0, 0);
                placed = 1;
            }
        } else if (frame > 80) {
            if (!leave.escSent) savedTime = timeManager.actualTime;
            leave.Step(in);
        }
        return true;
    });
    EXPECT_EQ(goGlyndra(0), 1);
    ASSERT_TRUE(leave.done);
    ASSERT_GT(savedTime, 0);

    // The campaign goes back to the title screen; "continue" sets the level up again.
    const float fills[5] = {2, 0, 0, 0, 0};
    std::copy(std::begin(fills), std::end(fills), magicSphere.ballsFil);
    SetUpQuestLevel("row.tsc", 3);
    auto stray = std::make_shared<TBlock>();
    stray->Set[0][0] = 5;
    blocks.actualBlock = stray;
    int frames = 0;
    Script([&](int, FrameInput& in) {
        in.terminate = ++frames == 10;
        return true;
    });
    EXPECT_THROW(goGlyndra(1), ProgramEnd);
    EXPECT_EQ(board.davarLayer[0][0], 1);
    EXPECT_EQ(level.usedBlocks, 1);
    ASSERT_TRUE(blocks.actualBlock);
    EXPECT_EQ(blocks.actualBlock->Set[0][0], 1);
    // The clock runs on from the saved time without its slide-in.
    EXPECT_EQ(timeManager.wjazd, 0);
    EXPECT_GE(timeManager.actualTime, savedTime);
    EXPECT_LT(timeManager.actualTime, savedTime + 1000);
    // Closing while the goal is not met credits nothing.
    EXPECT_EQ(gameState, 0);
}

TEST_F(QuestTest, LeavingWhenTheFolderRefusesTheSaveSaysSoAndKeepsTheOldFiles) {
    SetUpQuestLevel("row.tsc", 3);
    ASSERT_EQ(SaveOptionsOnly(), 0);
    const std::string profileFile = profile.selectedProfile->path;
    const std::string optionsFile = myDocsFolder + "/data/options.tsc";
    const std::optional<std::string> oldProfile = LoadText(profileFile);
    const std::optional<std::string> oldOptions = LoadText(optionsFile);
    ASSERT_TRUE(oldProfile && oldOptions);
    MenuChoice leave{23};
    Script([&](int frame, FrameInput& in) {
        if (frame > 60) leave.Step(in);
        return true;
    });
    SetFileFaultHook([](FileOp op, const std::string&) { return op != FileOp::Write; });
    testing::internal::CaptureStdout();
    EXPECT_EQ(goGlyndra(0), 1);
    testing::internal::GetCapturedStdout();
    SetFileFaultHook(nullptr);
    const std::string progress = "Your progress could not be saved in the folder\n" + profile.path;
    const std::string kept = ".\nWhat was saved before is kept. Check that the folder exists, has room and "
                             "can be written to.";
    // Once when the level, seen for the first time, is added to the player's board list; once
    // more when the level is left.
    EXPECT_EQ(control->notifications,
              (std::vector<std::string>{progress + kept, progress + "\nand your options not in the folder\n" +
                                                             myDocsFolder + "/data" + kept}));
    EXPECT_EQ(LoadText(profileFile), oldProfile);
    EXPECT_EQ(LoadText(optionsFile), oldOptions);
}

TEST_F(QuestTest, LossRecordsTheScoreAndTheLoseScreenRetriesAndSkips) {
    Levels({{"pair.tsc", LevelDoc("GoalType=1 AvailableDavar=\"1\" AvailableBlocks=\"p1\" PetrifyTime=600000 "
                                  "SpheresColors=\"1 0 0 0 0\" SpheresCapacities=\"9 0 0 0 0\"",
                                  {"11"})}});
    SetUpQuestLevel("pair.tsc", 4);
    points.total = 500;
    points.actual = 20;
    int waited = 0, since = 0;
    int lossesSeen = 0;
    std::vector<std::pair<int, int>> cells = {{0, 0}, {1, 0}};
    size_t next = 0;
    Script([&](int, FrameInput& in) {
        if (levelReplays > lossesSeen) {
            // The lose screen is open: retry the first time, take the skip link the second.
            if (++since > 45) {
                in = ClickAt(400, levelReplays == 1 ? 320 : 410);
                lossesSeen = levelReplays;
                since = 0;
                next = 0;
            }
        } else if (next < cells.size() && BoardSettled() && blocks.actualBlock && ++waited > 1) {
            in = ClickCell(cells[next].first, cells[next].second);
            ++next;
            waited = 0;
        }
        return true;
    });
    // The hiscore file cannot be written: each loss says so.
    SetFileFaultHook(
        [](FileOp op, const std::string& path) { return op != FileOp::Write || path != hiscore.path; });
    testing::internal::CaptureStdout();
    EXPECT_EQ(goGlyndra(0), 0);
    testing::internal::GetCapturedStdout();
    SetFileFaultHook(nullptr);
    const std::string told = "The hiscores could not be saved in the folder\n" + myDocsFolder +
                             "/data.\nWhat was saved before is kept. Check that the folder exists, has room "
                             "and can be written to.";
    EXPECT_EQ(control->notifications, std::vector<std::string>(2, told));
    EXPECT_EQ(levelReplays, 2);
    EXPECT_EQ(skipLevel, 0);
    // Each loss wrote the campaign score of that moment, then both counters went to 0.
    ASSERT_EQ(hiscore.scores.size(), 2u);
    EXPECT_EQ(hiscore.scores[0]->score, 520);
    EXPECT_EQ(hiscore.scores[1]->score, 0);
    for (const auto& entry : hiscore.scores) {
        EXPECT_EQ(entry->typeID, 1);
        EXPECT_EQ(entry->helpVar, "null");
    }
    EXPECT_EQ(points.total, 0);
    EXPECT_EQ(points.actual, 0);
}

TEST_F(QuestTest, PauseMenuHoldsTheClockAndThePetrification) {
    SetUpQuestLevel("row.tsc", 3);
    int clockAtPause = -1;
    int64_t petrifyAtPause = 0;
    int inMenu = 0;
    int frame = 0;
    bool resumed = false;
    Script([&](int, FrameInput& in) {
        ++frame;
        if (frame == 60) {
            in.keysHit = {KEY_ESCAPE};
            clockAtPause = timeManager.actualTime;
            petrifyAtPause = board.petrifyTimer;
        } else if (clockAtPause >= 0 && !resumed && ButtonShown(BUTTON_RESUME) && ++inMenu == 300) {
            in = ClickButton(BUTTON_RESUME);
            resumed = true;
        } else if (resumed && !ButtonShown(BUTTON_RESUME)) {
            in.terminate = true;
        }
        return true;
    });
    EXPECT_THROW(goGlyndra(0), ProgramEnd);
    ASSERT_TRUE(resumed);
    // Five seconds in the menu count toward neither.
    EXPECT_LT(timeManager.actualTime - clockAtPause, 200);
    EXPECT_GE(board.petrifyTimer - petrifyAtPause, 4900);
}

TEST_F(QuestTest, ClosingTheProgramSettlesTheLevelAsItStands) {
    struct Case {
        const char* name;
        int closeAt; // 3: in the frame the goal is met; 4: during the summary; 1: after one rune
        int gameState;
        bool credited;
    };
    const Case cases[] = {
        {"in the frame the goal is met", 3, 2, true},
        {"during the summary", 4, 2, true},
        {"while playing", 1, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetGameForTests();
        SetUp();
        sequencer.Last = 3;
        SetUpQuestLevel("row.tsc", 3);
        points.total = 1000;
        int placed = 0, waited = 0, runScore = -1;
        bool closed = false;
        Script([&](int, FrameInput& in) {
            // Input given here reaches the frame now ending (its close test) and the next one.
            if (closed) return true;
            if (placed < 3 && placed < c.closeAt && BoardSettled() && blocks.actualBlock && ++waited > 1) {
                in = ClickCell(placed, 0);
                ++placed;
                waited = 0;
            } else if (c.closeAt == 3 && magicSphere.IsFull()) {
                // The mana has just arrived: this frame's goal test would end the loop.
                runScore = points.actual;
                in.terminate = closed = true;
            } else if (c.closeAt == 4 && placed == 3 && level.summaryStage >= SUMMARY_DOORS_SHUT) {
                in.terminate = closed = true;
            } else if (c.closeAt == 1 && placed == 1 && ++waited > 5) {
                in.terminate = closed = true;
            }
            if (placed == 3 && runScore < 0 && RunesOnBoard() == 0) runScore = points.actual;
            return true;
        });
        EXPECT_THROW(goGlyndra(0), ProgramEnd);
        EXPECT_EQ(gameState, c.gameState);
        // Closed in the goal's frame, the level shows no summary at all.
        if (c.closeAt == 3) {
            EXPECT_EQ(level.summaryStage, SUMMARY_PAUSE);
        }
        if (c.credited) {
            // The run's score and the whole end bonus of the three empty cells, once.
            EXPECT_EQ(points.actual, 0);
            EXPECT_EQ(points.total, 1000 + runScore + 75);
            ASSERT_EQ(hiscore.scores.size(), 1u);
            EXPECT_EQ(hiscore.scores[0]->score, points.total);
        } else {
            EXPECT_EQ(points.total, 1000);
            EXPECT_TRUE(hiscore.scores.empty());
        }
        TearDown();
    }
}

TEST_F(QuestTest, TheLastCampaignLevelEndsWithOneHiscoreEntryAfterItsSummary) {
    sequencer.Last = 9;
    SetUpQuestLevel("row.tsc", 9);
    points.total = 4000;
    PlaceOnCells({{0, 0}, {1, 0}, {2, 0}}, true);
    EXPECT_EQ(goGlyndra(0), 0);
    EXPECT_EQ(level.summaryDone, 1);
    ASSERT_EQ(hiscore.scores.size(), 1u);
    const auto& entry = *hiscore.scores[0];
    EXPECT_EQ(entry.score, points.total);
    EXPECT_GT(entry.score, 4000);
    EXPECT_EQ(entry.typeID, 1);
    EXPECT_EQ(entry.helpVar, "null");
    EXPECT_EQ(entry.name, "tester");
}

TEST_F(QuestTest, ASuspendOpensThePauseMenuOnTheNextFrame) {
    SetUpQuestLevel("row.tsc", 3);
    int suspendedAt = -1, menuAt = -1, after = 0;
    Script([&](int frame, FrameInput& in) {
        if (menuAt < 0 && ButtonShown(BUTTON_RESUME)) menuAt = frame;
        if (suspendedAt < 0 && frame == 80) {
            suspendedAt = frame;
            in.suspend = 1;
        } else if (menuAt >= 0 && ++after == 5) {
            in.suspend = 0;
        } else if (after == 10) {
            in = ClickButton(BUTTON_RESUME);
        } else if (after == 20) {
            in.terminate = true;
        }
        return true;
    });
    EXPECT_THROW(goGlyndra(0), ProgramEnd);
    ASSERT_GE(menuAt, 0);
    EXPECT_EQ(menuAt, suspendedAt + 1);
}

TEST_F(QuestTest, SphereKeyPrintsTheFillsOnlyWhenTheMouseLeftItUnread) {
    struct Case {
        const char* name;
        std::vector<int> keys;
        bool printed;
    };
    const Case cases[] = {
        {"S alone moves the pointer", {'S'}, false},
        {"S with the Down arrow", {KEY_DOWN, 'S'}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        quit = 0; // a fresh program each time
        SetUpQuestLevel("row.tsc", 3);
        magicSphere.ballsFil[0] = 2.5f;
        int frame = 0;
        Script([&](int, FrameInput& in) {
            ++frame;
            if (frame == 5) in.keysHit = c.keys;
            in.terminate = frame == 8;
            return true;
        });
        testing::internal::CaptureStdout();
        EXPECT_THROW(goGlyndra(0), ProgramEnd);
        const std::string out = testing::internal::GetCapturedStdout();
        const std::string fills = "----\n2.50000000\n0.00000000\n0.00000000\n0.00000000\n0.00000000\n";
        EXPECT_EQ(out.find(fills) != std::string::npos, c.printed);
    }
}

TEST_F(QuestTest, RestartFromThePauseMenuStartsTheLevelOverWithTheSamePieces) {
    Levels({{"copy.tsc",
             LevelDoc("GoalType=1 CopySpellsFromRMG=1 AvailableDavar=\"1\" AvailableBlocks=\"p1\" "
                      "PetrifyTime=600000 SpheresColors=\"1 0 0 0 0\" SpheresCapacities=\"3 0 0 0 0\"",
                      {"111"})}});
    // On position 5 each copy of the ring game's spells lays the same four tokens.
    constexpr size_t COPIED = 4;
    SetUpQuestLevel("copy.tsc", 5);
    points.total = 700;
    bool placed = false;
    int waited = 0, after = 0;
    MenuChoice restart{21};
    BlockPtr heldAtMenu;
    size_t tokensAtStart = 0, tokensAfterRestart = 0;
    Script([&](int, FrameInput& in) {
        if (!placed) {
            if (BoardSettled() && blocks.actualBlock && ++waited > 1) {
                tokensAtStart = bonusManagerAlt.bonuses.Count();
                in = ClickCell(0, 0);
                placed = true;
            }
        } else if (!restart.done) {
            if (!restart.escSent) heldAtMenu = blocks.actualBlock;
            restart.Step(in);
        } else if (++after == 5) {
            tokensAfterRestart = bonusManagerAlt.bonuses.Count();
            in.terminate = true;
        }
        return true;
    });
    EXPECT_THROW(goGlyndra(0), ProgramEnd);
    ASSERT_TRUE(restart.done);
    // The fresh start copied them, and the restart, which clears every token, copied them again.
    EXPECT_EQ(tokensAtStart, COPIED);
    EXPECT_EQ(tokensAfterRestart, COPIED);
    EXPECT_EQ(points.total, 700);
    EXPECT_EQ(points.actual, 0);
    EXPECT_EQ(RunesOnBoard(), 0);
    EXPECT_EQ(level.usedBlocks, 0);
    EXPECT_EQ(blocks.actualBlock, heldAtMenu);

    // A resumed level never copies the ring game's spells.
    quit = 0;
    SetUpQuestLevel("copy.tsc", 5);
    size_t tokensOnResume = 0;
    Script([&](int frame, FrameInput& in) {
        tokensOnResume = bonusManagerAlt.bonuses.Count();
        in.terminate = frame == 3;
        return true;
    });
    EXPECT_THROW(goGlyndra(1), ProgramEnd);
    EXPECT_EQ(tokensOnResume, 0u); // no token was saved, so any would be a copy
}

} // namespace
} // namespace vsm::test
