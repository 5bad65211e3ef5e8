// FrontendScreens: the games the main menu and the gallery start. They are plain calls down, not
// hooks: they are held here only so that tests can replace them. A new TFrontendScreens holds the
// real calls into the mode loops and the puzzle; the menu tests replace them with scripted games.
#pragma once

#include <functional>
#include <string>

namespace vsm {

struct TFrontendScreens {
    // Fills every call with the real game.
    TFrontendScreens();
    // goEndless: plays one endless game on the board document levelName ("" resumes the saved
    // one) and returns when it is over.
    std::function<int(const std::string& levelName)> goEndless;
    // goTimeAtack: the time-attack twin of goEndless.
    std::function<int(const std::string& levelName)> goTimeAtack;
    // Plays the picture as a picture-swap puzzle replayed from the gallery: cut into width x height
    // tiles, streaming musicName; returns the puzzle's result.
    std::function<int(int width, int height, const std::string& musicName, const std::string& picture)>
        replayPuzzle;
};

// The calls in force; ResetFrontendGlobals puts the real ones back.
extern TFrontendScreens frontendScreens;

} // namespace vsm
