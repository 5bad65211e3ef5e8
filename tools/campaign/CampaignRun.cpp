// CampaignRun: the headless game brought up once, and each play of a position or quick board.
#include "CampaignRun.h"

#include "BoardPlayer.h"
#include "MiniGamePlayers.h"
#include "ScreenInput.h"

#include "board/TBoardManager.h"
#include "data/DataFolders.h"
#include "level/TLevelManager.h"
#include "level/TLevelSequencer.h"
#include "level/TPointsManager.h"
#include "level/TTimeManager.h"
#include "modes/QuestLevel.h"
#include "modes/QuickPlay.h"
#include "platform/Files.h"
#include "platform/Headless.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "profiles/THiscores.h"
#include "profiles/TProfileManager.h"
#include "puzzle/TPuzzleManager.h"
#include "ringgame/TRingGame.h"
#include "services/GameFlags.h"
#include "services/GraphicsMode.h"
#include "services/Paths.h"
#include "services/TDeltaTime.h"
#include "shell/AssembleGame.h"
#include "shell/MainFlow.h"
#include "shell/LoadGameAssets.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>

namespace vsm::tools {

namespace {

HeadlessBackendControl* control = nullptr;

// Frames a game may take to wind down after a close request before the run counts as stuck.
constexpr int WIND_DOWN_FRAMES = 900;
// The frame's clicks that move waiting screens on: the OK of a popup or hint once it stands
// fully shown, else now and then a corner of the screen. Returns true when it clicked or rests
// the pointer on the OK.
class WaitingScreens {
  public:
    bool Click(FrameInput& in, bool corner) {
        ++frame_;
        if (PopupOkShown(DrawnNow)) {
            // The OK answers to a press that began while it was shown: the pointer rests on it
            // between presses.
            const FrameInput click = MoveOnClick(DrawnNow);
            in.mouseX = click.mouseX;
            in.mouseY = click.mouseY;
            if (frame_ % 12 == 0) in = click;
            return true;
        }
        if (corner && frame_ % 20 == 0) {
            in = MoveOnClick(DrawnNow);
            return true;
        }
        return false;
    }

