// PuzzleSave: the puzzle stage's tiles, time, clicks and hints copied into the selected profile
// and back.
#pragma once

namespace vsm {

// Stores "puzzles" (each tile's cell, in tile order), "puzzlesTime" (elapsed milliseconds),
// "puzzlesClicks" and "puzzlesHints" of the global puzzle; writes the file when writeNow is not
// 0. Returns 0, or -1 when that write failed. Does nothing without a selected profile.
int SavePuzzles(int writeNow);
// Restores the tiles from "puzzles" when it names every cell of the built grid exactly once,
// then the time, the clicks and the hints (a missing key reads 0; a negative one too, and the
// counts stop at a million). Returns 1 when restored; 0,
// with one line and nothing changed, when there is no selected profile or the list is no such
// layout.
int LoadPuzzles();

} // namespace vsm
