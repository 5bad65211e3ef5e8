// MainFlow: the title screen's choice and the campaign loop.
#include "shell/MainFlow.h"

#include "board/TBoardManager.h"
#include "frontend/TTitleScreen.h"
#include "level/TLevelManager.h"
#include "level/TLevelSequencer.h"
#include "modes/CampaignSave.h"
#include "overlays/TPopupManager.h"
#include "platform/System.h"
#include "profiles/ProfileDefaults.h"
#include "profiles/SaveNotice.h"
#include "profiles/SavedCampaign.h"
#include "puzzle/TPuzzleManager.h"
#include "quest/StoryViewer.h"
#include "quest/TMapCore.h"
#include "ringgame/TRingGame.h"
#include "services/GameFlags.h"
#include "services/ScreenHandOver.h"
#include "shell/ShellScreens.h"
#include "tutorial/TTutorial.h"

#include <string>

namespace vsm {

namespace {

constexpr int BOSS_TUTORIAL_LEVEL = 9;

// Plays the level set up at sequencer.seqNo by its type; returns the campaign step's result
// (non-zero: back to the title).
int PlayLevel() {
    HandOverInput();
    if (sequencer.seqNo == BOSS_TUTORIAL_LEVEL) {
        tutorial.show2(0);
        HandOverInput();
    }
    switch (sequencer.levelType) {
    case LEVEL_TYPE_PUZZLE:
        return shellScreens.puzzleShow(readFromProfile, "", 0);
    case LEVEL_TYPE_RING:
        return shellScreens.ringGamePlay(readFromProfile);
    default: {
        int result = shellScreens.questLevel(readFromProfile);
        level.stopAndFreeMusic();
        // Only a board level can be lost on the board; a flag left by an earlier endless game
        // must not fail a puzzle or ring level.
        if (board.gameOver != 0) result = 1;
        return result;
    }
    }
}

// The campaign loop; returns when the flow goes back to the title screen.
void CampaignLoop() {
    while (quit == 0 && gameState != 0 && sequencer.levelExists() != 0) {
        const bool ready = SetUpCampaignLevel() != 0;
        if (gameState == 1 || gameState == -3) {
            // A level the sequence cannot set up is not played: the campaign stops there, as
            // it does where the sequence runs out.
            if (!ready) {
                Print("campaign: level " + std::to_string(sequencer.seqNo) +
                      " cannot be set up; back to the title screen");
                return;
            }
            menuQuit = PlayLevel();
            if (menuQuit != 0) return;
            gameState = 2;
            TellIfNotSaved(SaveProfile(1) != 0, false);
        }
        if (gameState == 2) {
            if (sequencer.seqNo >= sequencer.Last) {
                shellScreens.titleForceHiscores();
                HandOverInput();
                showStory(2, 0);
                return;
            }
            HandOverInput();
            menuQuit = map.Show(sequencer.seqNo);
            if (menuQuit != 0) {
                saveOptions();
                return;
            }
            gameState = 1;
        }
        sequencer.nextLevel();
        // Every level after the first one played since the title screen starts fresh.
        readFromProfile = 0;
    }
}

} // namespace

int SetUpCampaignLevel() {
    if (sequencer.setupLevel() == 0) return 0;
    // What the level shows besides the board is loaded here, by the folder that runs the level.
    switch (sequencer.levelType) {
    case LEVEL_TYPE_BOARD:
        popupManager.Prepare();
        break;
    case LEVEL_TYPE_PUZZLE:
        puzzle.Load(sequencer.levelFileName);
        break;
    case LEVEL_TYPE_RING:
        ringGame.Load(sequencer.levelFileName);
        break;
    }
    return 1;
}

void MainFlowRound() {
    shellScreens.titlePrepare();
    // Every screen of the flow starts with the input the screen before it left untouched
    // dropped: an Esc pressed on the map must not pause the level that follows.
    HandOverInput();
    const int action = shellScreens.titleShow();
    HandOverInput();
    if (action == TITLE_NOTHING) {
        // A close request during the title's opening fade: nothing is to be played.
        End();
    }
    if (action == TITLE_NEW_CAMPAIGN) {
        TellIfNotSaved(ClearProfile(1) != 0, false);
        LoadProfile();
        readFromProfile = 0;
        showStory(1, 1);
        HandOverInput();
        if (tutorial.show(0) == 1) End();
        // Set only now: the exit hook must not store a board left over from an earlier game
        // into the fresh campaign while the story or the tutorial is showing.
        saveToProfile = 1;
    } else if (action == TITLE_CONTINUE) {
        LoadProfile();
        readFromProfile = 1;
        saveToProfile = 1;
    }
    if (gameState != 0 && sequencer.First <= sequencer.Last && sequencer.seqNo < sequencer.First)
        sequencer.seqNo = sequencer.First;
    if (sequencer.seqNo > sequencer.Last) {
        HandOverInput();
        showStory(2, 0);
        saveToProfile = 0;
    }
    CampaignLoop();
    saveToProfile = 0;
}

void MainFlow() {
    for (;;)
        MainFlowRound();
}

} // namespace vsm