  private:
    static bool DrawnNow(const ImagePtr& image) {
        if (!image) return false;
        const std::vector<DrawCall>& log = control->DrawLog();
        return std::any_of(log.begin(), log.end(), [&](const DrawCall& c) { return c.image == image; });
    }
    int frame_ = 0;
};

// How a screen run ended.
enum class ScreenEnd { Closed, Stuck, Limit };

// Runs the screen loop with the script giving each frame's input; the drawing of a frame is
// kept until the script has read it. The script returns false to close the game; a screen that
// then ends the program unwinds here. Past limitFrames the game is asked to close whatever the
// script says. Stuck when the screen did not end after a close request.
ScreenEnd RunScreen(const std::function<void()>& screen, const std::function<bool(FrameInput&)>& script,
                    int64_t limitFrames) {
    control->ClearDrawLog();
    control->overrunFrames = WIND_DOWN_FRAMES;
    bool limited = false;
    control->SetScript([&script, &limited, limitFrames](int frame, FrameInput& in) {
        // Frame 0's input is taken as the script is set, before the screen has started: what
        // the script would read then is still the last run's.
        if (frame == 0) return true;
        if (frame > limitFrames) {
            limited = true;
            return false;
        }
        const bool go_on = script(in);
        control->ClearDrawLog();
        control->ClearSoundLog();
        return go_on;
    });
    bool stuck = false;
    try {
        screen();
    } catch (const ProgramEnd&) {
        // The close request ended the program's screen; the next run starts afresh.
    } catch (const HeadlessOverrun& e) {
        Print(std::string("Campaign player: ") + e.what());
        stuck = true;
    }
    // No input between runs, and no close request left over for the next one.
    control->SetScript([](int, FrameInput&) { return true; });
    AppTerminate();
    quit = 0;
    menuQuit = 0;
    skipLevel = 0;
    return stuck ? ScreenEnd::Stuck : limited ? ScreenEnd::Limit : ScreenEnd::Closed;
}

// The end of a play whose screen did not close as asked, or ran past the frame limit.
void MarkScreenEnd(RunResult& r, ScreenEnd end) {
    if (end == ScreenEnd::Stuck) r.end = "stuck";
    if (end == ScreenEnd::Limit) r.end = "limit";
}

// The state a new campaign level starts from, whatever the last run left.
void FreshStart(uint32_t seed) {
    points.total = 0;
    points.actual = 0;
    readFromProfile = 0;
    gameState = 1;
    popUpIsOn = 0;
    SeedRnd(seed);
}

// Sets the campaign's position up as the campaign loop does and starts its result.
RunResult SetUpPosition(int position, int type, uint32_t seed) {
    RunResult r;
    r.position = position;
    r.name = PositionName(position);
    r.type = type;
    r.seed = seed;
    sequencer.seqNo = position;
    SetUpCampaignLevel();
    return r;
}

RunResult PlayBoard(int position, uint32_t seed, const RunOptions& options) {
    RunResult r = SetUpPosition(position, 1, seed);
    r.goal = level.goalType;
    r.clockMs = timeManager.maxTime;

    BoardPlayer player(options.thinkFrames, options.search);
    WaitingScreens waiting;
    bool goalMet = false;
    int traced = 0;
    const ScreenEnd end = RunScreen(
        [] { goGlyndra(0); },
        [&](FrameInput& in) {
            if (goalMet) {
                // The summary waits for clicks.
                waiting.Click(in, true);
                return true;
            }
            // A lost board is looked at before any popup: the lose screen waits for an answer
            // and no popup's OK can close it.
            if (board.gameOver != 0 || (r.clockMs <= 0 && timeManager.actualTime > options.capMs)) {
                r.end = board.gameOver == 0 ? "patience" : (timeManager.TimeOver() != 0 ? "time" : "full");
                r.timeMs = timeManager.actualTime;
                r.placements = level.usedBlocks;
                return false;
            }
            if (waiting.Click(in, false)) return true;
            if (level.isGoalAchieved(1) != 0) {
                goalMet = true;
                r.won = true;
                r.end = "goal";
                r.timeMs = timeManager.actualTime;
                r.placements = level.usedBlocks;
                return true;
            }
            player.Frame(in);
            if (options.trace && level.usedBlocks != traced) {
                traced = level.usedBlocks;
                std::printf("piece %d at %.1f s\n%s", traced, timeManager.actualTime / 1000.0,
                            DrawView(SeeBoard(board)).c_str());
            }
            return true;
        },
        options.limitFrames);
    r.score = points.total + points.actual;
    MarkScreenEnd(r, end);
    return r;
}

RunResult PlayPuzzle(int position, uint32_t seed, const RunOptions& options) {
    RunResult r = SetUpPosition(position, 2, seed);
    PuzzlePlayer player(options.clickFrames);
    WaitingScreens waiting;
    int64_t solvedAt = -1;
    bool scrambled = false;
    const ScreenEnd end = RunScreen([] { puzzle.show(0, "", 0); },
                                    [&](FrameInput& in) {
                                        if (waiting.Click(in, solvedAt >= 0)) return true;
                                        // The tiles stand home before the scrambling too.
                                        const bool home = puzzle.puzzle && puzzle.puzzle->count > 0 &&
                                                          puzzle.puzzle->IsSet() != 0;
                                        if (!home && puzzle.puzzle && puzzle.puzzle->count > 0)
                                            scrambled = true;
                                        if (solvedAt < 0 && scrambled && home)
                                            solvedAt = MilliSecs64() - puzzle.Timer;
                                        if (solvedAt < 0 && MilliSecs64() - puzzle.Timer > options.capMs)
                                            return false;
                                        if (solvedAt < 0) player.Frame(in);
                                        return true;
                                    },
                                    options.limitFrames);
    r.won = solvedAt >= 0;
    r.end = r.won ? "solved" : "patience";
    r.timeMs = r.won ? solvedAt : options.capMs;
    r.placements = puzzle.clicks;
    r.score = points.total + points.actual;
    MarkScreenEnd(r, end);
    return r;
}

RunResult PlayRing(int position, uint32_t seed, const RunOptions& options) {
    RunResult r = SetUpPosition(position, 3, seed);
    r.clockMs = ringGame.maxTime;
    RingPlayer player(options.clickFrames);
    WaitingScreens waiting;
    const ScreenEnd end = RunScreen([] { ringGame.Play(0); },
                                    [&](FrameInput& in) {
                                        if (ringGame.faza >= RING_PHASE_OVER) {
                                            waiting.Click(in, true);
                                            return true;
                                        }
                                        if (waiting.Click(in, false)) return true;
                                        player.Frame(in);
                                        return true;
                                    },
                                    options.limitFrames);
    r.spells = ringGame.recivedSpells;
    r.placements = ringGame.seqHits;
    r.won = r.spells > 0;
    r.end = "over";
    MarkScreenEnd(r, end);
    r.timeMs = r.clockMs;
    r.score = points.total + points.actual;
    return r;
}

} // namespace

bool StartCampaignGame(const std::string& resources, const std::string& userFolder,
                       const std::function<HeadlessBackendControl&()>& install) {
    control = &install();
    setenv("VSM_RESOURCES", resources.c_str(), 1);
    setenv("XDG_DATA_HOME", userFolder.c_str(), 1);
    AssembleGame();
    if (FileType(bDir + "gfx") != FILETYPE_DIR) {
        Print("Campaign player: no built resources in " + bDir);
        return false;
    }
    GetDataFolders();
    UseUserFolder(myDocsFolder);
    SetGraphicsMode(2, 800, 600, 32);
    LoadGameAssets();
    deltaTime = TDeltaTime::Create(60.0f);
    sequencer.Start(1);
    return true;
}

void UseUserFolder(const std::string& folder) {
    myDocsFolder = folder;
    std::filesystem::create_directories(folder + "/profiles");
    std::filesystem::create_directories(folder + "/data");
    profile = TProfileManager::Create(folder + "/profiles", "dat");
    hiscore = THiscores::Create(folder + "/data/hiscores.dat");
    profile.NewProfile("player");
}

int FirstPosition() {
    return sequencer.First;
}

int LastPosition() {
    return sequencer.Last;
}

int PositionType(int position) {
    const int kept = sequencer.seqNo;
    sequencer.seqNo = position;
    const int type = sequencer.Get() != 0 ? sequencer.levelType : 0;
    sequencer.seqNo = kept;
    return type;
}

std::string PositionName(int position) {
    const int kept = sequencer.seqNo;
    sequencer.seqNo = position;
    const std::string name = sequencer.Get() != 0 ? sequencer.levelFileName : std::string();
    sequencer.seqNo = kept;
    return name;
}

RunResult PlayPosition(int position, uint32_t seed, const RunOptions& options) {
    FreshStart(seed);
    switch (PositionType(position)) {
    case 2:
        return PlayPuzzle(position, seed, options);
    case 3:
        return PlayRing(position, seed, options);
    default:
        break;
    }
    // The ring game before a board that takes its spells is played first, as the campaign does.
    if (position > FirstPosition() && PositionType(position - 1) == 3) {
        level.Set(PositionName(position));
        level.Load(0);
        if (level.copySpellsFromRMG != 0) {
            PlayRing(position - 1, seed, options);
            FreshStart(seed + 0x9e3779b9u);
        }
    }
    return PlayBoard(position, seed, options);
}

RunResult PlayQuickBoard(const std::string& name, bool timed, uint32_t seed, const RunOptions& options) {
    FreshStart(seed);
    RunResult r;
    r.name = name;
    r.type = timed ? 5 : 4;
    r.seed = seed;
    RunOptions survive = options;
    survive.search.survive = true;
    BoardPlayer player(options.thinkFrames, survive.search);
    WaitingScreens waiting;
    bool over = false;
    const ScreenEnd end =
        RunScreen([&] { timed ? goTimeAtack(name) : goEndless(name); },
                  [&](FrameInput& in) {
                      if (over) {
                          waiting.Click(in, true);
                          return true;
                      }
                      if (board.gameOver != 0 || timeManager.actualTime > options.capMs) {
                          over = board.gameOver != 0;
                          r.end = over ? (timeManager.TimeOver() != 0 ? "time" : "full") : "patience";
                          r.timeMs = timeManager.actualTime;
                          r.clockMs = timeManager.maxTime;
                          r.placements = level.usedBlocks;
                          return over;
                      }
                      player.Frame(in);
                      return true;
                  },
                  options.limitFrames);
    r.score = points.actual;
    MarkScreenEnd(r, end);
    return r;
}

} // namespace vsm::tools
