// TPointsManager: the score of the running game and the score panel with its menu and help buttons.
#pragma once

#include "platform/Graphics.h"

namespace vsm {

// Advance in pixels of each digit 0..9 of the digit strips of styles 1, 2 and 4.
extern int cyfry1Width[10];
extern int levelFontWidth[10];
extern int cyfry4Width[10];

class TPointsManager {
  public:
    int total = 0;      // points banked from the levels already won
    int actual = 0;     // points of the running level
    ImagePtr cyfry;     // style 1 digits, 16x24
    ImagePtr cyfry2;    // style 3 digits, 32x32
    ImagePtr cyfry4;    // style 4 digits, 14x20 (the score)
    int menuOver = 0;   // pointer over the menu button at the last Draw
    int zapOver = 0;    // pointer over the help button at the last Draw
    ImagePtr levelFont; // style 2 digits, 16x21
    ImagePtr menuWndImg;
    ImagePtr menuOutImg;
    ImagePtr menuOverImg;
    ImagePtr zapOutImg;
    ImagePtr zapOverImg;
    int x = 31;
    int y = 352;

    // Loads the digit strips and panel images from the resources folder; a missing file leaves
    // its image empty (the loader reports it) and returns 0 all the same.
    int loadGfx();
    // Updates the hover flags from the pointer and draws the panel; the argument is ignored.
    int Draw(int unused = 0);
    // Same as Draw.
    int DrawTimeatack(int unused = 0);
    // Same as Draw.
    int DrawEndless();
    // Adds n to the running level's points, saturating at the int range; returns 0.
    int add(int n);
    // Draws value zero-padded to `digits` digits in a digit style (1..4) at (x, y), centred on x
    // when `centred` is non-zero; returns the width drawn (0 for an unknown style).
    int _drawNumber(int value, int digits, int x, int y, int style, int centred);
};

// The score of the running game.
extern TPointsManager points;

} // namespace vsm
