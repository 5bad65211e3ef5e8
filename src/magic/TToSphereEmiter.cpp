// TToSphereEmiter: the flight of a removed rune to its sphere ball.
#include "magic/TToSphereEmiter.h"

#include "board/TBoardManager.h"
#include "magic/TMagicSphere.h"

namespace vsm {

std::shared_ptr<TToSphereEmiter> TToSphereEmiter::add(float ax, float ay, int r, int g, int b, int runex,
                                                      int runey, int colour) {
    auto e = std::make_shared<TToSphereEmiter>();
    int tx = 0, ty = 0;
    magicSphere.GetColorXY(colour, tx, ty);
    e->bx = static_cast<float>(tx);
    e->by = static_cast<float>(ty);
    e->maxCount = 50;
    e->dt = 0.02f;
    e->ax = ax;
    e->ay = ay;
    e->_pickControlPoint();
    e->r = r;
    e->g = g;
    e->b = b;
    e->runex = runex;
    e->runey = runey;
    volcanoList.AddLast(e);
    return e;
}

void TToSphereEmiter::_update() {
    if (counter != 45) return;
    if (runex >= 0 && runex < BOARD_CELLS && runey >= 0 && runey < BOARD_CELLS)
        board.highlightLayer[runex][runey] = 0;
}

} // namespace vsm
