// AssembleGame: every global of the game created and wired once.
#include "shell/AssembleGame.h"

#include "board/TBlocksManager.h"
#include "boardlists/TBoardSelector.h"
#include "frontend/FrontendGlobals.h"
#include "magic/CoreGame.h"
#include "overlays/OverlaysGlobals.h"
#include "profiles/ProfilesGlobals.h"
#include "puzzle/PuzzleGlobals.h"
#include "quest/TMapCore.h"
#include "ringgame/TRingGame.h"
#include "services/GameFlags.h"
#include "services/OptionsSeam.h"
#include "services/Paths.h"
#include "services/TCaptions.h"
#include "services/TRingEmiter.h"
#include "services/TSoundQ.h"
#include "services/TVolcanoEmiter.h"
#include "shell/GameHooks.h"
#include "shell/TLoading.h"
#include "tutorial/TTutorial.h"

namespace vsm {

namespace {

// The options as start-up creates them, before the document is read.
TOptions CreatedOptions() {
    TOptions o;
    o.screenMode = 2;
    o.musicVol = 3;
    o.soundVol = 6;
    o.startingSeq = 0;
    return o;
}

} // namespace

void ResetGameGlobals() {
    // Services (song manager, lists, digit tables, mouse, comet, slides, flags), widgets, board,
    // level, sphere, bonuses and ring of spells.
    ResetCoreGame();
    options = CreatedOptions();
    loading = TLoading();
    ResetBoardSelector();
    ResetOverlaysGlobals();
    ResetProfilesGlobals();
    ResetQuestGlobals();
    ResetTutorialGlobals();
    ResetPuzzleGlobals();
    ResetRingGameGlobals();
    ResetFrontendGlobals();
}

void AssembleGame() {
    ResetGameGlobals();
    bDir = GetBundleResourceURL("", "");

    // The one place the hooks are filled, from the one list.
    InstallGameHooks();

    blocks.loadBlocksDef();
    captions.Clear();
    soundQueue.Clear();
    gameState = 0;
    volcanoList.Clear();
    ringEmiterList.Clear();
}

} // namespace vsm
