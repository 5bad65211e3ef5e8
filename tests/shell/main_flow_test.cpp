// The main flow: the title's choice, the campaign loop level by level by type, the map between
// levels, the boss page, the closing story, and the ways back to the title screen.
#include "shell/ShellFixture.h"

#include "board/TBoardManager.h"
#include "board/TRuneManager.h"
#include "frontend/TTitleScreen.h"
#include "level/TLevelSequencer.h"
#include "overlays/TPopup.h"
#include "overlays/TPopupManager.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "profiles/SavedCampaign.h"
#include "profiles/TProfile.h"
#include "level/TPointsManager.h"
#include "profiles/TProfileManager.h"
#include "puzzle/TPuzzleButton.h"
#include "puzzle/TPuzzleGrid.h"
#include "puzzle/TPuzzleManager.h"
#include "ringgame/TRingGame.h"
#include "services/GameFlags.h"
#include "services/TMouse.h"
#include "shell/LoadGameAssets.h"
#include "shell/MainFlow.h"
#include "shell/SaveOnEnd.h"
#include "shell/ShellScreens.h"
#include "widgets/TAnimButton.h"
#include "support/TestAssets.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <functional>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vsm::test {

namespace {

// Ten levels: a board level, a picture puzzle, a ring level, then board levels up to 10.
const char* const SEQUENCE = R"(Sequence{
	FirstLevel=1
	LastLevel=10
	Level1{ FileName="level_01.tsc" Type=1 }
	Level2{ FileName="puzzle-01.tsc" Type=2 }
	Level3{ FileName="ring-01.tsc" Type=3 }
	Level4{ FileName="level_04.tsc" Type=1 }
	Level5{ FileName="level_05.tsc" Type=1 }
	Level6{ FileName="level_06.tsc" Type=1 }
	Level7{ FileName="level_07.tsc" Type=1 }
	Level8{ FileName="level_08.tsc" Type=1 }
	Level9{ FileName="level_09.tsc" Type=1 }
	Level10{ FileName="level_10.tsc" Type=1 }
}
)";

// The piece template and the board level documents the sequence names: each deals rune 1.
const char* const BLOCKS = R"(List{
	Quantity=1
	Block1{ id="p1" title="Single" description="1" width=1 height=1 pieces=1 piece1=0,0 }
}
)";

std::map<std::string, std::string> BoardLevels() {
    std::map<std::string, std::string> levels = {{"pack.txt", "marker"}};
    for (int n : {1, 4, 5, 6, 7, 8, 9, 10}) {
        const std::string name = std::string("level_") + (n < 10 ? "0" : "") + std::to_string(n) + ".tsc";
        levels[name] = "Settings{ Level{ Number=" + std::to_string(n) +
                       " GoalType=1 AvailableDavar=\"1\" AvailableBlocks=\"p1\" } }";
    }
    return levels;
}

// One level the campaign played: Q quest board level, P puzzle, R ring game.
struct Played {
    char kind;
    int seq;
    int resume;
    bool operator==(const Played&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Played& p) {
    return os << p.kind << p.seq << "/" << p.resume;
}

class MainFlow : public ShellFixture {
  protected:
    void SetUp() override {
        ShellFixture::SetUp();
        WriteData({{"sequencer.tsc", SEQUENCE}, {"blocks.tsc", BLOCKS}});
        WriteArchive(resources + "data/davar_levels_lp.bca", BoardLevels());
        Assemble();
        auto rune = std::make_shared<TRune>();
        rune->id = "1";
        rune->color = "1";
        davar.List.push_back(rune);
        CreatePlayer("Ann");
        shellScreens.titleShow = [this] {
            ++titles;
            return action;
        };
        shellScreens.titleForceHiscores = [this] { ++forcedHiscores; };
        shellScreens.questLevel = [this](int resume) { return Record('Q', resume); };
        shellScreens.puzzleShow = [this](int resume, const std::string& name, int fromGallery) {
            EXPECT_EQ(name, "");
            EXPECT_EQ(fromGallery, 0);
            return Record('P', resume);
        };
        shellScreens.ringGamePlay = [this](int resume) { return Record('R', resume); };
        ClickThrough();
    }

