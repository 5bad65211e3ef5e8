// TGrid: the abstract base of a grid of clickable cells.
#pragma once

#include "widgets/TButton.h"
#include "widgets/TDim.h"
#include "widgets/TObject.h"

#include <list>
#include <memory>

namespace vsm {

// A grid whose subclass fills the fields, appends its cells to `items` row by row and polls and
// draws them; while `enable` is 0 the subclass's State reports nothing.
class TGrid : public TObject {
  public:
    // The cells, row by row, left to right.
    std::list<ButtonPtr> items;
    DimPtr dim;
    float itemWidth = 0;
    float itemHeight = 0;
    int width = 0;
    int height = 0;
    int enable = 1;

    // Does nothing in the base; returns 0.
    virtual int State() { return 0; }
    // Does nothing in the base; returns 0.
    virtual int Draw() { return 0; }
};

} // namespace vsm
