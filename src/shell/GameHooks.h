// GameHooks: the one list of the hooks through which a lower folder calls a higher one, and
// their filling. A hook exists only where a plain call would close a cycle between folders: the
// pointer's keyboard aids ask the board where its cells lie, the board asks the level and magic
// managers that read it, the level asks the sphere that reads its document, the ring of spells
// posts to the popups that show it, and the endless and time-attack games stop the music of the
// title screen that starts them.
#pragma once

#include <vector>

namespace vsm {

// One hook: its name ("caller -> callee: what"), the filling that points it at the real callee
// and the test of whether it is filled now.
struct TGameHook {
    const char* name;
    void (*fill)();
    bool (*isSet)();
};

// Every hook of the game, in the order of the folders that call them.
const std::vector<TGameHook>& GameHooks();

// Fills every hook of GameHooks() with the real callee. AssembleGame calls it; nothing else in
// the game fills a hook. Cannot fail.
void InstallGameHooks();

} // namespace vsm
