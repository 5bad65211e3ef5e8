// InGameMenu: the pause menu loop of a quest level.
#include "overlays/InGameMenu.h"

#include "board/TBoardManager.h"
#include "level/TLevelManager.h"
#include "level/TTimeManager.h"
#include "overlays/FrozenScene.h"
#include "overlays/TOptionsWindow.h"
#include "platform/EndFrame.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "services/TMouse.h"
#include "services/TSongManager.h"
#include "tutorial/TTutorial.h"
#include "widgets/SharedImageIds.h"

#include <cstdint>

namespace vsm {

namespace {

constexpr int kNoChoice = -1;

} // namespace

int showInGameMenu(int /*flag*/) {
    timeManager.PauseOn();
    board.PausePetrify();
    optionsWindow.OpenPause(MENU_QUEST_PAUSE, level.musicStream);

    int result = kNoChoice;
    while (result == kNoChoice) {
        mouse.fetchState(0);
        DrawFrozenScene(1);
        optionsWindow.Update();
        optionsWindow.Draw();
        mouse.Draw(1.0f, 1.0f);
        EndFrame();

        switch (optionsWindow.clickedButton) {
        case BUTTON_RESUME:
            result = INGAME_RESUME;
            break;
        case BUTTON_RESTART:
            result = INGAME_RESTART;
            break;
        case BUTTON_GAME_OPTIONS:
            optionsWindow.SetState(MENU_GAME_OPTIONS, 0, MENU_WINDOW_X, MENU_WINDOW_Y);
            break;
        case BUTTON_MAIN_MENU:
            result = INGAME_MAIN_MENU;
            break;
        case BUTTON_HELP:
            // The pages run over the paused level with its music; they set the level's own
            // effects aside while they run.
            if (level.goalType == 3) {
                tutorial.show2(1);
            } else if (tutorial.show(1) != 0) {
                result = INGAME_QUIT;
            }
            break;
        default:
            break;
        }
        if (KeyHit(KEY_ESCAPE)) result = INGAME_RESUME;
        // A request to close the game is never lost to a key pressed in the same frame.
        if (AppTerminate()) result = INGAME_QUIT;
        if (level.musicStream) level.musicStream->update();
    }

    timeManager.PauseOff();
    board.ResumePetrify();
    optionsWindow.ClosePause();
    return result;
}

} // namespace vsm
