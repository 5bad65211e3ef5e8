// TPuzzleManager: the picture-swap puzzle stage (global `puzzle`) — its settings, assets, level
// documents, the building of the tiled picture, the stage loop with its hint and menu buttons,
// popups and in-game menu, and the opening, summary and closing screens.
#pragma once

#include "platform/Audio.h"
#include "platform/Graphics.h"
#include "puzzle/TPuzzleGrid.h"

#include <cstdint>
#include <list>
#include <memory>
#include <string>

namespace vsm {

class TAudioStream;
class THints;
class TPopup;

// What `show` returns and what its loop ends with.
constexpr int PUZZLE_GO_ON = 0;     // solved (or still playing)
constexpr int PUZZLE_TERMINATE = 1; // a close request: the program ends
constexpr int PUZZLE_CHEAT_END = 2; // the developer key: ends without a summary
constexpr int PUZZLE_LEAVE = 3;     // back to the title screen

// The puzzle stage. A campaign level calls Load, then show; a gallery replay sets width, height
// and musicName and calls show with its picture.
class TPuzzleManager {
  public:
    PuzzleGridPtr puzzle = std::make_shared<TPuzzleGrid>(); // the tile grid of the picture
    std::string gfxName;                                    // picture path from the level document
    int width = 0;                                          // columns of tiles
    int height = 0;                                         // rows of tiles
    std::string musicName;                                  // music file of the stage
    std::shared_ptr<TAudioStream> music;                    // the stage's playing music
    SoundPtr scrollOutSnd;                                  // the summary's roll-up sound
    int hintsCount = 0;                                     // hints asked for in this puzzle
    ImagePtr menu;                                          // hover image of the menu button
    ImagePtr hint;                                          // hover image of the hint button
    int64_t Timer = 0;       // millisecond clock value taken as the start of the puzzle's time
    int clicks = 0;          // tile clicks counted by the grid
    int hintA = 0;           // tile index of the first tile of the free first hint
    int hintB = 0;           // tile index of the second tile of the free first hint
    ImagePtr stageCompleted; // the closing picture
    ImagePtr picture;        // the confirmation picture, handle at its centre
    std::list<std::shared_ptr<TPopup>> popups; // information popups waiting in this stage

    // Empties the popups, then reads the level document `name` of "data/puzzle_levels_lp.bca"
    // into the picture, music, size and free-hint fields; "puzzle-01.tsc" also queues the level-1
    // popups of "infoPZ.tsc". A size outside 1..10 a side or of fewer than two tiles is replaced
    // by 6 x 5 with one diagnostic line. Returns 0.
    int Load(const std::string& name);
    // Builds the grid of the picture at path (found as given, in bDir, in the custom pictures
    // folder, else the default slide), columns x rows tiles over 670 x 494 pixels from (65, 53).
    // A size the grid cannot hold becomes 6 x 5 (one line); a picture that cannot be decoded is
    // replaced by the default slide, then by a plain generated picture. Returns 0.
    int Create(const std::string& path, int columns, int rows);
    // Loads the grid's pictures, the button highlights, the closing and confirmation pictures and
    // the roll-up sound from bDir; a file that fails leaves its slot empty. Returns 0.
    int loadGfx();
    // Runs the stage: resumes the profile's saved layout when readFromProfile is set (a layout
    // that is not a permutation of all tiles starts afresh instead), else scrambles. The first
    // argument is not read; an empty path plays gfxName; fromMenu is 1 in gallery play. Returns 1
    // when left towards the title screen, else 0. A close request anywhere in the stage ends the
    // program; one during the summary or the closing picture of a campaign puzzle first counts
    // the level as won (gameState 2).
    int show(int resume, const std::string& path, int fromMenu);
    // The opening: 250 ms fade from black over the board; with resume set first locks the tiles
    // the restore put home. Returns 0.
    int Begin(const ImagePtr& background, int resume);
    // The closing picture zooming in until a click, then a fade to black. Returns 0, or 1 on a
    // close request.
    int Finish(const ImagePtr& background);
    // The summary scroll: adds the points in the campaign, tallies tiles and hints, closes on a
    // click. Returns 0, or 1 on a close request.
    int summary(const ImagePtr& background, const FontPtr& rowFont, const FontPtr& titleFont, int fromMenu);
    // The in-game menu over the stage: 0 go on playing, 3 leave towards the title screen; a close
    // request ends the program.
    int ShowInGameMenuPuzzle(const ImagePtr& background, const std::shared_ptr<THints>& hints);

  private:
    // Reads the level-1 popups of "infoPZ.tsc" into popups.
    void _loadPopups();
    // Feeds the streamed music while a long load runs: polls the system and updates the song.
    void _keepMusicFed();
    // One play frame after the common start; returns the frame's result.
    int _playFrame(const ImagePtr& background, const std::shared_ptr<THints>& hints, int fromMenu,
                   int& menuOver, int& hintOver);
    // One popup frame after the common start.
    void _popupFrame();
    // Stops the stage's music and ends the program; the exit hook saves what is to be saved.
    [[noreturn]] void _endProgram();
};

// Returns true when columns x rows is a size the grid can hold (each side 1..10, at least two
// tiles); otherwise prints one line naming where the size came from, sets 6 x 5 and returns false.
bool CheckPuzzleSize(int& columns, int& rows, const std::string& source);

// The puzzle stage, alive for the whole run.
extern TPuzzleManager puzzle;

} // namespace vsm
