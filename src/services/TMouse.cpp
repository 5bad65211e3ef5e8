// TMouse: the pointer and button state of the frame, its keyboard aids and the game's cursor.
#include "services/TMouse.h"

#include "platform/Input.h"
#include "services/MouseSeams.h"

#include <algorithm>

namespace vsm {

TMouse mouse;

namespace {

constexpr int KEY_W = 87;
constexpr int KEY_S = 83;
constexpr int KEY_D = 68;
constexpr int KEY_A_LETTER = 65;
constexpr int SCREEN_W = 800;
constexpr int SCREEN_H = 600;

// The grid line `steps` cells from the cell holding pos (division truncating toward zero).
int CellStep(int pos, int offset, int tile, int steps) {
    return offset + ((pos - offset) / tile + steps) * tile;
}

} // namespace

void TMouse::loadCursor(const std::string& path, int hx, int hy) {
    cursor = LoadImage(path);
    if (cursor) SetImageHandle(cursor, static_cast<float>(hx), static_cast<float>(hy));
}

void TMouse::Draw(float alpha, float scale) {
    if (scale != 1.0f) return;
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetRotation(0);
    SetScale(scale, scale);
    SetAlpha(alpha);
    if (cursor) DrawImage(cursor, static_cast<float>(x), static_cast<float>(y), 0);
}

void TMouse::fetchState(int enterClicks) {
    x = MouseX();
    y = MouseY();
    leftHolded = MouseDown(1);
    rightHolded = MouseDown(2);
    leftPressed = MouseHit(1);
    rightPressed = MouseHit(2);

    if (KeyHit(KEY_SPACE)) {
        rightHolded = 1;
        leftHolded = 0;
        leftPressed = 0;
    }
    for (int key : {KEY_LCONTROL, KEY_LSHIFT, KEY_LALT}) {
        if (KeyDown(key) && (leftPressed != 0 || leftHolded != 0)) {
            rightHolded = 1;
            leftHolded = 0;
            leftPressed = 0;
        }
    }

    const TCellGrid grid = mouseSeams.CellGrid();
    const int tile = grid.tileSize;
    // The second key of a pair is read only when the first was not hit, so its hit stays pending.
    struct Move {
        int key1, key2, dx, dy;
    };
    for (const Move& m : {Move{KEY_UP, KEY_W, 0, -1}, Move{KEY_DOWN, KEY_S, 0, 1},
                          Move{KEY_RIGHT, KEY_D, 1, 0}, Move{KEY_LEFT, KEY_A_LETTER, -1, 0}}) {
        if (!(KeyHit(m.key1) || KeyHit(m.key2))) continue;
        if (tile <= 0) continue; // no grid to move on
        if (m.dy != 0) y = std::clamp(CellStep(y, grid.offsetY, tile, m.dy), 0, SCREEN_H - 1);
        if (m.dx != 0) x = std::clamp(CellStep(x, grid.offsetX, tile, m.dx), 0, SCREEN_W - 1);
        MoveMouse(x, y);
    }

    if (enterClicks != 0 && KeyHit(KEY_ENTER)) leftPressed = 1;
}

void TMouse::Clear() {
    x = 0;
    y = 0;
    leftPressed = 0;
    rightPressed = 0;
}

} // namespace vsm
