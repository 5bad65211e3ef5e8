// TPuzzleButton: one tile of the picture puzzle — its cell, selection mark, flight and lock.
#include "puzzle/TPuzzleButton.h"

#include "platform/Input.h"
#include "services/TMouse.h"

#include <algorithm>

namespace vsm {

int TPuzzleButton::gridWidth = 1;
int TPuzzleButton::gridHeight = 1;
ImagePtr TPuzzleButton::ramka;
ImagePtr TPuzzleButton::ramkaOn;

namespace {

constexpr int FLIGHT_STEPS = 25;

double Bezier(double a, double b, double c, double d, double t) {
    const double u = 1.0 - t;
    return a * u * u * u + 3.0 * b * u * u * t + 3.0 * c * u * t * t + d * t * t * t;
}

// Draws the tile frame stretched over the tile's rectangle.
void DrawFrameOver(const TDim& dim) {
    const int w = ImageWidth(TPuzzleButton::ramka);
    const int h = ImageHeight(TPuzzleButton::ramka);
    if (w <= 0 || h <= 0) return;
    SetScale(dim.width / static_cast<float>(w), dim.height / static_cast<float>(h));
    DrawImage(TPuzzleButton::ramka, dim.x, dim.y);
    SetScale(1, 1);
}

} // namespace

PuzzleButtonPtr CreatePuzzleButton(const ImagePtr& image, int id, float parentX, float parentY, int x, int y,
                                   int frame, int gridWidth, int gridHeight) {
    auto tile = std::make_shared<TPuzzleButton>();
    tile->id = id;
    tile->currentNumber = id;
    tile->targetNumber = id;
    tile->parentX = parentX;
    tile->parentY = parentY;
    tile->x = x;
    tile->y = y;
    tile->frame = frame;
    TPuzzleButton::gridWidth = std::max(1, gridWidth);
    TPuzzleButton::gridHeight = std::max(1, gridHeight);
    tile->image = image;
    tile->dim =
        CreateDim(0, 0, static_cast<float>(ImageWidth(image)), static_cast<float>(ImageHeight(image)));
    tile->SetPosition();
    return tile;
}

int TPuzzleButton::SetPosition() {
    x = currentNumber % gridWidth;
    y = currentNumber / gridWidth;
    dim->x = parentX + static_cast<float>(x) * dim->width;
    dim->y = parentY + static_cast<float>(y) * dim->height;
    return 0;
}

int TPuzzleButton::IsInPlace() const {
    return currentNumber == id ? 1 : 0;
}

int TPuzzleButton::IsFlying() const {
    return targetNumber != currentNumber ? 1 : 0;
}

int TPuzzleButton::Prepare(int direction) {
    const float k = static_cast<float>(direction);
    const float tx = parentX + static_cast<float>(targetNumber % gridWidth) * dim->width;
    const float ty = parentY + static_cast<float>(targetNumber / gridWidth) * dim->height;
    const float sx = dim->x;
    const float sy = dim->y;
    if (sx != tx && sy != ty) {
        ax = sx, ay = sy;
        bx = sx + 150 * k, by = sy;
        cx = tx + 150 * k, cy = ty;
        dx = tx, dy = ty;
    } else if (sy == ty && sx != tx) {
        ax = sx, ay = sy;
        bx = sx, by = sy - 40 * k;
        cx = tx, cy = sy - 40 * k;
        dx = tx, dy = ty;
    } else if (sx == tx && sy != ty) {
        ax = sx, ay = sy;
        bx = sx - 40 * k, by = sy;
        cx = sx - 40 * k, cy = ty;
        dx = tx, dy = ty;
    }
    steps = 0;
    counter = 0;
    marked = 0;
    return 0;
}

int TPuzzleButton::Move() {
    counter += 0.04f;
    if (counter > 1.0f || counter < -1.0f) counter = 0;
    const double t = counter;
    dim->x = static_cast<float>(Bezier(ax, bx, cx, dx, t));
    dim->y = static_cast<float>(Bezier(ay, by, cy, dy, t));
    ++steps;
    if (steps >= FLIGHT_STEPS) {
        currentNumber = targetNumber;
        SetPosition();
    }
    return 0;
}

int TPuzzleButton::State() {
    clickedNow = 0;
    if (enable == 0) return 0;
    // A tile put home without a flight (by a hint or a restored layout) locks before it can take
    // a click: marked, it would lock all the same and be swapped away from home, locked there for
    // good, and the picture could never be finished.
    if (IsInPlace() != 0 && IsFlying() == 0) {
        enable = 0;
        marked = 0;
        return 0;
    }
    if (dim->InXY(static_cast<float>(MouseX()), static_cast<float>(MouseY())) != 0) {
        if (over == 0) OnOver();
        over = 1;
        if (mouse.leftPressed != 0) {
            OnClick();
            marked = marked != 0 ? 0 : 1;
            clickedNow = 1;
            return id;
        }
    } else {
        if (over == 1) OnOut();
        over = 0;
    }
    if (IsFlying() != 0) Move();
    if (IsInPlace() != 0 && IsFlying() == 0) enable = 0;
    return 0;
}

int TPuzzleButton::Draw() {
    if (enable == 0) return DrawOnPlace();
    if (over == 0) return DrawOnOut();
    return DrawOnOver();
}

int TPuzzleButton::DrawOnPlace() {
    SetColor(200, 200, 200);
    DrawImage(image, dim->x, dim->y, id);
    SetColor(255, 255, 255);
    return 0;
}

int TPuzzleButton::DrawOnOut() {
    DrawImage(image, dim->x, dim->y, frame);
    SetColor(255, 255, 255);
    DrawFrameOver(*dim);
    SetColor(255, 255, 255);
    if (marked == 1) DrawMark();
    return 0;
}

int TPuzzleButton::DrawOnOver() {
    DrawImage(image, dim->x, dim->y, frame);
    DrawOver();
    return 0;
}

int TPuzzleButton::DrawOver() {
    DrawFrameOver(*dim);
    return 0;
}

int TPuzzleButton::DrawMark() {
    SetAlpha(1);
    const float sx = dim->width / 116.0f;
    const float sy = dim->height / 116.0f;
    SetScale(sx, sy);
    DrawImage(ramkaOn, dim->x - 6 * sx, dim->y - 6 * sy);
    SetScale(1, 1);
    return 0;
}

int TPuzzleButton::DrawShaded() {
    SetColor(120, 120, 120);
    DrawImage(image, parentX + static_cast<float>(x) * dim->width,
              parentY + static_cast<float>(y) * dim->height, x + y * gridWidth);
    SetColor(255, 255, 255);
    return 0;
}

} // namespace vsm
