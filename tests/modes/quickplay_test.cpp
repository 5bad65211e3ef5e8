// Tests of the endless and time-attack games: played to their end, left and resumed, restarted,
// and the time-attack clock's limits.
#include "modes/ModesFixture.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "data/DataFolders.h"
#include "level/TLevelManager.h"
#include "level/TPointsManager.h"
#include "level/TTimeManager.h"
#include "magic/TMagicSphere.h"
#include "modes/ModesSeams.h"
#include "modes/QuickPlay.h"
#include "platform/Files.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "profiles/THiscores.h"
#include "profiles/TProfileManager.h"

#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace vsm::test {
namespace {

class QuickPlayTest : public ModesFixture {
  protected:
    void SetUp() override {
        ModesFixture::SetUp();
        // A row of four cells dealing pairs of rune 1, with rune 1 preset at its left end and
        // rune 2 at its right: a pair at (1, 0) clears a run of three, a pair at (0, 0) then
        // leaves one free cell, where no pair fits.
        Levels({{"row.tsc", LevelDoc("AvailableDavar=\"1\" AvailableBlocks=\"p2\" PetrifyTime=600000 Time=0",
                                     {"1111"}, {"1002"})}});
    }

    // Plays the row board to its game over: the two moves once the board stands, then a click
    // every few frames through the summary.
    void PlayRowToGameOver() {
        int step = 0;
        Script([this, step](int frame, FrameInput& in) mutable {
            if (step == 0 && BoardSettled()) {
                in = ClickCell(1, 0);
                ++step;
            } else if (step == 1 && RunesOnBoard() == 1 && blocks.actualBlock) {
                in = ClickCell(0, 0);
                ++step;
            } else if (step == 2 && frame % 4 == 0) {
                in = ClickAt(400, 300);
            }
            return true;
        });
    }
};

TEST_F(QuickPlayTest, EndlessGamePlaysToGameOverWithSummaryAndHiscore) {
    profile.SetNumber("endlessResume", 1, 1);
    int titleStops = 0;
    modesSeams.stopTitleMusic = [&] { ++titleStops; };
    PlayRowToGameOver();
    EXPECT_EQ(goEndless("row.tsc"), 1);
    EXPECT_EQ(titleStops, 1);
    EXPECT_GT(points.actual, 0);
    EXPECT_EQ(level.summaryDone, 1);
    ASSERT_EQ(hiscore.scores.size(), 1u);
    EXPECT_EQ(hiscore.scores[0]->typeID, 2);
    EXPECT_EQ(hiscore.scores[0]->score, points.actual);
    EXPECT_EQ(hiscore.scores[0]->name, "tester");
    EXPECT_EQ(hiscore.scores[0]->helpVar, "row.tsc");
    EXPECT_EQ(profile.GetNumber("endlessResume"), 0);
}

TEST_F(QuickPlayTest, AQuickGameEndsUnderTheGameOverBadgeNotALevelCompleted) {
    level.loadSfx();
    ASSERT_NE(level.gameOverImg, nullptr);
    ASSERT_NE(level.gameOverImg, level.levelCompletedImg);
    const auto badges = [this] {
        int gameOver = 0, completed = 0;
        for (const DrawCall& call : control->DrawLog()) {
            if (call.op != "image" || call.state.alpha <= 0) continue;
            if (call.image == level.gameOverImg) ++gameOver;
            if (call.image == level.levelCompletedImg) ++completed;
        }
        return std::make_pair(gameOver, completed);
    };

    {
        SCOPED_TRACE("endless, no piece fits");
        PlayRowToGameOver();
        control->ClearDrawLog();
        EXPECT_EQ(goEndless("row.tsc"), 1);
        const auto [gameOver, completed] = badges();
        EXPECT_GT(gameOver, 0);
        EXPECT_EQ(completed, 0);
    }
    {
        SCOPED_TRACE("time attack, the clock runs out");
        Levels(
            {{"timed.tsc", LevelDoc("AvailableDavar=\"1\" AvailableBlocks=\"p1\" PetrifyTime=600000 Time=60",
                                    {"111111"})}});
        control->SetFrameStep(1000);
        Script([](int frame, FrameInput& in) {
            if (frame > 100 && frame % 4 == 0) in = ClickAt(400, 300);
            return true;
        });
        control->ClearDrawLog();
        testing::internal::CaptureStdout();
        EXPECT_EQ(goTimeAtack("timed.tsc"), 1);
        testing::internal::GetCapturedStdout();
        const auto [gameOver, completed] = badges();
        EXPECT_GT(gameOver, 0);
        EXPECT_EQ(completed, 0);
    }
}

TEST_F(QuickPlayTest, TimeAttackEndsWhenTheClockRunsOut) {
    Levels({{"timed.tsc", LevelDoc("AvailableDavar=\"1\" AvailableBlocks=\"p1\" PetrifyTime=600000 Time=60",
                                   {"111111"})}});
    // One second a frame: the minute runs out after about sixty frames.
    control->SetFrameStep(1000);
    Script([](int frame, FrameInput& in) {
        if (frame > 100 && frame % 4 == 0) in = ClickAt(400, 300);
        return true;
    });
    testing::internal::CaptureStdout();
    EXPECT_EQ(goTimeAtack("timed.tsc"), 1);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(timeManager.maxTime, 60000);
    EXPECT_EQ(timeManager.actualTime, 60000);
    ASSERT_EQ(hiscore.scores.size(), 1u);
    EXPECT_EQ(hiscore.scores[0]->typeID, 3);
    EXPECT_EQ(hiscore.scores[0]->helpVar, "timed.tsc");
    // The two clock readings around the hiscore entry.
    int readings = 0;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty() && line.find_first_not_of("0123456789") == std::string::npos) ++readings;
    EXPECT_EQ(readings, 2);
}

