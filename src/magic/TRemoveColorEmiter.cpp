// TRemoveRandomColorsEmiter and TRemoveColorEmiter: the vanish and drain streams.
#include "magic/TRemoveColorEmiter.h"

#include "board/TBoardManager.h"
#include "board/TRuneManager.h"
#include "magic/CellRemoval.h"
#include "platform/System.h"

namespace vsm {

void TColorLandingEmiter::_setup(float ax_, float ay_, float bx_, float by_, int r_, int g_, int b_, int rx,
                                 int ry, int rc) {
    Flag = 1;
    active = 1;
    Timer = MilliSecs64();
    maxCount = 50;
    dt = 0.03f;
    ax = ax_;
    ay = ay_;
    bx = bx_;
    by = by_;
    _pickControlPoint();
    r = r_;
    g = g_;
    b = b_;
    runex = rx;
    runey = ry;
    runec = rc;
}

void TColorLandingEmiter::_land(bool vanishColours) {
    if (Flag != 1 || counter <= static_cast<float>(entities.Count())) return;
    const bool onBoard = runex >= 0 && runex < BOARD_CELLS && runey >= 0 && runey < BOARD_CELLS;
    const int c = onBoard ? board.colorLayer[runex][runey] : 0;
    int fr = r, fg = g, fb = b;
    if (vanishColours) {
        fr = davar.getRuneRGB(c, 1) + Rand(-20, 20);
        fg = davar.getRuneRGB(c, 2) + Rand(-20, 20);
        fb = davar.getRuneRGB(c, 3) + Rand(-20, 20);
    }
    Flag = 0;
    RemoveCellRune(runex, runey, c, bx, by, fr, fg, fb, runec);
}

std::shared_ptr<TRemoveRandomColorsEmiter> TRemoveRandomColorsEmiter::add(float ax, float ay, float bx,
                                                                          float by, int r, int g, int b,
                                                                          int runex, int runey, int runec) {
    auto e = std::make_shared<TRemoveRandomColorsEmiter>();
    e->_setup(ax, ay, bx, by, r, g, b, runex, runey, runec);
    volcanoList.AddLast(e);
    return e;
}

void TRemoveRandomColorsEmiter::_update() {
    r = Rand(100, 255);
    g = Rand(100, 255);
    b = Rand(100, 255);
    _land(true);
}

std::shared_ptr<TRemoveColorEmiter> TRemoveColorEmiter::add(float ax, float ay, float bx, float by, int r,
                                                            int g, int b, int runex, int runey, int runec) {
    auto e = std::make_shared<TRemoveColorEmiter>();
    e->_setup(ax, ay, bx, by, r, g, b, runex, runey, runec);
    volcanoList.AddLast(e);
    return e;
}

void TRemoveColorEmiter::_update() {
    _land(false);
}

} // namespace vsm
