// TBoardManager: the placement test and commit of a piece, the game-over search, the board's
// extent and the pointer-over-board test.
#include "board/BoardSeams.h"
#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "platform/System.h"
#include "services/TMouse.h"
#include "services/Sound.h"

namespace vsm {

namespace {

bool OnBoard(int x, int y) {
    return x >= 0 && x < BOARD_CELLS && y >= 0 && y < BOARD_CELLS;
}

} // namespace

int TBoardManager::_checkMove(const TBlock& block, int x, int y, int dx, int dy, int i, int j) {
    if (i < 0 || i > 3 || j < 0 || j > 3) return 0;
    if (!(block.Set[i][j] > 0)) return 1;
    int tx = x + dx, ty = y + dy;
    if (!OnBoard(tx, ty)) return 0;
    int answer = 1;
    if (grid[tx][ty] == 0) answer = 0;
    if (davarLayer[tx][ty] > 0) answer = 0;
    if (boardSeams.BossCheckMove(tx, ty) != 0) answer = 0;
    return answer;
}

int TBoardManager::placeBlock(TBlock* block, int x, int y, int realMove) {
    const int64_t now = MilliSecs64();
    if (!block) block = blocks.actualBlock.get();
    if (!block) return 0;
    if (x == -1) {
        x = blocks.getXR(0);
        y = blocks.getYR(0);
    }
    int d = blocks.direction;
    bool legal = true;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            int dx, dy;
            RotateCell(d, i, j, dx, dy);
            if (_checkMove(*block, x, y, dx, dy, i, j) == 0) legal = false;
        }
    }
    if (!legal) {
        if (realMove) playSound2(noPlace, nullptr, 0, 1.0f);
        return 0;
    }
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            if (!(block->Set[i][j] > 0)) continue;
            int dx, dy;
            RotateCell(d, i, j, dx, dy);
            davarLayer[x + dx][y + dy] = block->Set[i][j];
            colorLayer[x + dx][y + dy] = block->color[i][j];
            timerLayer[x + dx][y + dy] = now;
        }
    }
    if (!realMove) return 1;
    blocks.actualBlock = nullptr; // block may have been the held piece: not used past here
    playSound2(placeBlockSnd, nullptr, 0, 1.0f);
    boardSeams.AddUsedBlocks(1);
    return 1;
}

int TBoardManager::checkGameOver() {
    if (boardSeams.TimeOver() != 0) {
        gameOver = 1;
        return 0;
    }
    const TBlock* block = blocks.actualBlock.get();
    if (!block) return 0;
    gameOver = 1;
    for (int d = 0; d < 4; ++d) {
        for (int x = 0; x < BOARD_CELLS; ++x) {
            for (int y = 0; y < BOARD_CELLS; ++y) {
                bool fits = true;
                for (int i = 0; i < 4 && fits; ++i) {
                    for (int j = 0; j < 4 && fits; ++j) {
                        int dx, dy;
                        RotateCell(d, i, j, dx, dy);
                        if (_checkMove(*block, x, y, dx, dy, i, j) == 0) fits = false;
                    }
                }
                if (fits) {
                    gameOver = 0;
                    return 0;
                }
            }
        }
    }
    return 0;
}

int TBoardManager::getWidth() {
    maxx = 0;
    minx = 14;
    for (int x = 0; x < BOARD_CELLS; ++x) {
        for (int y = 0; y < BOARD_CELLS; ++y) {
            if (grid[x][y] == 0) continue;
            if (x < minx) minx = x;
            if (x > maxx) maxx = x;
        }
    }
    width = maxx >= minx ? maxx - minx + 1 : 0;
    return width;
}

int TBoardManager::getHeight() {
    maxy = 0;
    miny = 14;
    for (int x = 0; x < BOARD_CELLS; ++x) {
        for (int y = 0; y < BOARD_CELLS; ++y) {
            if (grid[x][y] == 0) continue;
            if (y < miny) miny = y;
            if (y > maxy) maxy = y;
        }
    }
    height = maxy >= miny ? maxy - miny + 1 : 0;
    return height;
}

int TBoardManager::GetMiddleX() {
    getWidth();
    return static_cast<int>((minx + width / 2.0) * tileSize);
}

int TBoardManager::GetMiddleY() {
    getHeight();
    return static_cast<int>((miny + height / 2.0) * tileSize);
}

int TBoardManager::MouseOnBoard() {
    if (wjazd > 0) return 0;
    if (tileSize == 0) return 0;
    int cx = (mouse.x - offsetX) / tileSize;
    int cy = (mouse.y - offsetY) / tileSize;
    if (!OnBoard(cx, cy)) return 0;
    if (grid[cx][cy] != 0) return 1;
    static const int n[4][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
    for (const auto& o : n) {
        int x = cx + o[0], y = cy + o[1];
        if (OnBoard(x, y) && grid[x][y] != 0) return 1;
    }
    return 0;
}

} // namespace vsm
