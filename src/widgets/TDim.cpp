// TDim: edges and hit tests of the layout rectangle.
#include "widgets/TDim.h"

namespace vsm {

float TDim::Left() {
    if (origin == 0) return x + width * (1 - scalex) / 2 + xoffset;
    if (origin == 1) return x - width * scalex / 2 + xoffset;
    return 0;
}

float TDim::Top() {
    if (origin == 0) return y + height * (1 - scaley) / 2 + yoffset;
    if (origin == 1) return y - height * scaley / 2 + yoffset;
    return 0;
}

float TDim::Bottom() {
    return Top() + height * scaley;
}

float TDim::Right() {
    return Left() + width * scalex;
}

int TDim::InXY(float px, float py) {
    return InX(px) && InY(py) ? 1 : 0;
}

int TDim::InX(float px) {
    return Left() < px && px < Right() ? 1 : 0;
}

int TDim::InY(float py) {
    return Top() < py && py < Bottom() ? 1 : 0;
}

int TDim::In(const DimPtr& other) {
    return other ? InXY(other->x, other->y) : 0;
}

DimPtr CreateDim(float x, float y, float width, float height, float Size, float scalex, float scaley,
                 int origin) {
    auto d = std::make_shared<TDim>();
    d->x = x;
    d->y = y;
    d->width = width;
    d->height = height;
    d->Size = Size;
    d->scalex = scalex;
    d->scaley = scaley;
    d->origin = origin;
    return d;
}

} // namespace vsm
