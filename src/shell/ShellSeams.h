// ShellSeams: the calls the program shell makes into the title screen, the quest level loop, the
// puzzle and the ring mini-game, with stand-ins until those screens are part of the game.
#pragma once

#include <functional>
#include <string>

namespace vsm {

struct TShellSeams {
    // ---- Title screen and front end ----
    // titleScreen.Prepare(): resets the title's fades, active screen, quit flag and action.
    std::function<void()> titlePrepare = [] {};
    // titleScreen.show(), answering titleScreen.action: 0 closed during the opening fade,
    // 1 continue, 3 new campaign (2 ends the program inside the title). Default: a plain
    // screen with the game's title until a key or click (3) or a close request (0).
    std::function<int()> titleShow;
    // titleScreen.forceHiscores = 1: the next show opens with the hiscores. Default: nothing.
    std::function<void()> titleForceHiscores = [] {};
    // titleScreen.playMusic(): the looping title song, unless it already plays. Default: starts
    // "sfx/glyndra-song.ogg" looping through the song cache.
    std::function<int()> titlePlayMusic;
    // titleScreen.loadGfx() and gallery.loadGfx(). Default: nothing loaded.
    std::function<int()> titleLoadGfx = [] { return 0; };
    std::function<int()> galleryLoadGfx = [] { return 0; };

    // ---- Game-mode loops ----
    // goGlyndra(resume): plays the campaign board level set up by the sequencer; 1 the player
    // left for the title screen, 0 the level is done. Default: 1, as if the player left at once.
    std::function<int(int resume)> questLevel = [](int) { return 1; };

    // ---- Puzzle mode ----
    // puzzle.show(resume, levelName, fromGallery): 1 left for the title screen, 0 solved or
    // skipped. Default: 0, so the campaign steps over picture puzzles.
    std::function<int(int resume, const std::string& levelName, int fromGallery)> puzzleShow =
        [](int, const std::string&, int) { return 0; };
    // puzzle.loadGfx(). Default: nothing loaded.
    std::function<int()> puzzleLoadGfx = [] { return 0; };
    // SavePuzzles(saveNow): the picture-puzzle state into the profile. Default: nothing saved.
    std::function<int(int saveNow)> savePuzzles = [](int) { return 0; };

    // ---- Ring mini-game ----
    // ringGame.Play(resume): 1 left for the title screen, 0 done. Default: 0, so the campaign
    // steps over ring levels.
    std::function<int(int resume)> ringGamePlay = [](int) { return 0; };
    // ringGame.loadGfx(). Default: nothing loaded.
    std::function<int()> ringGameLoadGfx = [] { return 0; };

    // Callers that fall back to the stand-ins when a hook is empty.
    int TitleShow() const;
    int TitlePlayMusic() const;
};

// The hooks in force. AssembleGame leaves them as they are; tests assign a fresh TShellSeams.
extern TShellSeams shellSeams;

// The stand-in title screen: the title picture and the game's name until a key or a click
// (returns 3) or a close request (returns 0). Opens the profile screen first while no profile
// exists, as the real title screen does.
int StandInTitle();
// Draws one frame of the stand-in title without presenting it.
void DrawStandInTitle();

} // namespace vsm
