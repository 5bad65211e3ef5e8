// TButton: the base of every polled button, with its flags, hover and click hooks and the
// latched click flag.
#pragma once

#include "platform/Graphics.h"
#include "widgets/TDim.h"
#include "widgets/TObject.h"

#include <memory>
#include <string>

namespace vsm {

class TButton;
using ButtonPtr = std::shared_ptr<TButton>;

// A button a screen polls once a frame: State reports `id` when clicked (0 otherwise) and keeps
// `over` up to date; Draw paints the normal or hover look. The base draws and reports nothing.
class TButton : public TObject {
  public:
    int visible = 1;
    int enable = 1;
    // Latched click: set by OnClick, cleared by OnOut and by isClicked.
    int clicked = 0;
    int id = 0;
    DimPtr dim;
    ImagePtr image;
    std::string text;
    // Drawing alpha of image buttons; -1 leaves the alpha in force alone.
    float alpha = 1.0f;
    // Current zoom of a smooth-zooming image button.
    float scale = 1.0f;
    // 1 while the pointer was inside `dim` at the last State poll.
    int over = 0;
    int overRestricted = 0;

    // Paints nothing in the base; returns 0.
    virtual int Draw();
    // Does nothing; returns 0.
    virtual int Add(const TObjectRef& object, int value);
    // Returns the id when clicked this poll, else 0; the base always returns 0.
    virtual int State();
    // Hook run when the pointer enters; does nothing in the base.
    virtual int OnOver();
    // Hook run when the pointer leaves; drops the latched click.
    virtual int OnOut();
    // Hook run for a click; latches it.
    virtual int OnClick();
    // Returns 1 and clears the latch when a click was latched, else 0.
    virtual int isClicked();
    // Sets the origin, smooth zoom and highlight of an image button; nothing in the base.
    virtual int setView(int newOrigin, int smoothZoom, const ImagePtr& highlight);
    // Sets `enable` and `visible`; returns 0.
    virtual int setState(int newEnable, int newVisible);

  protected:
    // Draws the image's cell at the rectangle zoomed about its centre, then sets the scale back to
    // 1; draws nothing without a rectangle.
    void DrawZoomed(int cell, float zoom);
};

} // namespace vsm
