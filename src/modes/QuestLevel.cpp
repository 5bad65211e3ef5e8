// QuestLevel: the quest board level — its start (fresh or resumed), its frames with the pause
// menu, the big help and the lose screen, and its end with the summary.
#include "modes/QuestLevel.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "boardlists/TBoardSelector.h"
#include "level/TBossManager.h"
#include "level/TLevelManager.h"
#include "level/TLevelSequencer.h"
#include "level/TPointsManager.h"
#include "level/TTimeManager.h"
#include "magic/TBunusManagerA.h"
#include "magic/TMagicSphere.h"
#include "magic/TRingOfSpells.h"
#include "modes/CampaignSave.h"
#include "modes/ModeFrame.h"
#include "modes/SavedSlot.h"
#include "overlays/FrozenScene.h"
#include "overlays/InGameMenu.h"
#include "overlays/TPopupManager.h"
#include "platform/EndFrame.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "profiles/SaveNotice.h"
#include "profiles/SavedCampaign.h"
#include "profiles/THiscores.h"
#include "ringgame/TRingGame.h"
#include "services/GameFlags.h"
#include "services/Sound.h"
#include "services/TCaptions.h"
#include "services/TCometEmiter.h"
#include "services/TDeltaTime.h"
#include "services/TGlobalSnd.h"
#include "services/TMouse.h"
#include "services/TRingEmiter.h"
#include "services/TSoundQ.h"
#include "services/TSpark.h"
#include "services/TVolcanoEmiter.h"
#include "tutorial/BigHelp.h"

#include <cstdio>

namespace vsm {

namespace {

// Thrown inside a frame when the level is left for the main menu; caught by goGlyndra only.
struct LeaveToMenu {};

class TQuestLevel {
  public:
    int Run(int resume);

  private:
    int wheel_ = 0;
    int rotated_ = 0;
    int menuRequest_ = 0;
    int helpRequest_ = 0;

