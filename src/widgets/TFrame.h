// TFrame: decorations around a rectangle — the nine-slice image frame and the solid colour frame.
#pragma once

#include "platform/Graphics.h"
#include "widgets/TColor.h"
#include "widgets/TDim.h"
#include "widgets/TImageSource.h"
#include "widgets/TObject.h"

#include <list>
#include <memory>

namespace vsm {

class TFrame;
class TImageFrame;
class TSliceImage;
class TColorFrame;
using FramePtr = std::shared_ptr<TFrame>;
using ImageFramePtr = std::shared_ptr<TImageFrame>;
using SliceImagePtr = std::shared_ptr<TSliceImage>;
using ColorFramePtr = std::shared_ptr<TColorFrame>;

// The base frame: draws nothing and never reports a click. Only the raw x, y, width and height
// of `dim` (and Size for the colour frame) are used.
class TFrame : public TObject {
  public:
    DimPtr dim;
    int enable = 1;
    int visible = 1;
    // 1: an open-top frame, the top row of pieces is left out.
    int kind = 0;
    float alpha = 1.0f;
    // 1: the centre piece (or fill) is drawn.
    int background = 0;

    // Draws nothing in the base; returns 0.
    virtual int Draw();
    // Always returns 0.
    virtual int State();
    // Does nothing in the base; returns 0.
    virtual int AddImage(const TImageSource& source, int position);
    // Returns the piece of that position; null in the base.
    virtual SliceImagePtr GetImage(int position);
};

// One of the nine pieces: 0 top-left, 1 top, 2 top-right, 3 left, 4 right, 5 bottom-left,
// 6 bottom, 7 bottom-right, 8 centre.
class TSliceImage : public TObject {
  public:
    ImagePtr image;
    int position = 0;

    // Draws the piece around the rectangle (x, y, w, h) at the alpha, stretched along the edge it
    // covers, then sets the drawing scale and alpha back to 1. A piece without a picture draws
    // nothing. Returns 0.
    virtual int Draw(const DimPtr& rect, float alpha);
};

// Returns a new piece; a source that yields no picture prints "frame piece image missing: " and
// the path, and the piece stays without an image.
SliceImagePtr CreateSliceImage(const TImageSource& source, int position);

// A nine-slice frame: corners and edges outside the rectangle, edges stretched to its width or
// height, the optional centre stretched over it and drawn last.
class TImageFrame : public TFrame {
  public:
    std::list<SliceImagePtr> images;

    // Draws the pieces unless hidden; a piece never added or without a picture is skipped. The
    // drawing alpha and scale are 1 afterwards. Returns 0.
    int Draw() override;
    // Loads the source and appends it as the piece of that position. Returns 0.
    int AddImage(const TImageSource& source, int position) override;
    // Returns the first piece of that position; null when there is none.
    SliceImagePtr GetImage(int position) override;
};

// Returns a new visible, enabled image frame with no pieces yet.
ImageFramePtr CreateImageFrame(const DimPtr& dim, int background, float alpha, int kind);

// A solid border in `color`, dim.Size thick, around the outside of the rectangle, and an
// optional fill in `bgcolor`.
class TColorFrame : public TFrame {
  public:
    ColorPtr color;
    ColorPtr bgcolor;

    // Draws the border (without its top bar when kind is 1) and then the fill at the frame's
    // alpha, and sets white and alpha 1 afterwards. Returns 0.
    int Draw() override;
};

// Returns a new visible, enabled colour frame.
ColorFramePtr CreateColorFrame(const DimPtr& dim, const ColorPtr& color, int background,
                               const ColorPtr& bgcolor, float alpha, int kind);

} // namespace vsm
