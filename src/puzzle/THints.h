// THints: the puzzle's hint — two tiles worth swapping marked by trickles of sparks — and the
// burst of sparks that greets a tile landing home.
#pragma once

#include <memory>

namespace vsm {

class TPuzzleButton;
class TPuzzleGrid;
class TSpark;

// One run of the stage makes one THints; it shows one hint at a time until Hide.
class THints {
  public:
    int showed = 0;            // 1 while a hint is showing
    int x1 = 0, y1 = 0;        // top-left corner of the first marked tile when the hint was made
    int x2 = 0, y2 = 0;        // the same for the second
    int width = 0, height = 0; // size of a marked tile
    std::shared_ptr<TSpark> s; // the spark emitted last

    // With first non-zero the free first hint: moves tiles so that the tiles at list indexes a
    // and b each sit in the other's home, and marks them (nothing happens, with one line, when a
    // or b is not a tile index). With first 0 a player's hint: marks a random tile away from
    // home and the tile whose home it occupies. Does nothing while a hint shows or when every
    // tile is home. Returns 0.
    int show(TPuzzleGrid& grid, int first, int a, int b);
    // Ends the hint; the sparks already emitted live on. Returns 0.
    int Hide();
    // While a hint shows, emits one spark inside each marked tile. Returns 0.
    int Update();
};

// Emits the burst of 101 sparks from the centre of a tile that has just landed home. Returns 0.
int SparksOnPlace(const TPuzzleButton& tile);

} // namespace vsm
