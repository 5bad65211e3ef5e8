// TDim: the floating-point layout rectangle of every widget, with origin, scale, offsets and
// strict hit tests.
#pragma once

#include "widgets/TObject.h"

#include <memory>

namespace vsm {

class TDim;
using DimPtr = std::shared_ptr<TDim>;

// A rectangle whose position names its top-left corner (origin 0) or its centre (origin 1),
// scaled about its own centre and then moved by the offsets. Shared by reference: the widgets
// that hold one write their zoom, origin and offsets into it.
class TDim : public TObject {
  public:
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;
    // A spare size for the widgets' own use (a colour frame's border thickness).
    float Size = 0;
    int origin = 0;
    float scalex = 0;
    float scaley = 0;
    float xoffset = 0;
    float yoffset = 0;

    // Screen edges; Left and Top are 0 for an origin other than 0 or 1.
    virtual float Left();
    virtual float Top();
    virtual float Bottom();
    virtual float Right();
    // 1 when the point lies strictly inside (a point on an edge is outside), else 0.
    virtual int InXY(float px, float py);
    // 1 when Left < px < Right, else 0.
    virtual int InX(float px);
    // 1 when Top < py < Bottom, else 0.
    virtual int InY(float py);
    // 1 when the other rectangle's raw (x, y) lies strictly inside this one; 0 for null.
    virtual int In(const DimPtr& other);
};

// Returns a new rectangle with those fields and both offsets 0.
DimPtr CreateDim(float x, float y, float width, float height, float Size = 0, float scalex = 1,
                 float scaley = 1, int origin = 0);

} // namespace vsm