TEST_F(QuickPlayTest, TimeAttackLimitIsClampedAtTheStart) {
    struct Case {
        const char* time;
        int limit;
    };
    const Case cases[] = {{"Time=30", 60000},   {"Time=60", 60000},     {"Time=59.9", 60000},
                          {"Time=500", 500000}, {"Time=500.5", 500000}, {"Time=900", 500000},
                          {"", 60000},          {"Time=120", 120000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.time);
        Levels({{"t.tsc",
                 LevelDoc(std::string("AvailableDavar=\"1\" AvailableBlocks=\"p1\" ") + c.time, {"111"})}});
        Script([](int frame, FrameInput& in) {
            in.terminate = frame == 2;
            return true;
        });
        testing::internal::CaptureStdout();
        EXPECT_THROW(goTimeAtack("t.tsc"), ProgramEnd);
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(timeManager.maxTime, c.limit);
    }
}

TEST_F(QuickPlayTest, LeftGamesAreSavedOnceAndResumeWhereTheyStood) {
    // Two rows of five: a pair at (0, 1) and one at (2, 1) clear a run of four, a pair at
    // (0, 0) stays.
    Levels({{"wide.tsc", LevelDoc("AvailableDavar=\"1\" AvailableBlocks=\"p2\" PetrifyTime=600000 Time=90",
                                  {"11111", "11111"})}});
    struct Mode {
        const char* name;
        std::function<int(const std::string&)> run;
        std::string slot;
        int leaveResult;
    };
    const Mode modes[] = {{"endless", goEndless, "endless", 0}, {"time attack", goTimeAtack, "time", 1}};
    for (const Mode& m : modes) {
        SCOPED_TRACE(m.name);
        const std::vector<std::pair<int, int>> cells = {{0, 1}, {2, 1}, {0, 0}};
        size_t next = 0;
        int waited = 0;
        MenuChoice leave{23};
        int clockAtLeave = 0;
        Script([&](int, FrameInput& in) {
            if (next < cells.size()) {
                if (BoardSettled() && blocks.actualBlock && ++waited > 2) {
                    in = ClickCell(cells[next].first, cells[next].second);
                    ++next;
                    waited = 0;
                }
            } else if (++waited > 3) {
                if (!leave.escSent) clockAtLeave = timeManager.actualTime;
                leave.Step(in);
            }
            return true;
        });
        int profileWrites = 0;
        SetSaveInterruptHook([&](const std::string& path) {
            if (path.find("tester") != std::string::npos) ++profileWrites;
            return true;
        });
        EXPECT_EQ(m.run("wide.tsc"), m.leaveResult);
        SetSaveInterruptHook(nullptr);
        EXPECT_EQ(profileWrites, 1);
        const int score = points.actual;
        EXPECT_GT(score, 0);
        EXPECT_EQ(profile.GetNumber(m.slot + "Resume"), 1);
        EXPECT_EQ(profile.GetNumber(m.slot + "Points"), score);
        EXPECT_EQ(profile.GetString(m.slot + "Level"), "wide.tsc");
        EXPECT_EQ(profile.GetNumber(m.slot + "Blocks"), 3); // one deal after each move
        EXPECT_EQ(blocks.actualBlock, nullptr);

        // Another game's state in between; resuming brings the saved one back.
        board.clearBoard();
        points.actual = 0;
        int frames = 0;
        int clockAfterResume = -1;
        Script([&](int, FrameInput& in) {
            if (++frames == 2) clockAfterResume = timeManager.actualTime;
            in.terminate = frames == 5;
            return true;
        });
        EXPECT_THROW(m.run(""), ProgramEnd);
        EXPECT_EQ(points.actual, score);
        EXPECT_EQ(board.davarLayer[0][0], 1);
        EXPECT_EQ(board.davarLayer[1][0], 1);
        EXPECT_EQ(board.davarLayer[2][1], 0);
        EXPECT_GE(clockAfterResume, clockAtLeave);
        EXPECT_LT(clockAfterResume, clockAtLeave + 200);
        EXPECT_EQ(timeManager.wjazd, 0);
        EXPECT_EQ(timeManager.maxTime, m.slot == "time" ? 90000 : 0);
        // Closing the resumed game saved it again.
        EXPECT_EQ(profile.GetNumber(m.slot + "Resume"), 1);
    }
}

