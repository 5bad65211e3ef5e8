// QuickPlay: the endless and time-attack loops. Both are one game shape with a few rules of
// their own (slot keys, clock, hiscore table and the order of some frame steps), gathered in
// TQuickRules.
#include "modes/QuickPlay.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "level/TLevelManager.h"
#include "level/TLevelSequencer.h"
#include "level/TPointsManager.h"
#include "level/TTimeManager.h"
#include "magic/TBunusManagerA.h"
#include "magic/TMagicSphere.h"
#include "magic/TRingOfSpells.h"
#include "modes/ModeFrame.h"
#include "modes/ModesSeams.h"
#include "modes/SavedSlot.h"
#include "overlays/InGameMenu.h"
#include "platform/EndFrame.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "profiles/ProfilesGlobals.h"
#include "profiles/SavedBoard.h"
#include "profiles/SaveNotice.h"
#include "profiles/SavedCampaign.h"
#include "profiles/THiscores.h"
#include "profiles/TProfileManager.h"
#include "services/GameFlags.h"
#include "services/TCaptions.h"
#include "services/TCometEmiter.h"
#include "services/TDeltaTime.h"
#include "services/TMouse.h"
#include "services/TRingEmiter.h"
#include "services/TSoundQ.h"
#include "services/TSpark.h"
#include "services/TVolcanoEmiter.h"

namespace vsm {

namespace {

// End codes of the frame loop.
constexpr int PLAYING = 0;
constexpr int GAME_OVER = 1;
constexpr int LEAVE = 2;
constexpr int END_PROGRAM = 3;

// The board every quick-play game falls back on when its own document cannot be played.
const std::string FALLBACK_BOARD = "level_endless_01.tsc";

struct TQuickRules {
    std::string slot; // profile key prefix: "endless" or "time"
    int hiscoreType;  // 2 endless, 3 time attack
    bool timed;       // the clock has a limit that ends the game
    int leaveResult;  // result when the player leaves for the title screen
    int menuArgument; // what the pause menu is called with (it does not read it)
};

const TQuickRules ENDLESS{"endless", 2, false, 0, 1};
const TQuickRules TIME_ATTACK{"time", 3, true, 1, 3};

// The time-attack clock's limit: the board's own time, kept within one and about eight minutes.
void ClampTimeLimit() {
    if (timeManager.maxTime < 60000) timeManager.Set(60000);
    if (timeManager.maxTime > 500000) timeManager.Set(500000);
}

class TQuickPlay {
  public:
    explicit TQuickPlay(const TQuickRules& rules) : rules_(rules) {}

    int Run(const std::string& levelName);

  private:
    const TQuickRules& rules_;
    int endCode_ = PLAYING;
    int pieces_ = 0;
    int wheel_ = 0;
    int menuRequest_ = 0;

