// TBoardManager: the play field (global `board`) — five cell layers, geometry, frame, runs,
// placement, petrification, images and drawing.
#pragma once

#include "platform/Audio.h"
#include "platform/Graphics.h"
#include "services/TRSA.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vsm {

class TTSCFile;
class TBlock;

// Board side length in cells; every layer is indexed [x][y] with x, y in 0..14.
constexpr int BOARD_CELLS = 15;

// Frame element sides, also the names of a level document's Frame groups.
constexpr int FRAME_LEFT = 0;
constexpr int FRAME_RIGHT = 1;
constexpr int FRAME_TOP = 2;
constexpr int FRAME_BOTTOM = 3;
constexpr int FRAME_LEFT_UPPER = 4;
constexpr int FRAME_RIGHT_UPPER = 5;
constexpr int FRAME_LEFT_LOWER = 6;
constexpr int FRAME_RIGHT_LOWER = 7;

// One piece of the drawn frame round the board.
class TFrameElement : public TRSA {
  public:
    int side = 0; // FRAME_LEFT .. FRAME_RIGHT_LOWER
    int id = 0;   // art variant
    int Size = 0; // run length 1..3 of a side; corner art index 0..3 of a corner
    int x = 0;    // board cell of the element's first cell, -1..15
    int y = 0;
    int t = 0; // always 0
};
using FrameElementPtr = std::shared_ptr<TFrameElement>;

// One queued stretch of cells to clear, first and last cell inclusive.
class TLine {
  public:
    int xs = 0, ys = 0; // first cell
    int xk = 0, yk = 0; // last cell
    int runeID = 0;     // not used
};

class TBoardManager : public TRSA {
  public:
    TBoardManager();

    std::vector<FrameElementPtr> Frame;
    ImagePtr frameH[4][5];  // Left and Right pieces [length 1..3][variant]
    ImagePtr frameV[4][5];  // Top and Bottom pieces [length 1..3][variant]
    ImagePtr frameC[4][5];  // corners [corner 0..3][variant]
    ImagePtr frameBH[4][5]; // 40-px sets; never loaded
    ImagePtr frameBV[4][5];
    ImagePtr frameBC[4][5];
    ImagePtr stoneEntity;
    SoundPtr clearLine;
    SoundPtr bonus;
    SoundPtr depetrifySnd;
    SoundPtr petrifySnd;
    SoundPtr combos[3];
    SoundPtr noPlace;
    SoundPtr placeBlockSnd;

    int grid[BOARD_CELLS][BOARD_CELLS] = {};           // 0 hole, non-zero board cell
    int davarLayer[BOARD_CELLS][BOARD_CELLS] = {};     // rune id, 0 (or less) empty
    int colorLayer[BOARD_CELLS][BOARD_CELLS] = {};     // colour class of that rune
    int highlightLayer[BOARD_CELLS][BOARD_CELLS] = {}; // previewed run cells, 0 none
    int64_t timerLayer[BOARD_CELLS][BOARD_CELLS] = {}; // ms clock (MilliSecs64) when the rune arrived

    // The queued lines; exists only while clearMatchingDavar runs (null otherwise).
    std::unique_ptr<std::vector<TLine>> lines;
    int tileSize = 32;
    int offsetX = 240, offsetY = 60;
    int minx = 0, maxx = 0, miny = 0, maxy = 0;
    int width = 0, height = 0;
    float wjazd = 0;                  // slide-in: 1 at start, falls to 0, then -1 = done
    int typWjazdu = 0;                // 0 from the right, 1 from below, 2 from above
    int effectId = 0, effectStep = 0; // not used
    int availableDavar = 0;           // not used
    int gameOver = 0;
    int petrifyMaxTime = 15000;
    int64_t petrifyTimer = 0; // ms clock (MilliSecs64)
    float petrifyAlpha = 0;
    int petrifyTable[BOARD_CELLS][BOARD_CELLS] = {};
    int petrifyActive = 0;
    int64_t petrifyPausedFor = -1; // ms since petrifyTimer when a pause began; -1 outside a pause
    PixmapPtr pix;                 // wood texture of the board image
    PixmapPtr pix2;                // working copy while the board image is made
    ImagePtr img;                  // the board image, holes masked out
    ImagePtr shadow;
    ImagePtr _s1;
    ImagePtr _s2;
    std::string pixName = "gfx/bg/deski/n/deska-1.png";

    // ---- Level document (TBoardManager.cpp) ----
    // Sets grid[x][row] from the blank-separated entries of text; entries past column 14 are
    // ignored with a diagnostic line. Returns 0.
    int setLine(int row, const std::string& text);
    // Resets the board (clearBoard) and reads the shape from group "Board". Returns 0.
    int loadBoard(TTSCFile& doc);
    // Reads the preset runes of group "Davar" when its "Read" is exactly "1". Returns 0.
    int loadDavar(TTSCFile& doc);
    // Replaces Frame with the pieces listed in group "Frame". Returns 0.
    int loadFrame(TTSCFile& doc);
    // Appends the pieces of one side listed in "Frame::" + name (corners get a random variant);
    // a count beyond what a frame can hold is cut with a diagnostic line. Returns 0.
    int _loadFrameSide(TTSCFile& doc, int side, const std::string& countKey, const std::string& name);
    // Loads the board's sounds and the stone fragment image; returns 0.
    int loadSfx();

