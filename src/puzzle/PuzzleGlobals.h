// PuzzleGlobals: creating the puzzle stage's globals.
#pragma once

namespace vsm {

// Rebuilds the global puzzle as new (empty grid, no pictures or sounds, no popups) and forgets
// the tiles' shared frame pictures; start-up calls it once, tests between cases.
void ResetPuzzleGlobals();

} // namespace vsm
