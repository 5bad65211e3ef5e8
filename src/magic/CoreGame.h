// CoreGame: the one reset of every global of the services, widgets, board, level and magic
// folders, in start-up order.
#pragma once

namespace vsm {

// Rebuilds every global of the services, widgets, board, level and magic folders in its
// start-up state, in start-up order: services, widgets, board, level, sphere, bonuses, ring of
// spells. Hooks are left as they are: start-up fills them all in one place afterwards. Start-up
// calls it once before its own creations; test fixtures call it before each case. Loads nothing
// and cannot fail.
void ResetCoreGame();

} // namespace vsm
