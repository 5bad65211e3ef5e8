// TRemoveLineEmiter: the fire run along a row or column and its wobbling sparks.
#include "magic/TRemoveLineEmiter.h"

#include "board/TBoardManager.h"
#include "board/TRuneManager.h"
#include "magic/CellRemoval.h"
#include "platform/System.h"
#include "services/TDeltaTime.h"

#include <cmath>
#include <cstdlib>

namespace vsm {

std::shared_ptr<TRemoveLineEntity> TRemoveLineEntity::Create(float ax, float ay, float bx, float by, float mx,
                                                             float my, float dt, float scale) {
    auto e = CreateAs<TRemoveLineEntity>(ax, ay, bx, by, mx, my, dt, scale);
    e->r = Rand(180, 255);
    e->g = Rand(160, 240);
    e->b = Rand(60, 140);
    e->yv = static_cast<float>(Rnd(-2, 2));
    return e;
}

void TRemoveLineEntity::Update() {
    // The spark moves along the curve as any particle does; the wobble then shifts it across.
    TVolcanoEntity::Update();
    const float step = static_cast<float>(2 * delta);
    yv += direction == 1 ? step : -step;
    if (yv > myv) direction = 0;
    if (yv < -myv) direction = 1;
    if (horizontal == 1)
        py += yv;
    else
        px += yv;
    const int q = myv != 0 ? std::abs(static_cast<int>(yv / myv)) : 0;
    r = 255;
    g = Rand(100 * (1 + q), 100);
    b = Rand(20 * (1 + q), 20);
}

std::shared_ptr<TRemoveLineEmiter> TRemoveLineEmiter::add(float ax, float ay, float bx, float by,
                                                          int horizontal) {
    auto e = std::make_shared<TRemoveLineEmiter>();
    e->active = 1;
    e->Timer = MilliSecs64();
    e->maxCount = 100;
    e->dt = 0.03f;
    e->ax = ax;
    e->ay = ay;
    e->bx = bx;
    e->by = by;
    e->mx = ax;
    e->my = ay;
    e->horizontal = horizontal;
    e->boardOffsetX = board.offsetX;
    e->boardOffsetY = board.offsetY;
    e->boardTileSize = board.tileSize;
    volcanoList.AddLast(e);
    return e;
}

void TRemoveLineEmiter::AddEntity() {
    auto s = TRemoveLineEntity::Create(ax, ay, bx, by, mx, my, dt, 0.1f + 1.4f * (1 - counter / maxCount));
    s->myv = 2 + 5 * counter / maxCount;
    s->horizontal = horizontal;
    entities.AddLast(s);
}

int BoardCellOf(float v, int offset, int tileSize) {
    if (tileSize <= 0) return -1;
    const double cell = std::floor((static_cast<double>(v) - offset) / tileSize);
    if (cell < 0 || cell > BOARD_CELLS - 1) return -1;
    return static_cast<int>(cell);
}

namespace {

// Cell index along an axis without the board limits (floor, so half a cell before 0 is -1).
int RawCell(float v, int offset, int tileSize) {
    if (tileSize <= 0) return -1;
    const double cell = std::floor((static_cast<double>(v) - offset) / tileSize);
    if (cell < -1) return -1;
    if (cell > BOARD_CELLS) return BOARD_CELLS;
    return static_cast<int>(cell);
}

} // namespace

void TRemoveLineEmiter::_update() {
    const auto lead = entities.First();
    if (!lead) return;
    const bool alongX = horizontal == 1;
    // The cross coordinate is the run's own row or column; the wobble never leaves it.
    const int t = boardTileSize;
    const int fixed = alongX ? BoardCellOf(ay, boardOffsetY, t) : BoardCellOf(ax, boardOffsetX, t);
    if (fixed < 0) return;
    const int start = alongX ? RawCell(ax, boardOffsetX, t) : RawCell(ay, boardOffsetY, t);
    const int end = alongX ? RawCell(bx, boardOffsetX, t) : RawCell(by, boardOffsetY, t);
    const int dir = end >= start ? 1 : -1;
    const int cur = alongX ? RawCell(lead->px, boardOffsetX, t) : RawCell(lead->py, boardOffsetY, t);
    int from = lastCell == -2 ? start : lastCell;
    // Only cells ahead of the last one tested are swept; a spark behind it tests its own cell.
    if ((cur - from) * dir < 0)
        from = cur;
    else if (lastCell != -2 && from != cur)
        from += dir;
    for (int c = from;; c += dir) {
        const int cx = alongX ? c : fixed;
        const int cy = alongX ? fixed : c;
        if (cx >= 0 && cx < BOARD_CELLS && cy >= 0 && cy < BOARD_CELLS && board.davarLayer[cx][cy] != 0) {
            const int colour = board.colorLayer[cx][cy];
            r = davar.getRuneRGB(colour, 1);
            g = davar.getRuneRGB(colour, 2);
            b = davar.getRuneRGB(colour, 3);
            // A cell passed over between two frames sends its flight from its own centre.
            const bool here = c == cur;
            const float fx = here ? lead->px : static_cast<float>(boardOffsetX + cx * t + t / 2);
            const float fy = here ? lead->py : static_cast<float>(boardOffsetY + cy * t + t / 2);
            RemoveCellRune(cx, cy, colour, fx, fy, r, g, b, colour);
        }
        if (c == cur) break;
    }
    if (lastCell == -2 || (cur - lastCell) * dir > 0) lastCell = cur;
}

} // namespace vsm
