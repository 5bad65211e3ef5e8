// FrontendSeams: the calls the front end makes into the game modes and the puzzle mode, with
// harmless defaults until start-up fills them.
#pragma once

#include <functional>
#include <string>

namespace vsm {

struct TFrontendSeams {
    // Plays one endless game on the board document levelName ("" resumes the saved one) and
    // returns when it is over. Default: returns 0 at once.
    std::function<int(const std::string& levelName)> goEndless = [](const std::string&) { return 0; };
    // The time-attack twin of goEndless. Default: returns 0 at once.
    std::function<int(const std::string& levelName)> goTimeAtack = [](const std::string&) { return 0; };
    // Plays the picture as a picture-swap puzzle replayed from the gallery: the puzzle is cut into
    // width x height tiles and streams musicName; returns the puzzle's result. Default: returns 0
    // at once.
    std::function<int(int width, int height, const std::string& musicName, const std::string& picture)>
        replayPuzzle = [](int, int, const std::string&, const std::string&) { return 0; };
};

// The hooks in force; ResetFrontendGlobals puts the defaults back.
extern TFrontendSeams frontendSeams;

} // namespace vsm
