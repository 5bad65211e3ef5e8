// LevelBoardSeam: the level subsystem's side of the board's seam (boss runes, clock, points,
// statistics and campaign position).
#pragma once

namespace vsm {

// Installs the level managers as the board's level seam; returns nothing and cannot fail.
void InstallLevelBoardSeam();

} // namespace vsm
