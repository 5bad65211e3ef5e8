// TColor: a packed 32-bit ARGB colour kept together with its four channels.
#pragma once

#include "widgets/TObject.h"

#include <cstdint>
#include <memory>

namespace vsm {

class TColor;
using ColorPtr = std::shared_ptr<TColor>;

// A colour whose channels are split out of `argb` so a widget can hand them to SetColor.
class TColor : public TObject {
  public:
    int r = 0;
    int g = 0;
    int b = 0;
    int a = 0;
    // Alpha in bits 24 to 31, red 16 to 23, green 8 to 15, blue 0 to 7.
    int argb = 0;

    // Stores the packed value and recomputes all four channels; returns 0.
    virtual int Color(int packed);
    // Each returns its channel of the argument (not of the stored fields) as 0 to 255.
    virtual uint8_t Red(int packed);
    virtual uint8_t Green(int packed);
    virtual uint8_t Blue(int packed);
    virtual uint8_t Alpha(int packed);
};

// Returns a new colour holding the packed value and its channels.
ColorPtr CreateColor(int argb);

} // namespace vsm
