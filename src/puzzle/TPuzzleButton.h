// TPuzzleButton: one tile of the picture puzzle — its cell, selection mark, flight and lock.
#pragma once

#include "widgets/TButton.h"

#include <memory>

namespace vsm {

class TPuzzleButton;
using PuzzleButtonPtr = std::shared_ptr<TPuzzleButton>;

// A tile shows the picture piece of its home cell (`id`), stands on cell `currentNumber`, flies
// to `targetNumber` along a curve in 25 frames and locks for good once it stands home.
class TPuzzleButton : public TButton {
  public:
    float parentX = 0, parentY = 0; // screen position of the top-left corner of cell 0
    int steps = 0;                  // frames flown in the current flight, 0..25
    int marked = 0;                 // 1 while selected for a swap
    int x = 0, y = 0;               // column and row of the cell stood on (kept during a flight)
    int frame = 0;                  // frame of `image` shown while enabled
    int currentNumber = 0;          // cell stood on
    int targetNumber = 0;           // cell flown to; equals currentNumber at rest
    float counter = 0;              // curve parameter of the flight
    float ax = 0, ay = 0, bx = 0, by = 0, cx = 0, cy = 0, dx = 0, dy = 0; // curve control points
    // 1 on the frame in which State took a click, 0 otherwise: a click on the tile whose home is
    // cell 0 returns 0 from State, so the grid learns of every click here.
    int clickedNow = 0;

    // Columns and rows of the puzzle; written by every CreatePuzzleButton (never below 1).
    static int gridWidth;
    static int gridHeight;
    // The tile frame and the selection mark, shared with the grid that loads them.
    static ImagePtr ramka;
    static ImagePtr ramkaOn;

    // Draws the locked, resting or hovered look; returns 0.
    int Draw() override;
    // Hover, click (toggles the mark and returns `id`), flight step and lock; 0 when no click
    // and always 0 for a locked tile. A tile standing home locks here before any click, so it is
    // never marked.
    int State() override;
    // Places the rectangle on cell currentNumber at once; returns 0.
    int SetPosition();
    // 1 when the tile stands on its home cell.
    int IsInPlace() const;
    // 1 while targetNumber differs from currentNumber.
    int IsFlying() const;
    // Sets up the flight to targetNumber, bent to the side of direction (+1 or -1), and clears
    // the mark; a target equal to the present place keeps the old curve. Returns 0.
    int Prepare(int direction);
    // One frame of the flight; the 25th step lands the tile on its target cell. Returns 0.
    int Move();
    // The drawing operations; each returns 0.
    int DrawMark();
    int DrawOver();
    int DrawOnOver();
    int DrawOnOut();
    int DrawOnPlace();
    int DrawShaded();
};

// Returns a new tile at rest on its home cell id, showing frame `frame` of the image, over a
// grid whose cell 0 has its top-left corner at (parentX, parentY); a grid size below 1 counts
// as 1.
PuzzleButtonPtr CreatePuzzleButton(const ImagePtr& image, int id, float parentX, float parentY, int x, int y,
                                   int frame, int gridWidth, int gridHeight);

} // namespace vsm