    int Record(char kind, int resume) {
        played.push_back({kind, sequencer.seqNo, resume});
        statesSeen.push_back(gameState);
        helpSongsAtLevel.push_back(CountCues(*control, "help2.ogg"));
        if (kind == 'Q' && sequencer.seqNo == leaveAt) return 1;
        if (kind == 'Q' && sequencer.seqNo == loseAt) board.gameOver = 1;
        return 0;
    }

    // The selected player's saved campaign.
    void SavePlayer(int level, int state) {
        profile.SetNumber("level", level, 0);
        profile.SetNumber("gameState", state, 1);
    }
    int SavedNumber(const std::string& key) {
        TProfileManager fresh = TProfileManager::Create(profile.path, "dat");
        fresh.SelectProfile("Ann");
        return fresh.GetNumber(key);
    }

    int action = TITLE_CONTINUE;
    int leaveAt = -100;
    int loseAt = -100;
    int titles = 0;
    int forcedHiscores = 0;
    std::vector<Played> played;
    std::vector<int> statesSeen;
    std::vector<int> helpSongsAtLevel;
};

TEST_F(MainFlow, ANewCampaignPlaysEveryLevelByItsTypeAndEndsWithTheHiscores) {
    action = TITLE_NEW_CAMPAIGN;
    MainFlowRound();
    const std::vector<Played> expected = {{'Q', 1, 0}, {'P', 2, 0}, {'R', 3, 0}, {'Q', 4, 0}, {'Q', 5, 0},
                                          {'Q', 6, 0}, {'Q', 7, 0}, {'Q', 8, 0}, {'Q', 9, 0}, {'Q', 10, 0}};
    EXPECT_EQ(played, expected);
    ASSERT_FALSE(statesSeen.empty());
    EXPECT_EQ(statesSeen.front(), -3);
    EXPECT_EQ(statesSeen.back(), 1);
    EXPECT_EQ(forcedHiscores, 1);
    EXPECT_EQ(SavedNumber("level"), 10);
    EXPECT_EQ(SavedNumber("gameState"), 2);
    EXPECT_EQ(saveToProfile, 0);
}

TEST_F(MainFlow, EachLevelIsPlayedWithItsStageLoaded) {
    WriteArchive(resources + "data/popups_lp.bca",
                 {{"info.tsc", R"(A{ Level=1 Event="BEGIN_LEVEL" Lines=1 Line1="welcome" })"}});
    WriteArchive(resources + "data/puzzle_levels_lp.bca",
                 {{"puzzle-01.tsc", R"(Settings{ Image="gfx/p.png" width=4 height=3 })"}});
    WriteArchive(resources + "data/ring_levels_lp.bca", {{"ring-01.tsc", "Settings{ Time=42000 }"}});
    std::vector<std::string> stages;
    shellScreens.questLevel = [&](int) {
        stages.push_back("popups " + std::to_string(popupManager.queue.Count()));
        return sequencer.seqNo == 1 ? 0 : 1;
    };
    shellScreens.puzzleShow = [&](int, const std::string&, int) {
        stages.push_back("puzzle " + puzzle.gfxName);
        return 0;
    };
    shellScreens.ringGamePlay = [&](int) {
        stages.push_back("ring " + std::to_string(ringGame.maxTime));
        return 0;
    };
    action = 3;
    MainFlowRound();
    EXPECT_EQ(stages, (std::vector<std::string>{"popups 1", "puzzle gfx/p.png", "ring 42000", "popups 0"}));
}

// Every frame of the map (and of the screens before it) hits Esc and clicks: none of it may reach
// the level that follows, whose loop would read the Esc as a pause.
TEST_F(MainFlow, NoKeyOrClickOfTheScreenBeforeReachesALevel) {
    std::vector<std::string> leftOver;
    auto pending = [&](const char* kind) {
        mouse.fetchState(0);
        const int esc = KeyHit(KEY_ESCAPE);
        const int chars = GetChar() != 0 ? 1 : 0;
        const int clicks = MouseHit(1) + mouse.leftPressed;
        leftOver.push_back(std::string(kind) + std::to_string(sequencer.seqNo) + " esc " +
                           std::to_string(esc) + " char " + std::to_string(chars) + " click " +
                           std::to_string(clicks));
        return sequencer.seqNo >= 4 ? 1 : 0;
    };
    shellScreens.questLevel = [&](int) { return pending("Q"); };
    shellScreens.puzzleShow = [&](int, const std::string&, int) { return pending("P"); };
    shellScreens.ringGamePlay = [&](int) { return pending("R"); };
    SavePlayer(1, 2); // won level 1: the map comes first
    MainFlowRound();
    EXPECT_EQ(leftOver, (std::vector<std::string>{"P2 esc 0 char 0 click 0", "R3 esc 0 char 0 click 0",
                                                  "Q4 esc 0 char 0 click 0"}));
}

TEST_F(MainFlow, ContinuingResumesTheSavedLevelAndStartsTheOthersFresh) {
    const struct {
        const char* what;
        int level, state, leaveAt;
        std::vector<Played> expected;
        int forcedHiscores;
    } cases[] = {
        {"level to play", 2, 1, 4, {{'P', 2, 1}, {'R', 3, 0}, {'Q', 4, 0}}, 0},
        {"level won, map next", 1, 2, 4, {{'P', 2, 0}, {'R', 3, 0}, {'Q', 4, 0}}, 0},
        {"last level won", 10, 2, -100, {}, 1},
        {"past the last level", 11, 1, -100, {}, 0},
        {"below the first level", -4, 1, 1, {{'Q', 1, 1}}, 0},
        {"no campaign", 3, 0, -100, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        played.clear();
        forcedHiscores = 0;
        leaveAt = c.leaveAt;
        SavePlayer(c.level, c.state);
        action = TITLE_CONTINUE;
        MainFlowRound();
        EXPECT_EQ(played, c.expected);
        EXPECT_EQ(forcedHiscores, c.forcedHiscores);
        EXPECT_EQ(saveToProfile, 0);
    }
}

TEST_F(MainFlow, TheBossPageComesBeforeLevelNineOnly) {
    SavePlayer(8, 1);
    leaveAt = 10;
    MainFlowRound();
    const std::vector<Played> expected = {{'Q', 8, 1}, {'Q', 9, 0}, {'Q', 10, 0}};
    ASSERT_EQ(played, expected);
    EXPECT_EQ(helpSongsAtLevel[0], 0);
    EXPECT_GT(helpSongsAtLevel[1], 0);
    EXPECT_EQ(helpSongsAtLevel[2], helpSongsAtLevel[1]);
}

TEST_F(MainFlow, ALevelLeftOrLostGoesBackToTheTitleUnrecorded) {
    const struct {
        const char* what;
        int leaveAt, loseAt;
    } cases[] = {{"left", 1, -100}, {"lost", -100, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        played.clear();
        leaveAt = c.leaveAt;
        loseAt = c.loseAt;
        SavePlayer(1, 1);
        MainFlowRound();
        EXPECT_EQ(played, (std::vector<Played>{{'Q', 1, 1}}));
        EXPECT_EQ(menuQuit, 1);
        EXPECT_EQ(SavedNumber("gameState"), 1);
        EXPECT_EQ(saveToProfile, 0);
    }
}

TEST_F(MainFlow, AnEarlierGameOverDoesNotFailAPuzzleOrRingLevel) {
    SavePlayer(2, 1);
    leaveAt = 4;
    board.gameOver = 1; // left by an endless game played from the title screen
    MainFlowRound();
    const std::vector<Played> expected = {{'P', 2, 1}, {'R', 3, 0}, {'Q', 4, 0}};
    EXPECT_EQ(played, expected);
    EXPECT_EQ(SavedNumber("level"), 3);
}

TEST_F(MainFlow, ACloseRequestBeforeAnyLevelEndsTheProgramWithoutPlaying) {
    const struct {
        const char* what;
        int action, closeAt;
    } cases[] = {{"at the title", TITLE_NOTHING, -1},
                 {"during the opening story or tutorial", TITLE_NEW_CAMPAIGN, 30}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SavePlayer(4, 1);
        action = c.action;
        control->SetScript([&](int frame, FrameInput& in) {
            in.terminate = frame >= c.closeAt;
            return true;
        });
        EXPECT_THROW(MainFlowRound(), ProgramEnd);
        EXPECT_TRUE(played.empty());
        EXPECT_EQ(saveToProfile, 0);
        if (c.action == TITLE_NOTHING) {
            EXPECT_EQ(SavedNumber("level"), 4);
        }
    }
}

TEST_F(MainFlow, ALevelTheSequenceCannotSetUpIsNotPlayedAndTheCampaignStopsThere) {
    const struct {
        const char* what;
        const char* level4;
        int state;
        std::vector<Played> expected;
    } cases[] = {
        {"a type the game does not know", R"(Level4{ FileName="level_04.tsc" Type=7 })", 1, {}},
        {"no document named", R"(Level4{ FileName="" Type=1 })", 1, {}},
        {"a board level that deals no rune", R"(Level4{ FileName="nothing.tsc" Type=1 })", 1, {}},
        // Won before: nothing of it is played, the campaign goes on with the next level.
        {"a level already won", R"(Level4{ FileName="level_04.tsc" Type=7 })", 2, {{'Q', 5, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string sequence = SEQUENCE;
        const size_t at = sequence.find("Level4{");
        sequence.replace(at, sequence.find('\n', at) - at, c.level4);
        WriteData({{"sequencer.tsc", sequence}, {"blocks.tsc", BLOCKS}});
        WriteArchive(resources + "data/davar_levels_lp.bca", BoardLevels());
        played.clear();
        leaveAt = 5;
        SavePlayer(4, c.state);
        action = TITLE_CONTINUE;
        MainFlowRound();
        EXPECT_EQ(played, c.expected);
        EXPECT_EQ(saveToProfile, 0);
        EXPECT_EQ(SavedNumber("level"), 4);
    }
}

TEST_F(MainFlow, EndingDuringALevelKeepsTheCampaignInTheProfile) {
    OnEnd([] { saveOnEnd(); });
    SavePlayer(2, 2);
    shellScreens.ringGamePlay = [](int) -> int { End(); }; // the window is closed during level 3
    EXPECT_THROW(MainFlowRound(), ProgramEnd);
    RunExitHook();
    EXPECT_EQ(SavedNumber("level"), 3);
    EXPECT_EQ(SavedNumber("gameState"), 1);
}

// The score through a ring stage at `ringAt`, the board level after it ended by the developer key,
// a puzzle solved without hints and the level after that (left at once): each step's closing
// figure, the score the next level starts with and the one the profile holds then.
struct ScoreStep {
    int shown = -1; // the closing figure of the step's scroll
    int score = -1; // points.total + points.actual when the next level starts
    int saved = -1; // the profile's score then
};

struct ScoreTrail {
    ScoreStep ring, board, puzzle;
    int levelPoints = 0; // what the board level scored before the key
    int puzzlePay = 0;   // 50 a tile less 50 a hint
};

constexpr int TRAIL_LEVEL_POINTS = 250;

ScoreTrail FollowTheScore(HeadlessBackendControl& control, const std::string& folder, int ringAt,
                          const std::function<int(const std::string&)>& saved) {
    ScoreTrail trail;
    const std::string cwd = std::filesystem::current_path().string();
    std::filesystem::current_path(folder);
    { std::ofstream("cheats.txt") << "1"; }

    auto lastValueAfter = [&control](const std::string& label) {
        int value = -1;
        const auto& log = control.DrawLog();
        for (size_t i = 0; i + 1 < log.size(); ++i)
            if (log[i].op == "text" && log[i].text == label) value = std::stoi(log[i + 1].text);
        control.ClearDrawLog();
        return value;
    };
    auto arrive = [&saved](ScoreStep& before) {
        before.score = points.total + points.actual;
        before.saved = saved("pointsTotal");
    };
    char stage = 'M';
    shellScreens.ringGamePlay = [&](int resume) {
        stage = 'R';
        control.ClearDrawLog();
        const int r = TShellScreens().ringGamePlay(resume);
        trail.ring.shown = lastValueAfter("Total points:");
        stage = 'M';
        return r;
    };
    shellScreens.questLevel = [&](int resume) {
        if (sequencer.seqNo != ringAt + 1) {
            arrive(trail.puzzle);
            return 1;
        }
        arrive(trail.ring);
        stage = 'Q';
        const int before = points.total;
        const int r = TShellScreens().questLevel(resume);
        trail.levelPoints = points.total - before;
        trail.board.shown = points.total; // no scroll: the key ends the level without a summary
        stage = 'M';
        return r;
    };
    shellScreens.puzzleShow = [&](int resume, const std::string& name, int fromGallery) {
        arrive(trail.board);
        stage = 'P';
        control.ClearDrawLog();
        const int r = TShellScreens().puzzleShow(resume, name, fromGallery);
        trail.puzzle.shown = lastValueAfter("Points:");
        stage = 'M';
        return r;
    };

    int stageFrames = 0;
    int swapWith = -1;
    char lastStage = 'M';
    control.SetScript([&](int frame, FrameInput& in) {
        stageFrames = stage == lastStage ? stageFrames + 1 : 0;
        lastStage = stage;
        auto clickAt = [&in](float x, float y) {
            in.mouseX = static_cast<int>(x);
            in.mouseY = static_cast<int>(y);
            in.clicks = {1};
        };
        // A popup of the stage waits for its button, pressed and let go.
        const auto& ok = popupManager.button;
        const bool popup =
            (stage == 'R' && !ringGame.popups.IsEmpty()) || (stage == 'P' && !puzzle.popups.empty());
        if (popup && ok && ok->dim) {
            in.mouseX = static_cast<int>(ok->dim->x + ok->dim->width / 2);
            in.mouseY = static_cast<int>(ok->dim->y + ok->dim->height / 2);
            in.held[1] = frame % 4 == 3;
            return frame < 40000;
        }
        switch (stage) {
        case 'R':
            // Three hits made, then the key ends the stage; clicks close its scroll.
            if (ringGame.faza == RING_PHASE_PLAY && ringGame.seqHits == 0) {
                ringGame.seqHits = 3;
                in.keysHit = {KEY_A + ('G' - 'A')};
            } else if (ringGame.seqHits > 0 && frame % 10 == 0) {
                in.clicks = {1};
            }
            break;
        case 'Q':
            if (stageFrames == 30) points.add(TRAIL_LEVEL_POINTS);
            if (stageFrames == 31) in.keysHit = {KEY_A + ('G' - 'A')};
            break;
        case 'P': {
            const auto tiles = puzzle.puzzle->Tiles();
            if (tiles.empty()) break;
            for (const auto& t : tiles)
                if (t->IsFlying()) return frame < 40000;
            trail.puzzlePay = 50 * (puzzle.puzzle->count - puzzle.hintsCount);
            auto clickOn = [&clickAt](const TPuzzleButton& t) {
                clickAt(t.dim->x + t.dim->width / 2, t.dim->y + t.dim->height / 2);
            };
            if (puzzle.puzzle->IsSet()) {
                if (frame % 5 == 0) clickAt(400, 300);
            } else if (swapWith >= 0) {
                for (const auto& t : tiles)
                    if (t->currentNumber == swapWith) clickOn(*t);
                swapWith = -1;
            } else {
                for (const auto& t : tiles) {
                    if (t->IsInPlace() || t->enable == 0) continue;
                    clickOn(*t);
                    swapWith = t->id;
                    break;
                }
            }
            break;
        }
        default: // the map and the pages between levels
            in.clicks = {1};
            in.keysHit = {KEY_ESCAPE};
        }
        return frame < 40000;
    });
    MainFlowRound();
    std::filesystem::remove("cheats.txt");
    std::filesystem::current_path(cwd);
    return trail;
}

void ExpectOneScore(const ScoreTrail& trail, int startScore) {
    ASSERT_GT(trail.puzzlePay, 0);
    EXPECT_EQ(trail.ring.shown, startScore + 3 * RING_POINTS_PER_HIT);
    EXPECT_EQ(trail.ring.score, trail.ring.shown) << "the board level after the ring stage";
    EXPECT_EQ(trail.ring.saved, trail.ring.shown) << "the profile after the ring stage";
    EXPECT_GE(trail.levelPoints, TRAIL_LEVEL_POINTS);
    EXPECT_EQ(trail.board.shown, trail.ring.shown + trail.levelPoints);
    EXPECT_EQ(trail.board.score, trail.board.shown) << "the puzzle after the board level";
    EXPECT_EQ(trail.board.saved, trail.board.shown) << "the profile after the board level";
    EXPECT_EQ(trail.puzzle.shown, trail.board.shown + trail.puzzlePay);
    EXPECT_EQ(trail.puzzle.score, trail.puzzle.shown) << "the level after the puzzle";
    EXPECT_EQ(trail.puzzle.saved, trail.puzzle.shown) << "the profile after the puzzle";
}

TEST_F(MainFlow, EachSummaryShowsTheScoreTheNextLevelPlaysWithAndTheProfileKeeps) {
    WriteData({{"sequencer.tsc", R"(Sequence{
	FirstLevel=1
	LastLevel=4
	Level1{ FileName="ring-01.tsc" Type=3 }
	Level2{ FileName="level_02.tsc" Type=1 }
	Level3{ FileName="puzzle-01.tsc" Type=2 }
	Level4{ FileName="level_04.tsc" Type=1 }
}
)"},
               {"blocks.tsc", BLOCKS}});
    // Goal type 0 is never met: only the developer key ends level 2.
    WriteArchive(resources + "data/davar_levels_lp.bca",
                 {{"pack.txt", "marker"},
                  {"level_02.tsc",
                   R"(Settings{ Level{ Number=2 GoalType=0 AvailableDavar="1" AvailableBlocks="p1" } })"},
                  {"level_04.tsc",
                   R"(Settings{ Level{ Number=4 GoalType=0 AvailableDavar="1" AvailableBlocks="p1" } })"}});
    WriteArchive(resources + "data/puzzle_levels_lp.bca",
                 {{"puzzle-01.tsc", R"(Settings{ Image="gfx/p.png" width=4 height=3 })"}});
    WriteArchive(resources + "data/ring_levels_lp.bca", {{"ring-01.tsc", "Settings{ Time=60000 }"}});
    profile.SetNumber("pointsTotal", 26000, 0);
    SavePlayer(1, 1);
    const ScoreTrail trail =
        FollowTheScore(*control, scratch, 1, [this](const std::string& k) { return SavedNumber(k); });
    ExpectOneScore(trail, 26000);
}

// The same on the game's own campaign, where a ring stage, one board level and a puzzle follow
// one another from level 4 on.
class BuiltCampaign : public ShellFixture {
  protected:
    void SetUp() override {
        // Taken before the fixture points the resources at its own folder.
        const std::string built = ResourcesDir();
        ShellFixture::SetUp();
        setenv("VSM_RESOURCES", built.c_str(), 1);
        Assemble();
        LoadGameAssets([](int) {});
        CreatePlayer("Ann");
    }
};

TEST_F(BuiltCampaign, EachSummaryShowsTheScoreTheNextLevelPlaysWithAndTheProfileKeeps) {
    shellScreens.titleShow = [] { return TITLE_CONTINUE; };
    profile.SetNumber("pointsTotal", 23900, 0);
    profile.SetNumber("level", 4, 0);
    profile.SetNumber("gameState", 1, 1);
    const ScoreTrail trail = FollowTheScore(*control, scratch, 4, [](const std::string& key) {
        TProfileManager fresh = TProfileManager::Create(profile.path, "dat");
        fresh.SelectProfile("Ann");
        return fresh.GetNumber(key);
    });
    ExpectOneScore(trail, 23900);
}

} // namespace

} // namespace vsm::test
