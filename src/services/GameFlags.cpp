// GameFlags: the shared flags and their start-up values.
#include "services/GameFlags.h"

namespace vsm {

int gameState = 0;
int quit = 0;
int menuQuit = 0;
int skipLevel = 0;
int readFromProfile = 0;
int saveToProfile = 0;
int levelReplays = 0;
int lastLevel = 0;
int popUpIsOn = 0;
float guiAlpha = 1.0f;

void ResetGameFlags() {
    gameState = 0;
    quit = 0;
    menuQuit = 0;
    skipLevel = 0;
    readFromProfile = 0;
    saveToProfile = 0;
    levelReplays = 0;
    lastLevel = 0;
    popUpIsOn = 0;
    guiAlpha = 1.0f;
}

} // namespace vsm
