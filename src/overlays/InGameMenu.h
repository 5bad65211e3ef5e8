// InGameMenu: the pause menu of a quest board level, over the frozen level scene.
#pragma once

namespace vsm {

// Results of the in-game menu.
constexpr int INGAME_RESUME = 0;
constexpr int INGAME_RESTART = 2;
constexpr int INGAME_MAIN_MENU = 3;
constexpr int INGAME_QUIT = 4;

// Runs the menu (the quest pause screen, the in-game options and help) until the player
// chooses, with the level clock and petrification held meanwhile. Returns INGAME_RESUME (also on
// Esc), INGAME_RESTART, INGAME_MAIN_MENU, or INGAME_QUIT on a terminate request, which wins over
// an Esc of the same frame. The flag has no effect.
int showInGameMenu(int flag);

} // namespace vsm
