// CellRemoval: the common end of a rune taken by a bonus or spell effect.
#include "magic/CellRemoval.h"

#include "board/TBoardManager.h"
#include "magic/TBunusManagerA.h"
#include "magic/TMagicSphere.h"
#include "magic/TToSphereEmiter.h"

namespace vsm {

void RemoveCellRune(int x, int y, int c, float fx, float fy, int r, int g, int b, int mark) {
    if (x < 0 || x >= BOARD_CELLS || y < 0 || y >= BOARD_CELLS) return;
    TToSphereEmiter::add(fx, fy, r, g, b, x, y, c);
    magicSphere.Fill(c);
    bonusManagerAlt.Clear(x, y);
    board.highlightLayer[x][y] = mark;
    board.davarLayer[x][y] = 0;
    board.colorLayer[x][y] = 0;
    board.checkGameOver();
}

} // namespace vsm
