// TAnimButton: a button drawn from a strip of cells that reports its id on every poll while the
// left button is held over it; TTextAnimButton adds a centred label.
#pragma once

#include "widgets/TButton.h"
#include "widgets/TImageSource.h"
#include "widgets/TText.h"

#include <memory>

namespace vsm {

class TAnimButton;
using AnimButtonPtr = std::shared_ptr<TAnimButton>;

// A strip button: cell `frameOnOut` normally, cell `frameOnOver` in the hover look of `kind`
// (0 tinted (100, 255, 200), 1 enlarged 1.15, 2 tinted (200, 200, 200), any other plain). It
// never sets the drawing alpha itself.
class TAnimButton : public TButton {
  public:
    int frameOnOver = 1;
    int frameOnOut = 0;
    int frames = 2;
    int kind = 0;

    // Draws the hover look when `over` is set, else the normal cell; nothing when hidden.
    int Draw() override;
    // Tracks the pointer (MouseX, MouseY) against dim; returns id while the left button is held
    // inside, else 0; 0 without any change while disabled or hidden.
    int State() override;

    // The hover look chosen by kind.
    virtual int DrawOnOver();
    // The hover cell, plain.
    virtual int DrawNormal();
    // The hover cell tinted (100, 255, 200), then the colour back to white.
    virtual int DrawGlowed();
    // The hover cell at scale 1.15 about the rectangle's centre, then scales back to 1.
    virtual int DrawEnlarged();
    // The hover cell tinted (200, 200, 200), then the colour back to white.
    virtual int DrawDarkned();
    // The normal cell.
    virtual int DrawOnOut();

  protected:
    // Draws one cell at the rectangle's corner; the text variant adds its label.
    virtual void DrawCell(int cell, float zoom);
};

// Returns a new strip button: the source is loaded as a pixmap and cut into `frames` cells of
// width/frames (integer division) in one row, and the rectangle takes one cell's size. Fewer
// than one frame counts as one. A strip that fails to load gives a button with no image and a
// zero-size rectangle, which draws nothing and is never hit.
AnimButtonPtr CreateAnimButton(const TImageSource& source, const DimPtr& dim, int id, int frames,
                               int frameOnOver, int frameOnOut, float alpha, int kind);

class TTextAnimButton;
using TextAnimButtonPtr = std::shared_ptr<TTextAnimButton>;

// A two-cell strip button with a label centred on it, drawn after the cell with the button's
// alpha. The label hides the base's caption string.
class TTextAnimButton : public TAnimButton {
  public:
    TextPtr text;

  protected:
    void DrawCell(int cell, float zoom) override;
};

// Returns a new two-cell strip button labelled with `label` in the image font selected when it is
// made, centred on the rectangle and moved by the label offsets.
TextAnimButtonPtr CreateTextAnimButton(const TImageSource& source, const DimPtr& dim, int id,
                                       const std::string& label, float labelX, float labelY, int kind);

} // namespace vsm
