// TColor: channel split of a packed ARGB colour.
#include "widgets/TColor.h"

namespace vsm {

int TColor::Color(int packed) {
    argb = packed;
    r = Red(packed);
    g = Green(packed);
    b = Blue(packed);
    a = Alpha(packed);
    return 0;
}

// The channels are the unsigned bytes of the 32-bit pattern, so -1 gives 255 in each.
uint8_t TColor::Red(int packed) {
    return static_cast<uint8_t>(static_cast<uint32_t>(packed) >> 16);
}
uint8_t TColor::Green(int packed) {
    return static_cast<uint8_t>(static_cast<uint32_t>(packed) >> 8);
}
uint8_t TColor::Blue(int packed) {
    return static_cast<uint8_t>(static_cast<uint32_t>(packed));
}
uint8_t TColor::Alpha(int packed) {
    return static_cast<uint8_t>(static_cast<uint32_t>(packed) >> 24);
}

ColorPtr CreateColor(int argb) {
    auto c = std::make_shared<TColor>();
    c->Color(argb);
    return c;
}

} // namespace vsm
