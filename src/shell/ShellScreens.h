// ShellScreens: the screens the main flow runs — the title screen, the quest level loop, the
// puzzle and the ring mini-game. They are plain calls down, not hooks: they are held here only
// so that tests can replace them. A new TShellScreens holds the real screens; the main-flow
// tests replace them with scripted ones to walk a whole campaign in a few frames.
#pragma once

#include <functional>
#include <string>

namespace vsm {

struct TShellScreens {
    // Fills every call with the real screen.
    TShellScreens();
    // ---- Title screen and front end ----
    // titleScreen.Prepare(): resets the title's fades, active screen, quit flag and action.
    std::function<void()> titlePrepare;
    // titleScreen.show(), answering titleScreen.action: 0 closed during the opening fade,
    // 1 continue, 3 new campaign (leaving the program ends it inside the title).
    std::function<int()> titleShow;
    // titleScreen.forceHiscores = 1: the next show opens with the hiscores.
    std::function<void()> titleForceHiscores;
    // titleScreen.playMusic(): the looping title song, unless it already plays; started by the
    // loading screen as its end effect begins.
    std::function<int()> titlePlayMusic;

    // ---- Game-mode loops ----
    // goGlyndra(resume): plays the campaign board level set up by the sequencer; 1 the player
    // left for the title screen, 0 the level is done.
    std::function<int(int resume)> questLevel;

    // ---- Puzzle mode ----
    // puzzle.show(resume, levelName, fromGallery): 1 left for the title screen, 0 solved or
    // skipped.
    std::function<int(int resume, const std::string& levelName, int fromGallery)> puzzleShow;

    // ---- Ring mini-game ----
    // ringGame.Play(resume): 1 left for the title screen, 0 done.
    std::function<int(int resume)> ringGamePlay;
};

// The screens in force; tests assign a fresh TShellScreens to put the real ones back.
extern TShellScreens shellScreens;

} // namespace vsm
