// PuzzleGlobals: the puzzle stage's start-up state and its side of the level sequencer's hook.
#include "puzzle/PuzzleGlobals.h"

#include "level/LevelSeams.h"
#include "puzzle/TPuzzleManager.h"

namespace vsm {

void ResetPuzzleGlobals() {
    puzzle = TPuzzleManager();
    TPuzzleButton::gridWidth = 1;
    TPuzzleButton::gridHeight = 1;
    TPuzzleButton::ramka = nullptr;
    TPuzzleButton::ramkaOn = nullptr;
}

void InstallPuzzleSeams() {
    levelSeams.puzzleLoad = [](const std::string& name) { puzzle.Load(name); };
}

} // namespace vsm
