// TBlocksManager: the piece templates of "blocks.tsc" and the held and next piece (global
// `blocks`): dealing, rotation, legality marks, freeze and drawing.
#pragma once

#include "platform/Audio.h"
#include "platform/Graphics.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vsm {

class TTSCFile;

// A piece template, or a dealt piece whose cells carry rune ids. Arrays are indexed [x][y].
class TBlock {
  public:
    std::string id; // template id (empty in dealt pieces)
    std::string title;
    std::string description;
    int width = 0; // see getSize
    int height = 0;
    int pieces = 0;           // filled cells of a template
    int Set[4][4] = {};       // template: 1 filled; dealt piece: rune id, 0 empty
    int color[4][4] = {};     // colour class of the rune in Set (dealt pieces)
    int placeable[4][4] = {}; // last legality test of each cell of the held piece

    // Sets width to the most filled cells of one row and height to the most of one column
    // (counts, not extents); returns 0.
    int getSize();
};
using BlockPtr = std::shared_ptr<TBlock>;

class TBlocksManager {
  public:
    // A new manager with no templates, pieces or images (loadSfx loads the images).
    TBlocksManager();

    std::vector<BlockPtr> List;               // template catalogue in file order
    std::shared_ptr<TTSCFile> blocksFile;     // only while the catalogue is read
    std::vector<std::string> availableDavar;  // rune ids the level deals
    std::vector<std::string> availableBlocks; // template ids the level deals
    BlockPtr actualBlock;                     // the held piece; null between a placement and the next deal
    BlockPtr nextBlock;                       // the next piece; null until first dealt
    float nextBlockWidth = 0, nextBlockHeight = 0;
    int prevBlocks[3] = {0, 0, 0};
    int newDir = 0;    // rotation being turned to, 0..3
    int direction = 0; // rotation the held piece rests in, 0..3
    int dirAngle = 0;  // drawn angle in degrees
    int dirStep = 0;   // degrees turned so far in the running rotation
    int whellDir = 1;  // sense of the last rotation request
    int blockFormed = 0;
    int formStep = 0;
    int oldX = 0, oldY = 0;
    int newMove = 0;
    float blockAlpha = 1.0f;
    float lightAlpha = 0.0f;
    float lightDir = 0.05f;
    SoundPtr szurSnd;
    ChannelPtr szurChn;
    int64_t Timer = 0; // ms clock (MilliSecs64) when the freeze began
    int frezeTime = -1;
    ImagePtr xImg;
    ImagePtr gImg;
    bool nothingToDealReported = false; // the "nothing to deal" line was printed for these lists

    // Loads the cannot-place mark "gfx/runy/r-x.png" and the ghost "gfx/runy/ghost.png";
    // returns 0. A missing image is reported by the image loader and then draws nothing.
    int loadImages();
    // Reads the template catalogue "blocks.tsc" from the settings archive; returns 0. A missing
    // document leaves the catalogue empty (the archive loader reports it).
    int loadBlocksDef();
    // Appends the templates of an already loaded catalogue document; a cell outside 0..3 is
    // skipped, and a template left without any cell is left out, each with a diagnostic line.
    // Returns the number of templates appended.
    int loadBlocksDoc(TTSCFile& doc);
    // Loads the rotation sound and, through loadImages, the two marks; returns 0. Missing files
    // are reported by the loaders and leave empty slots.
    int loadSfx();
    // Replaces the rune ids the level deals by the blank-separated list (empty entries stay and
    // deal an empty cell); ids the rune catalogue lacks are skipped with a diagnostic line.
    // Returns 1 when at least one known rune remains, else 0 after a line, with nothing to deal.
    int setAvailableDavar(const std::string& list);
    // Replaces the template ids the level deals; empty ids and ids no template carries are
    // skipped with a diagnostic line. Returns 1 when at least one remains, else 0 after a line.
    int setAvailableBlocks(const std::string& list);
    // Returns the first template whose id equals the text; null when there is none.
    BlockPtr _findBlockByID(const std::string& id);
    // Deals a new piece from the level's templates and runes; null (after a diagnostic line)
    // when the level leaves nothing to deal.
    BlockPtr _buildNextBlock();
    // Moves the next piece into the hand and deals a new next piece; returns 0. With nothing
    // to deal both stay null.
    int buildNextBlock();
    // Copies the next piece's size into nextBlockWidth/nextBlockHeight; returns 0.
    int GetNextBlockWH();
    // Starts a quarter turn of the held piece, +1 clockwise or -1 counter-clockwise; ignored
    // without a held piece or while a turn runs. Returns 0.
    int rotateBlock(int d);
    // Per-frame step: legality marks at cell (x, y) ((-1, -1) = the mouse cell), move sparks,
    // rotation and form-in animation. Returns 0.
    int updateBlock(int x, int y);
    // Draws the held piece at the pointer and its ghost on the board; returns 0.
    int drawBlock(int x, int y);
    // Draws the next piece centred on (x, y), dealing it first if needed; returns 0.
    int DrawNextBlock(float x, float y);
    // The board column (row) under a pixel coordinate by the 15-pixel rule; 0 = the pointer.
    int getXR(int px);
    int getYR(int py);
    // The pixel coordinate of that column (row).
    int getX(int px);
    int getY(int py);
    // Holds back the next piece for ms milliseconds unless a longer freeze runs; -1 lifts any
    // freeze. Returns 0.
    int Freze(int ms);
    // Returns 1 while a freeze runs, else 0.
    int IsFreze();
    // Returns the milliseconds left of the freeze (negative once over).
    int ToDefreze();

    // Throws the move sparks from the cells the held piece leaves; returns 0.
    int _doParticles();
    // Draws the form-in of a new held piece converging on (x, y); returns 0.
    int _formBlock(int x, int y);
    // Draws the held piece with its origin at (px, py), turning while a rotation runs; returns 0.
    int _drawBlock(int px, int py);
    // Draws one rune of a piece: placeable with its light pulse, blocked with the X mark, or
    // the ghost picture when blockAlpha is 0.4 or less; returns 0.
    int _drawRune(int rune, int x, int y, int blocked);
};

// The piece manager, created at start-up.
extern TBlocksManager blocks;

// The board cell that template cell (i, j) covers in rotation d, relative to the origin cell.
void RotateCell(int d, int i, int j, int& dx, int& dy);

} // namespace vsm
