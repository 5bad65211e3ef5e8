// TImageButton: a one-image button that reports its id once per left press over it, with tinted,
// enlarged or smoothly zooming hover looks; TTextImageButton adds a centred label.
#pragma once

#include "widgets/TButton.h"
#include "widgets/TImageSource.h"
#include "widgets/TText.h"

#include <memory>

namespace vsm {

class TImageButton;
using ImageButtonPtr = std::shared_ptr<TImageButton>;

// An image button: frame 0 of `image` at the rectangle's corner; while hovered the look of
// `kind` (0 tinted (100, 255, 200), 1 enlarged 1.14 or zooming smoothly to it over the optional
// highlight `podswietlacz`, 2 tinted (200, 200, 200), any other kind draws nothing).
class TImageButton : public TButton {
  public:
    int kind = 0;
    int smoothZooming = 0;
    ImagePtr podswietlacz;

    // Draws the hover or normal look at the button's alpha (-1 keeps the alpha in force) and sets
    // the alpha back to 1 afterwards; nothing when hidden.
    int Draw() override;
    // Tracks the pointer (MouseX, MouseY) against dim; returns id on the poll that sees a fresh
    // left press (mouse.leftPressed) inside, else 0; 0 without any change while disabled or hidden.
    int State() override;
    // Sets dim's origin, the smooth-zoom flag and the highlight image; returns 0.
    int setView(int newOrigin, int smoothZoom, const ImagePtr& highlight) override;

    // The hover look chosen by kind.
    virtual int DrawOnOver();
    // The normal look; a smooth-zooming button shrinks back by 0.02 a drawn frame.
    virtual int DrawOnOut();
    // The image tinted (100, 255, 200), then the colour back to white.
    virtual int DrawGlowed();
    // The highlight, then the image enlarged to 1.14 (growing by 0.025 a drawn frame when
    // smooth zooming); scales back to 1 afterwards.
    virtual int DrawEnlarged();
    // The image tinted (200, 200, 200), then the colour back to white.
    virtual int DrawDarkned();

  protected:
    // Draws the image at the zoom about the rectangle's centre; the text variant adds its label.
    virtual void DrawAt(float zoom);
};

// Returns a new image button: the source is loaded as an image and the rectangle takes its size.
// A picture that fails to load leaves a button with no image and a zero-size rectangle, which
// draws nothing and is never hit.
ImageButtonPtr CreateImageButton(const TImageSource& source, const DimPtr& dim, int id, float alpha,
                                 int kind);

class TTextImageButton;
using TextImageButtonPtr = std::shared_ptr<TTextImageButton>;

// An image button with a label centred on it, drawn after the image with the button's alpha;
// its enlarged look is always the fixed 1.15 without highlight or shrink step. The label hides
// the base's caption string.
class TTextImageButton : public TImageButton {
  public:
    TextPtr text;

    // The image and label at the fixed 1.15. Returns 0.
    int DrawEnlarged() override;
    // The image and label plainly. Returns 0.
    int DrawOnOut() override;

  protected:
    void DrawAt(float zoom) override;
};

// Returns a new image button labelled with `label` in the image font selected when it is made,
// centred on the rectangle and moved by the label offsets.
TextImageButtonPtr CreateTextImageButton(const TImageSource& source, const DimPtr& dim, int id,
                                         const std::string& label, int kind, float labelX, float labelY);

} // namespace vsm