TEST_F(QuickPlayTest, ASlotTheFolderRefusesIsToldAndTheOldProfileKept) {
    struct Case {
        const char* what;
        std::function<int(const std::string&)> run;
        bool toTheEnd;
    } cases[] = {
        {"leaving an endless game", goEndless, false},
        {"leaving a time attack", goTimeAtack, false},
        {"an endless game played to its end", goEndless, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        profile.SetNumber("endlessResume", 1, 1);
        const std::string profileFile = profile.selectedProfile->path;
        const std::optional<std::string> oldProfile = LoadText(profileFile);
        ASSERT_TRUE(oldProfile);
        control->notifications.clear();
        MenuChoice leave{23};
        if (c.toTheEnd) {
            PlayRowToGameOver();
        } else {
            Script([&](int, FrameInput& in) {
                if (BoardSettled() || leave.escSent) leave.Step(in);
                return true;
            });
        }
        SetFileFaultHook([](FileOp op, const std::string& path) {
            return op != FileOp::Write || path.rfind(profile.path, 0) != 0;
        });
        testing::internal::CaptureStdout();
        c.run("row.tsc");
        testing::internal::GetCapturedStdout();
        SetFileFaultHook(nullptr);
        EXPECT_EQ(control->notifications,
                  std::vector<std::string>{"Your progress could not be saved in the folder\n" + profile.path +
                                           ".\nWhat was saved before is kept. Check that the folder exists, "
                                           "has room and can be written to."});
        EXPECT_EQ(LoadText(profileFile), oldProfile);
    }
}

TEST_F(QuickPlayTest, AHiscoreTheFolderRefusesIsToldAndTheOldTableKept) {
    const std::string told = "The hiscores could not be saved in the folder\n" + myDocsFolder +
                             "/data.\nWhat was saved before is kept. Check that the folder exists, has room "
                             "and can be written to.";
    struct Case {
        const char* what;
        bool closeInTheSummary;
    } cases[] = {
        {"an endless game played to its end", false},
        {"an endless game closed during its summary", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(hiscore.Save(), 0);
        const std::optional<std::string> oldTable = LoadText(hiscore.path);
        ASSERT_TRUE(oldTable);
        control->notifications.clear();
        PlayRowToGameOver();
        int step = 0, summaryFrames = 0;
        if (c.closeInTheSummary) {
            Script([&](int, FrameInput& in) {
                if (step == 0 && BoardSettled()) {
                    in = ClickCell(1, 0);
                    ++step;
                } else if (step == 1 && RunesOnBoard() == 1 && blocks.actualBlock) {
                    in = ClickCell(0, 0);
                    ++step;
                } else if (step == 2 && board.gameOver && ++summaryFrames == 3) {
                    // Early in the summary, as the existing close test does.
                    in.terminate = true;
                }
                return true;
            });
        }
        SetFileFaultHook(
            [](FileOp op, const std::string& path) { return op != FileOp::Write || path != hiscore.path; });
        testing::internal::CaptureStdout();
        if (c.closeInTheSummary) {
            EXPECT_THROW(goEndless("row.tsc"), ProgramEnd);
        } else {
            EXPECT_EQ(goEndless("row.tsc"), 1);
        }
        testing::internal::GetCapturedStdout();
        SetFileFaultHook(nullptr);
        EXPECT_EQ(control->notifications, std::vector<std::string>{told});
        EXPECT_EQ(LoadText(hiscore.path), oldTable);
    }
}

TEST_F(QuickPlayTest, ResumeWithNothingSavedReturnsAtOnce) {
    int titleStops = 0;
    modesSeams.stopTitleMusic = [&] { ++titleStops; };
    for (auto run : {goEndless, goTimeAtack}) {
        Script([](int, FrameInput&) { return true; });
        const int frames = control->Frame();
        EXPECT_EQ(run(""), 0);
        EXPECT_EQ(control->Frame(), frames);
    }
    // Nothing was loaded and the title music plays on.
    EXPECT_EQ(titleStops, 0);
}

TEST_F(QuickPlayTest, RestartInTheGameOverFrameStartsANewGame) {
    // The row board, with a time and sphere of its own that a restart must not take up.
    Levels({{"row.tsc", LevelDoc("GoalType=3 AvailableDavar=\"1\" AvailableBlocks=\"p2\" PetrifyTime=600000 "
                                 "Time=90 SpheresColors=\"1 2 0 0 0\" SpheresCapacities=\"5 5 0 0 0\"",
                                 {"1111"}, {"1002"})}});
    int step = 0;
    MenuChoice restart{21};
    int framesAfter = 0;
    Script([&](int, FrameInput& in) {
        if (step == 0 && BoardSettled()) {
            in = ClickCell(1, 0);
            ++step;
        } else if (step == 1 && RunesOnBoard() == 1 && blocks.actualBlock) {
            // The move that leaves no room, with Esc in the same frame.
            in = ClickCell(0, 0);
            restart.escSent = true;
            in.keysHit = {KEY_ESCAPE};
            ++step;
        } else if (step == 2 && !restart.done) {
            restart.Step(in);
        } else if (step == 2 && ++framesAfter == 20) {
            in.terminate = true;
        }
        return true;
    });
    EXPECT_THROW(goEndless("row.tsc"), ProgramEnd);
    ASSERT_TRUE(restart.done);
    // The restarted game went on (no summary, no hiscore) and was saved when the program closed.
    EXPECT_TRUE(hiscore.scores.empty());
    EXPECT_EQ(profile.GetNumber("endlessResume"), 1);
    EXPECT_EQ(points.actual, 0);
    EXPECT_EQ(board.gameOver, 0);
    // The restart repeated the game's start: no limit, no sphere, no goal of the document.
    EXPECT_EQ(timeManager.maxTime, 0);
    EXPECT_EQ(level.goalType, 1);
    for (int colour : magicSphere.ballsClr)
        EXPECT_EQ(colour, 0);
}

TEST_F(QuickPlayTest, ClosingDuringTheSummaryStillRecordsTheWholeScore) {
    // No player selected: the entry goes in without a name.
    UsePlayer(false);
    int step = 0, scoreAtGameOver = -1, summaryFrames = 0;
    bool closed = false;
    Script([&](int, FrameInput& in) {
        if (step == 0 && BoardSettled()) {
            in = ClickCell(1, 0);
            ++step;
        } else if (step == 1 && RunesOnBoard() == 1 && blocks.actualBlock) {
            in = ClickCell(0, 0);
            ++step;
        } else if (step == 2 && !closed && board.gameOver && ++summaryFrames == 3) {
            // Early in the summary: nothing of the end bonus is counted yet.
            scoreAtGameOver = points.actual;
            in.terminate = closed = true;
        }
        return true;
    });
    EXPECT_THROW(goEndless("row.tsc"), ProgramEnd);
    ASSERT_GT(scoreAtGameOver, 0);
    ASSERT_EQ(hiscore.scores.size(), 1u);
    EXPECT_EQ(hiscore.scores[0]->name, "");
    // The one empty cell's end bonus was settled at once.
    EXPECT_EQ(hiscore.scores[0]->score, scoreAtGameOver + 25);
}

} // namespace
} // namespace vsm::test
