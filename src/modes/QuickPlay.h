// QuickPlay: the endless game and the time-attack game, played on one board picked from the
// title screen's board lists and saved in the player's profile when left.
#pragma once

#include <string>

namespace vsm {

// Plays an endless game on the board levelName, or resumes the saved one when levelName is
// empty. Returns 0 when nothing was saved to resume or the player left for the title screen
// (the game is then saved), 1 after a game over with its summary and hiscore entry. Ends the
// program when the player quits or the system asks it to close.
int goEndless(const std::string& levelName);

// Plays a time-attack game against the level clock (the board's time, 60 to 500 seconds), or
// resumes the saved one when levelName is empty. Returns 0 when nothing was saved to resume, 1
// when the player left for the title screen (the game is then saved) or after a game over with
// its summary and hiscore entry. Ends the program when the player quits or the system asks it
// to close.
int goTimeAtack(const std::string& levelName);

} // namespace vsm