    // ---- Images and drawing (TBoardManager_draw.cpp) ----
    // Loads the rune shadow and the frame art; returns 0.
    int loadBoardGfx();
    // Makes the play board image (recentring the board when recentre is non-zero); returns 0.
    int createBoardImage(int recentre);
    // Makes the board image for the level-list preview; returns 0.
    int createSmallBoardImage();
    // Draws the play board, its boss marks, runes, frame, highlights and stone fragments.
    int Draw(int small);
    // Draws the preview board; returns 0.
    int DrawSmall();
    // Throws one spark of its colour class over every highlighted cell; returns 0.
    int _drawHighlights();
    // Sets every highlightLayer cell to 0; returns 0.
    int clearHighlights();
    // Draws every rune with its shadow, and the stone fading in over a petrifying one; returns 0.
    int _drawDavar();
    // Per-frame step: slide-in, fade-in, run preview and petrification; returns 0.
    int Update(int paused);
    // Recomputes highlightLayer for the held piece at the mouse cell (kept during a rotation,
    // cleared at a refused position); the rune layers are left as they were. Returns 0.
    int _checkForHighlights();

    // ---- Frame (TBoardManager_frame.cpp) ----
    // Draw the Frame pieces at the board's alpha and scale (nothing for an unknown side or art
    // slot) and leave the scale at 1; return 0.
    int _drawFrame();
    int _drawSmallFrame();
    // Empties Frame and rebuilds it from the shape in grid; returns 0.
    int buildFrame();
    // Append one corner at padded cell (i, j); return 0.
    int _buildCorner(int side, int size, int i, int j, int t);
    // Append the pieces (3s, then a 2 or a 1) of the vertical stretch of padded rows
    // start..end-1 in padded column i; return 0.
    int _buildSide(int side, int i, int end, int start);
    // The same for the horizontal stretch of padded columns start..end-1 in padded row j.
    int _buildSide2(int side, int end, int j, int start);

    // ---- Placement (TBoardManager_place.cpp) ----
    // Sets gameOver when time is over or the held piece fits nowhere; returns 0.
    int checkGameOver();
    // Tests and, when legal, commits the piece (the held one when null) at (x, y) ((-1, -1) =
    // the mouse cell) in blocks.direction; returns 1 placed, 0 refused.
    int placeBlock(TBlock* block, int x, int y, int realMove);
    // Returns 1 when template cell (i, j) may land at (x + dx, y + dy), else 0.
    int _checkMove(const TBlock& block, int x, int y, int dx, int dy, int i, int j);
    // Returns the width in cells of the shape and sets minx, maxx, width.
    int getWidth();
    // Returns the middle of the shape's columns in pixels from cell 0.
    int GetMiddleX();
    // The same for rows: miny, maxy, height.
    int getHeight();
    int GetMiddleY();
    // Returns 1 when the pointer lies on or next to a board cell (and the slide-in is over).
    int MouseOnBoard();

    // ---- Runs (TBoardManager_runs.cpp) ----
    // Queues a line to clear; outside a clear it is ignored with a diagnostic line. Returns 0.
    int _addLine(int xs, int ys, int xk, int yk);
    // Finds the runs of three or more equal colour classes in the rows (columns): commit 1 queues
    // each with _addLine, commit 0 paints it into highlightLayer. Return 0.
    int checkForHorizontalMatch(int commit);
    int checkForVerticalMatch(int commit);
    // Clears the queued lines, turns stones back, scores and sounds the move; returns the number
    // of cells counted (0, with no score or sound, when none held a rune).
    int clearLines(int flag);
    // Queues boss arms, row runs and column runs and clears them as one move; returns the
    // number of cells counted, 0 when nothing matched.
    int clearMatchingDavar(int flag);
    // Resets the board for a new level: full 15x15 shape, empty layers, new slide-in; returns 0.
    int clearBoard();
    // Returns the share of board cells without a rune; 0 on a board with no cell.
    float freeCells();
    // Returns 1 when no cell holds a rune or stone, else 0.
    int IsEmpty();

    // ---- Petrification (TBoardManager_petrify.cpp) ----
    // Every period (none when it is 0 or less) marks the oldest runes that have a stone, fades
    // them for a second, then turns them to stone; paused holds new selections. Returns 0.
    int _checkForPetrify(int paused);
    // A pause begins (the in-game menu or a popup opens): notes the time since petrifyTimer.
    // A pause already noted keeps its note. Returns 0.
    int PausePetrify();
    // The pause ends: petrifyTimer := now - the noted time, so the paused time counts toward no
    // petrification. Does nothing without a noted pause. Returns 0.
    int ResumePetrify();
};

// The play field, created at start-up.
extern TBoardManager board;

// Rebuilds davar, blocks and board as new, empties the stone fragments and points the mouse's
// cell moves at the board. Loads nothing: start-up then calls blocks.loadBlocksDef, and the
// loading screen blocks.loadSfx, davar.loadDavarGfx, board.loadBoardGfx and board.loadSfx.
// Tests call it (through ResetCoreGame) between cases.
void ResetBoardGlobals();

} // namespace vsm
