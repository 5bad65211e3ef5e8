// PuzzleGlobals: the puzzle stage's start-up state.
#include "puzzle/PuzzleGlobals.h"

#include "puzzle/TPuzzleManager.h"

namespace vsm {

void ResetPuzzleGlobals() {
    puzzle = TPuzzleManager();
    TPuzzleButton::gridWidth = 1;
    TPuzzleButton::gridHeight = 1;
    TPuzzleButton::ramka = nullptr;
    TPuzzleButton::ramkaOn = nullptr;
}

} // namespace vsm