    std::string Key(const char* suffix) const { return rules_.slot + suffix; }
    // Loads the level document as a quick-play board, falling back on the default board when
    // the named one deals nothing. Returns 0.
    void LoadBoardLevel();
    // The sphere, effects and clock of a new game on the loaded document.
    void ResetForNewGame();
    void Resume();
    void Fresh();
    void Frame();
    void PauseMenu();
    void Restart();
    int SaveSlot();
    int GameOver();
    void SummaryFrame(int best);
    void HiscoreEntry();
};

void TQuickPlay::LoadBoardLevel() {
    if (level.Load(1) < 0) {
        level.Set(FALLBACK_BOARD);
        level.Load(1);
    }
}

void TQuickPlay::ResetForNewGame() {
    bonusManagerAlt.ClearEfects();
    bonusManagerAlt.ClearSpells();
    magicSphere.ResetSettings();
    if (rules_.timed)
        ClampTimeLimit();
    else
        timeManager.Set(0);
}

int TQuickPlay::Run(const std::string& levelName) {
    wheel_ = MouseZ();
    endCode_ = PLAYING;
    menuRequest_ = 0;
    board.tileSize = 32;
    board.offsetX = 240;
    board.offsetY = 60;
    points.total = 0;
    points.actual = 0;
    board.gameOver = 0;
    ringOfSpells.Clear();

    const bool resume = levelName.empty();
    if (resume) {
        if (profile.GetNumber(Key("Resume")) == 0) return 0;
        level.Set(profile.GetString(Key("Level")));
    } else {
        level.Set(levelName);
    }

    // The level's song starts paused while it loads, as in a campaign.
    const int keptState = gameState;
    gameState = 1;
    LoadBoardLevel();
    level.loadGfx();
    level.ResetStats();
    modesSeams.StopTitleMusic();
    ResetForNewGame();
    level.continueMusic();
    gameState = keptState;
    guiAlpha = 0.0f;

    if (resume)
        Resume();
    else
        Fresh();

    sequencer.seqNo = 1;
    board.createBoardImage(1);
    deltaTime.Update();

    while (endCode_ == PLAYING)
        Frame();

    FlushMouse();
    if (endCode_ == LEAVE || endCode_ == END_PROGRAM) TellIfNotSaved(SaveSlot() != 0, false);
    if (endCode_ == END_PROGRAM) StopMusicAndEnd();
    if (endCode_ == LEAVE) {
        ClearEffectsForTitle();
        blocks.actualBlock = nullptr;
        PollSystem();
        return rules_.leaveResult;
    }
    return GameOver();
}

void TQuickPlay::Resume() {
    points.actual = profile.GetNumber(Key("Points"));
    RestoreBoard(rules_.slot);
    RestoreHeldPiece(rules_.slot);
    LoadSpells(rules_.slot);
    timeManager.LoadFromProfile(profile.GetNumber(Key("Time")));
    level.recivedSpells = profile.GetNumber(Key("RecivedSpells"));
    level.droppedSpells = profile.GetNumber(Key("DroppedSpells"));
    pieces_ = profile.GetNumber(Key("Blocks"));
    blocks.nextBlock = blocks._buildNextBlock();
    blocks.GetNextBlockWH();
}

void TQuickPlay::Fresh() {
    blocks.buildNextBlock();
    blocks.buildNextBlock();
    pieces_ = 0;
    timeManager.Reset(rules_.timed ? 1 : 0);
}

void TQuickPlay::Frame() {
    UpdateLevelMusic();
    Cls();
    StepFrameTimer();
    StepGuiAlpha();
    mouse.fetchState(1);
    RotationInput(wheel_);

    if (mouse.leftPressed != 0) {
        // The time-attack board side takes the click even with no piece in hand (the run check
        // still runs); the endless one only with a piece.
        const bool place =
            PointerOnBoardSide() && ringOfSpells.stage == 0 && (rules_.timed || blocks.actualBlock);
        if (place) {
            FinishTurnForPlacement();
            board.placeBlock(nullptr, -1, -1, 1);
            board.clearMatchingDavar(rules_.timed ? 0 : 1);
        } else if (points.menuOver != 0) {
            menuRequest_ = 1;
        }
    }

    if (!blocks.actualBlock && bonusManagerAlt.queue.Count() == 0 && blocks.IsFreze() == 0) {
        blocks.buildNextBlock();
        ++pieces_;
        board.checkGameOver();
    }

    level.Draw();
    magicSphere.Update(1);
    timeManager.DrawAndUpdate();
    if (rules_.timed)
        points.DrawTimeatack(0);
    else
        points.DrawEndless();
    board.Update(0);
    board.Draw(0);
    ringOfSpells.Update();
    ringOfSpells.Draw();
    if (!rules_.timed) board.checkGameOver();
    bonusManagerAlt.Update();
    bonusManagerAlt.Draw();
    if (rules_.timed) board.checkGameOver();
    if (board.wjazd < 0) blocks.updateBlock(-1, -1);
    if (board.wjazd < 0) blocks.drawBlock(0, 0);
    TCometEmiter::updateAll();
    TRingEmiter::UpdateAll();
    TSpark::UpdateAll();
    TVolcanoEmiter::updateAll();
    TCaptions::updateAll();
    TSoundQ::updateAll();
    if (KeyHit(KEY_ESCAPE)) menuRequest_ = 1;
    DrawPlayPointer();
    DrawFadeOverlay();
    // The time-attack game polls before its flip and the endless game after, so a quick click
    // reaches their next frames differently (see PollOrder).
    EndFrame(rules_.timed ? PollOrder::BeforeFlip : PollOrder::AfterFlip);

    if (board.gameOver != 0) endCode_ = GAME_OVER;
    if (menuRequest_ != 0) PauseMenu();
    if (AppTerminate()) endCode_ = END_PROGRAM;
}

void TQuickPlay::PauseMenu() {
    const int r = showInGameMenu(rules_.menuArgument);
    deltaTime.Update();
    switch (r) {
    case INGAME_RESUME:
        menuRequest_ = 0;
        break;
    case INGAME_RESTART:
        Restart();
        break;
    case INGAME_QUIT:
        endCode_ = END_PROGRAM;
        break;
    default:
        endCode_ = LEAVE;
        break;
    }
}

void TQuickPlay::Restart() {
    // A restart is a new game on the same board: the same reading of the document as at the
    // start, so no boss rune, goal or copied spell of the document comes into play, and no
    // effect of the abandoned game scores into the new one.
    board.clearBoard();
    bonusManagerAlt.ClearSpells();
    bonusManagerAlt.ClearEfects();
    LoadBoardLevel();
    level.ResetStats();
    board.createBoardImage(1);
    points.actual = 0;
    pieces_ = 0;
    ResetForNewGame();
    timeManager.Reset(rules_.timed ? 1 : 0);
    menuRequest_ = 0;
    ringOfSpells.Clear();
    // A game over seen in this frame belonged to the abandoned game.
    if (endCode_ == GAME_OVER) endCode_ = PLAYING;
    board.gameOver = 0;
}

int TQuickPlay::SaveSlot() {
    profile.SetNumber(Key("Resume"), 1, 0);
    profile.SetNumber(Key("Points"), points.actual, 0);
    profile.SetString(Key("Level"), level.levelName, 0);
    profile.SetNumber(Key("Time"), timeManager.SaveToProfile(), 0);
    saveBoard(rules_.slot, 0);
    SaveLastBlock(rules_.slot, 0);
    SaveSpells(rules_.slot, 0);
    profile.SetNumber(Key("RecivedSpells"), level.recivedSpells, 0);
    profile.SetNumber(Key("DroppedSpells"), level.droppedSpells, 0);
    return profile.SetNumber(Key("Blocks"), pieces_, 1);
}

void TQuickPlay::HiscoreEntry() {
    TellIfHiscoresNotSaved(
        hiscore.add(PlayerName(), points.actual, 0, rules_.hiscoreType, CurrentDate(), level.levelName) != 0);
}

void TQuickPlay::SummaryFrame(int best) {
    StepFrameTimer();
    level.updateSummary();
    level.Draw();
    magicSphere.Update(0);
    timeManager.Draw(1);
    if (rules_.timed) {
        points.DrawTimeatack(0);
    } else {
        points.DrawEndless();
    }
    ringOfSpells.Draw();
    board.Draw(0);
    if (rules_.timed) bonusManagerAlt.Draw();
    TCometEmiter::updateAll();
    TRingEmiter::UpdateAll();
    TVolcanoEmiter::updateAll();
    if (!rules_.timed) bonusManagerAlt.Draw();
    if (level.summaryStage < SUMMARY_SCROLL_UNROLL) TSpark::UpdateAll();
    TSoundQ::updateAll();
    TCaptions::updateAll();
    level.summaryDisplayET(timeManager.actualTime / 1000, pieces_, best);
    if (level.summaryStage >= SUMMARY_SCROLL_UNROLL) TSpark::UpdateAll();
    mouse.Draw(1.0f, 1.0f);
    EndFrame(PollOrder::BeforeFlip);
}

int TQuickPlay::GameOver() {
    int quitRequest = 0;
    board.clearHighlights();
    level.startSummary();
    ringOfSpells.Clear();
    deltaTime.Update();
    const int best = hiscore.GetBestScore(rules_.hiscoreType, level.levelName);
    while (quitRequest == 0 && level.summaryDone == 0) {
        SummaryFrame(best);
        if (AppTerminate()) quitRequest = 1;
        UpdateLevelMusic();
        mouse.fetchState(0);
    }
    soundQueue.Clear();
    TCaptions::destroyAll();
    level.levelEndChn = nullptr;
    level.summaryChn = nullptr;

    if (quitRequest != 0) {
        level.doShortSummary();
        TSpark::destroyAll();
        TellIfNotSaved(profile.SetNumber(Key("Resume"), 0, 1) != 0, false);
        HiscoreEntry();
        StopMusicAndEnd();
    }
    mouse.fetchState(0);
    // A slot still marked to resume would bring the finished game back.
    TellIfNotSaved(profile.SetNumber(Key("Resume"), 0, 1) != 0, false);
    if (rules_.timed) Print(std::to_string(MilliSecs()));
    HiscoreEntry();
    if (rules_.timed) Print(std::to_string(MilliSecs()));
    TSpark::destroyAll();
    mouse.fetchState(0);
    return 1;
}

} // namespace

int goEndless(const std::string& levelName) {
    TQuickPlay game(ENDLESS);
    return game.Run(levelName);
}

int goTimeAtack(const std::string& levelName) {
    TQuickPlay game(TIME_ATTACK);
    return game.Run(levelName);
}

} // namespace vsm
