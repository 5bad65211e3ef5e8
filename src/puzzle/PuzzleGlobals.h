// PuzzleGlobals: creating the puzzle stage's globals and filling the level sequencer's hook.
#pragma once

namespace vsm {

// Rebuilds the global puzzle as new (empty grid, no pictures or sounds, no popups) and forgets
// the tiles' shared frame pictures; start-up calls it once, tests between cases.
void ResetPuzzleGlobals();
// Points the level sequencer's puzzle hook at puzzle.Load. Cannot fail.
void InstallPuzzleSeams();

} // namespace vsm
