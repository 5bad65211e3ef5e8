// MouseSeams: what the pointer's keyboard aids ask of the board, which sits above the services:
// where the board's cells lie on screen. Start-up fills the hook.
#pragma once

#include "services/TUnsetHooks.h"

#include <functional>

namespace vsm {

// Where the board's cells lie on screen, for the keyboard's cell moves of the pointer.
struct TCellGrid {
    int offsetX = 240; // screen position of cell (0, 0)
    int offsetY = 60;
    int tileSize = 32; // cell size in pixels
};

struct TMouseSeams {
    // The board's grid as it lies now (board.offsetX, board.offsetY, board.tileSize).
    std::function<TCellGrid()> cellGrid;

    // Calls cellGrid; unset, prints one line the first time and answers the board's resting
    // grid (240, 60, 32).
    TCellGrid CellGrid();

    TUnsetHooks unset;
};

// The hook in force.
extern TMouseSeams mouseSeams;

} // namespace vsm
