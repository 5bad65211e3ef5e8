// CoreGame: the one reset of every global of the services, widgets, board, level and magic
// subsystems, with their hooks installed as start-up installs them.
#pragma once

namespace vsm {

// Rebuilds every global of the services, widgets, board, level and magic folders in its start-up
// state and installs their hooks in start-up order: services, widgets, board, level with its
// board hooks, sphere, bonuses, ring of spells, then the magic hooks. Hooks that later folders
// fill (the level's popup, puzzle and ring-game loaders, the ring's popup event) are left empty
// for them to install afterwards. Start-up calls it once before its own creations; test fixtures
// call it before each case. Loads nothing and cannot fail.
void ResetCoreGame();

} // namespace vsm
