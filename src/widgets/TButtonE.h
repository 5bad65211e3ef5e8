// TButtonE family: buttons that hold a fixed rectangle of four floats and read the platform's
// pointer directly, with their menus TMenuE and the radio group TMenuA.
#pragma once

#include "platform/Graphics.h"
#include "widgets/TImageSource.h"
#include "widgets/TObject.h"

#include <list>
#include <memory>
#include <string>

namespace vsm {

class TButtonE;
using ButtonEPtr = std::shared_ptr<TButtonE>;

// The family's base: top-left corner and size, no origin, offset, scale or alpha, and no latched
// click. Every operation does nothing and returns 0.
class TButtonE : public TObject {
  public:
    int visible = 1;
    int enable = 1;
    int id = 0;
    float x = 0, y = 0, width = 0, height = 0;
    ImagePtr image;
    std::string text;
    int over = 0;
    int overRestricted = 0;

    // Draws the button; nothing in the base. Returns 0.
    virtual int Draw();
    // Does nothing; returns 0.
    virtual int Add(const TObjectRef& object, int value);
    // Returns the id when the button reports this poll, else 0; the base returns 0.
    virtual int State();
    // Hook run when the pointer enters; does nothing in the base.
    virtual int OnOver();
    // Hook run when the pointer leaves; does nothing in the base.
    virtual int OnOut();
    // Hook run for a click; does nothing in the base (the family keeps no latch).
    virtual int OnClick();

  protected:
    // 1 when the platform pointer lies strictly inside the rectangle.
    bool PointerInside() const;
};

// A two-cell strip button: cell `frameOnOver` while `over`, else `frameOnOut`; State returns id on
// every poll the left button is held inside.
class TAnimButtonE : public TButtonE {
  public:
    int frameOnOver = 1;
    int frameOnOut = 0;
    int frames = 2;

    // Draws the hover or normal cell at (x, y) unless hidden. Returns 0.
    int Draw() override;
    // Tracks the pointer; returns id while the left button is held inside, else 0.
    int State() override;
};

// A one-image button whose hover look is chosen by kind (0 tinted (100, 255, 200), 1 enlarged 1.15,
// 2 tinted (200, 200, 200), other kinds draw nothing); State returns id while the left button is
// held inside and never clears `over`, so `over` marks the last button pressed.
class TImageButtonA : public TButtonE {
  public:
    int kind = 0;

    // Draws frame 0 at (x, y), or the hover look of kind while `over` is set, unless hidden.
    // Returns 0.
    int Draw() override;
    // Returns id while the left button is held inside, setting `over`; else 0.
    int State() override;
};

// The strip button with a text centred in its rectangle.
class TTextAnimButtonE : public TAnimButtonE {
  public:
    FontPtr font;
    float textX = 0, textY = 0;

    // Draws the button, then its text centred in the rectangle in `font`. Returns 0.
    int Draw() override;
};

// The image button with a text centred in its rectangle.
class TTextImageButtonA : public TImageButtonA {
  public:
    FontPtr font;
    float textX = 0, textY = 0;

    // Draws the button, then its text centred in the rectangle in `font`. Returns 0.
    int Draw() override;
};

using TextAnimButtonEPtr = std::shared_ptr<TTextAnimButtonE>;
using TextImageButtonAPtr = std::shared_ptr<TTextImageButtonA>;

// Returns a new text strip button: a non-empty path is loaded as a pixmap cut into two cells of half
// its width; an image is used whole. A path that fails notifies "Can't load image: " and the
// path; any other source notifies "Invalid object type"; the button then has no image and a
// zero-size rectangle. handle 1 centres the rectangle on (x, y).
TextAnimButtonEPtr CreateTextAnimButtonE(const TImageSource& source, float x, float y, int id,
                                         const std::string& text, const FontPtr& font, int handle,
                                         float textX, float textY);

// Returns a new text image button: a non-empty path is loaded as one image; an image is used
// whole; failures notify as for CreateTextAnimButtonE.
TextImageButtonAPtr CreateTextImageButtonA(const TImageSource& source, float x, float y, int id,
                                           const std::string& text, const FontPtr& font, int handle,
                                           float textX, float textY, int kind);

// What this family's two menus share: the buttons, the flags, adding, finding and drawing.
class TButtonEList : public TObject {
  public:
    std::list<ButtonEPtr> items;
    int enable = 1;
    int visible = 1;

    // Appends the button. Returns 0.
    virtual int AddItem(const ButtonEPtr& button);
    // Returns the first button with the id; null when there is none.
    virtual ButtonEPtr GetItem(int id);
    // Unless hidden: sets the alpha, draws every button, sets the alpha to 1. Returns 0.
    virtual int Draw(float alpha);
};

// The menu of TMenu over this family's buttons.
class TMenuE : public TButtonEList {
  public:
    int SelectedItem = 0;

    // Returns the first non-zero State in order; 0 when none or when hidden or disabled.
    virtual int State();
};

// A radio group: a button that reports clears `over` of every button with another id, and State
// returns 0 all the same.
class TMenuA : public TButtonEList {
  public:
    // Polls the buttons as TMenuE does and always returns 0.
    virtual int State();
    // Returns the first labelled image button whose `over` is set; null when none is.
    virtual TextImageButtonAPtr GetSelectedItem();
};

} // namespace vsm
