// TPuzzleGrid: the board of the picture puzzle — its tiles, scrambling, swaps, home map and the
// drop shadow around the part of the picture already put together.
#pragma once

#include "platform/Audio.h"
#include "puzzle/TPuzzleButton.h"
#include "widgets/TGrid.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace vsm {

// The most columns and rows the home map holds.
constexpr int PUZZLE_MAX_SIDE = 10;

// The tiles in `items` are in home order: list index k holds the tile whose home is cell k.
class TPuzzleGrid : public TGrid {
  public:
    // The home map: matrix[c + 1][r + 1] is 1 once the tile of column c, row r stands home; the
    // outer ring stays 0.
    std::array<std::array<int, PUZZLE_MAX_SIDE + 2>, PUZZLE_MAX_SIDE + 2> matrix{};
    ImagePtr image;               // the picture cut into one frame per cell
    int count = 0;                // tiles, width x height
    ImagePtr ramka;               // the tile frame
    ImagePtr ramkaOn;             // the selection mark
    std::array<ImagePtr, 8> cien; // shadow pieces: 4 corners (tl, tr, bl, br), then l, t, r, b edges
    std::array<SoundPtr, 5> snd;  // click, all done, landing, unused, swap

    // Moves landing tiles, then (when nothing flies) polls the tiles and starts a swap of two
    // marked tiles. Returns 1 on the frame a swap starts, else 0.
    int State() override;
    // Draws the tiles, the shadow of the home region, the marks and the flying tiles; returns 0.
    int Draw() override;
    // Loads the five sounds from bDir the first time; returns 0.
    int loadSfx();
    // Exchanges random pairs of tiles, one a presented frame after the first 50 ms, until no tile
    // is home; a blocking loop. The background (null for none) is drawn behind. Returns at once
    // for fewer than two tiles. Returns 0.
    int Scramble(const ImagePtr& background);
    // 1 when no tile stands home (also for no tiles), else 0.
    int IsScrambled();
    // 1 when every tile stands home (also for no tiles), else 0.
    int IsSet();
    // Loads the shadow pieces and the two frame images from bDir and lends the latter to the tiles.
    // Returns 0.
    int loadGfx();
    // Marks every tile that stands home in the home map; returns 0.
    int doMatrix();
    // Empties the home map and the tile list; returns 0.
    int Clear();

    // The tiles in list order.
    std::vector<PuzzleButtonPtr> Tiles() const;
    // The tile at list index k; null outside the list.
    PuzzleButtonPtr Tile(int k) const;

  private:
    // Draws the shadow pieces of the home map; returns 0.
    void DrawShadow();
};
using PuzzleGridPtr = std::shared_ptr<TPuzzleGrid>;

} // namespace vsm