    void Start(int resume);
    void Frame();
    void PauseMenu();
    void GameOver();
    void Restart(bool fromLoseScreen);
    [[noreturn]] void BackToMenu();
    void DeveloperKeys();
    int Ending();
    void SummaryFrame();
    void HiscoreIfLastLevel();
    [[noreturn]] void CloseProgram(int wonState);
};

void TQuestLevel::Start(int resume) {
    rotated_ = 0;
    menuRequest_ = 0;
    helpRequest_ = 0;
    wheel_ = MouseZ();
    board.tileSize = 32;
    board.createBoardImage(1);
    bonusManagerAlt.ClearEfects();
    bonusManagerAlt.ClearSpells();
    level.ResetStats();
    cometList.Clear();
    TSpark::destroyAll();
    captions.Clear();
    level.continueMusic();
    ringOfSpells.Clear();
    if (resume != 0) {
        RestoreBoard(QUEST_SLOT);
        RestoreHeldPiece(QUEST_SLOT);
        LoadSpells(QUEST_SLOT);
        LoadLevelStats();
        LoadMagicSphere();
        RestoreBossRunes(QUEST_SLOT);
        popupManager.Free();
        blocks.nextBlock = blocks._buildNextBlock();
        blocks.GetNextBlockWH();
    } else {
        // A list of standing boss runes from an earlier attempt must not thin out this one.
        ClearBossRunes(QUEST_SLOT);
        blocks.buildNextBlock();
        blocks.buildNextBlock();
        if (level.goalType != 2) boardSelector.AddLevel(level.levelName);
        popupManager.AddEvent("BEGIN_LEVEL");
        timeManager.Reset(1);
        if (level.copySpellsFromRMG != 0) ringGame.CopySpells();
    }
    guiAlpha = 0.0f;
    board.petrifyTimer = MilliSecs64();
    if (!blocks.actualBlock) blocks.buildNextBlock();
    board.checkGameOver();
    deltaTime.Update();
    skipLevel = 0;
    if (sequencer.seqNo != lastLevel) {
        lastLevel = sequencer.seqNo;
        levelReplays = 0;
    }
}

int TQuestLevel::Run(int resume) {
    Start(resume);
    try {
        while (quit == 0 && level.isGoalAchieved(1) == 0 && skipLevel == 0)
            Frame();
    } catch (const LeaveToMenu&) {
        return 1;
    }
    return Ending();
}

void TQuestLevel::Frame() {
    UpdateLevelMusic();
    Cls();
    StepFrameTimer();
    StepGuiAlpha();
    mouse.fetchState(1);
    if (RotationInput(wheel_)) rotated_ = 1;

    if (mouse.leftPressed != 0) {
        if (PointerOnBoardSide() && ringOfSpells.stage == 0) {
            FinishTurnForPlacement();
            board.placeBlock(nullptr, -1, -1, 1);
            if (board.clearMatchingDavar(0) != 0) {
                popupManager.AddEvent("MAKE_MATCH");
                if (rotated_ == 0) popupManager.AddEvent("RIGHT_UNUSED");
            }
        } else {
            if (points.menuOver != 0) {
                menuRequest_ = 1;
                globalSnd.click();
            }
            if (points.zapOver != 0) {
                helpRequest_ = 1;
                globalSnd.click();
            }
        }
    }

    if (!blocks.actualBlock && bonusManagerAlt.queue.Count() == 0 && blocks.IsFreze() == 0) {
        blocks.buildNextBlock();
        board.checkGameOver();
    }

    QuestSceneStep();

    // Popups: the frame timer is refreshed only after one was really shown (a shown popup leaves
    // the queue), so that its time is not the level's; events merely waiting for the board to
    // settle must not cut the next frame's factor short.
    const size_t queued = popupManager.queue.Count();
    if (popupManager.check() != 0) quit = 1;
    if (popupManager.queue.Count() < queued) deltaTime.Update();

    // Once the program is to end, no further screen opens in this frame.
    if (quit == 0 && menuRequest_ != 0) PauseMenu();
    if (quit == 0 && helpRequest_ != 0) {
        board.clearHighlights();
        showBigHelp();
        deltaTime.Update();
        helpRequest_ = 0;
    }
    if (quit == 0 && board.gameOver != 0 && board.alpha == 1.0f) GameOver();

    DrawPlayPointer();
    if (KeyHit(KEY_ESCAPE) || KeyHit('P')) menuRequest_ = 1;
    DeveloperKeys();
    DrawFadeOverlay();
    EndFrame(PollOrder::BeforeFlip);
    if (AppTerminate()) quit = 1;
    if (AppSuspended()) menuRequest_ = 1;
}

void TQuestLevel::PauseMenu() {
    board.clearHighlights();
    const int r = showInGameMenu(1);
    deltaTime.Update();
    switch (r) {
    case INGAME_RESUME:
        menuRequest_ = 0;
        break;
    case INGAME_RESTART:
        Restart(false);
        break;
    case INGAME_QUIT:
        StopMusicAndEnd();
    default:
        BackToMenu();
    }
}

void TQuestLevel::GameOver() {
    TellIfHiscoresNotSaved(
        hiscore.add(PlayerName(), points.total + points.actual, 0, 1, CurrentDate(), "null") != 0);
    points.actual = 0;
    points.total = 0;
    const int r = popupManager.GameOverPopup();
    deltaTime.Update();
    if (r == LOSE_RETRY)
        Restart(true);
    else if (r == LOSE_MAIN_MENU)
        BackToMenu();
    else
        quit = 1;
}

void TQuestLevel::Restart(bool fromLoseScreen) {
    board.clearBoard();
    bonusManagerAlt.ClearSpells();
    bonusManagerAlt.ClearEfects();
    level.Load(0);
    board.createBoardImage(1);
    points.actual = 0;
    menuRequest_ = 0;
    if (fromLoseScreen) helpRequest_ = 0;
    level.ResetStats();
    timeManager.Reset(1);
    ringOfSpells.Clear();
    // Every boss rune stands again.
    ClearBossRunes(QUEST_SLOT);
    if (level.copySpellsFromRMG != 0) ringGame.CopySpells();
    popupManager.Prepare();
    popupManager.AddEvent("BEGIN_LEVEL");
    board.checkGameOver();
}

void TQuestLevel::BackToMenu() {
    comet.entities.Clear();
    TCaptions::destroyAll();
    TSpark::destroyAll();
    soundQueue.Clear();
    // The campaign save stores the quest slot, the standing boss runes with it.
    saveOptions();
    PollSystem();
    throw LeaveToMenu();
}

void TQuestLevel::DeveloperKeys() {
    for (int k = 1; k <= 6; ++k)
        if (KeyHit(KEY_F1 + k - 1)) bonusManagerAlt.AddBonus(k);
    if (KeyHit('S')) {
        Print("----");
        for (float fill : magicSphere.ballsFil) {
            char text[32];
            std::snprintf(text, sizeof text, "%#.9g", static_cast<double>(fill));
            Print(text);
        }
    }
}

void TQuestLevel::HiscoreIfLastLevel() {
    if (sequencer.seqNo == sequencer.Last && level.isGoalAchieved(1) != 0)
        TellIfHiscoresNotSaved(hiscore.add(PlayerName(), points.total, 0, 1, CurrentDate(), "null") != 0);
}

void TQuestLevel::CloseProgram(int wonState) {
    if (level.isGoalAchieved(1) != 0) {
        level.doShortSummary();
        level.finish();
        gameState = wonState;
        HiscoreIfLastLevel();
    }
    StopMusicAndEnd();
}

void TQuestLevel::SummaryFrame() {
    StepFrameTimer();
    mouse.fetchState(0);
    level.updateSummary();
    level.Draw();
    if (level.summaryStage < SUMMARY_SCROLL_OPEN) {
        magicSphere.Update(0);
        timeManager.Draw(1);
        points.Draw(1);
        ringOfSpells.Draw();
        board.Draw(0);
        bossManager.Draw();
        bonusManagerAlt.Draw();
        TCometEmiter::updateAll();
        TVolcanoEmiter::updateAll();
        TRingEmiter::UpdateAll();
        if (level.summaryStage < SUMMARY_SCROLL_UNROLL) TSpark::UpdateAll();
        TSoundQ::updateAll();
        TCaptions::updateAll();
    }
    level.summaryDisplay();
    if (mouse.leftPressed != 0 && level.summaryStage < SUMMARY_DOORS_CLOSE) {
        // The skip click: the end bonus counted so far is credited, the rest is not counted.
        level.summaryStage = SUMMARY_DOORS_CLOSE;
        level.pointsCounter = points.total + points.actual;
        points.add(level.bonusPoints);
        stopSound(level.summaryChn);
        playSound2(level.scrollInSnd, nullptr, 0, 1.0f);
    }
    if (level.summaryStage >= SUMMARY_SCROLL_UNROLL) TSpark::UpdateAll();
    mouse.Draw(1.0f, 1.0f);
    EndFrame(PollOrder::BeforeFlip);
    if (AppTerminate()) quit = 1;
    UpdateLevelMusic();
    board.gameOver = 0;
}

int TQuestLevel::Ending() {
    if (quit != 0) {
        // Closed in the very frame the goal was met: no summary is shown, so the summary's count
        // starts over before the end bonus is credited at once. The level counts as won, so
        // "continue" goes on to the next level instead of crediting this one again.
        level.startSummary();
        CloseProgram(2);
    }
    board.clearHighlights();
    popupManager.Free();
    ringOfSpells.Clear();
    if (level.isGoalAchieved(1) != 0) {
        level.startSummary();
        deltaTime.Update();
        while (quit == 0 && level.summaryDone == 0)
            SummaryFrame();
    }
    soundQueue.Clear();
    TCaptions::destroyAll();
    if (quit != 0) CloseProgram(2);
    if (board.gameOver == 0 || skipLevel != 0) level.finish();
    HiscoreIfLastLevel();
    skipLevel = 0;
    return 0;
}

} // namespace

void QuestSceneStep() {
    level.Draw();
    magicSphere.Update(1);
    timeManager.DrawAndUpdate();
    points.Draw(0);
    board.Update(0);
    board.Draw(0);
    bossManager.Draw();
    bonusManagerAlt.Update();
    bonusManagerAlt.Draw();
    ringOfSpells.Update();
    ringOfSpells.Draw();
    if (ringOfSpells.stage == 0 && board.wjazd < 0.0f) blocks.updateBlock(-1, -1);
    if (ringOfSpells.stage == 0 && board.wjazd < 0.0f) blocks.drawBlock(0, 0);
    UpdateLevelEffects();
}

int goGlyndra(int resume) {
    TQuestLevel questLevel;
    return questLevel.Run(resume);
}

} // namespace vsm
