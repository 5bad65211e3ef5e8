// CellRemoval: what every removing effect does to the cell it empties.
#pragma once

namespace vsm {

// Sends a flight of colour (r, g, b) from (fx, fy) to the sphere, fills the sphere with colour
// class c, sets off a token on the cell, marks the cell's highlight with mark, empties the cell
// and runs the game-over test. A cell outside the board is left alone.
void RemoveCellRune(int x, int y, int c, float fx, float fy, int r, int g, int b, int mark);

} // namespace vsm
