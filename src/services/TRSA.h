// TRSA: the rotation, alpha and scale that drawable objects such as the board carry.
#pragma once

namespace vsm {

// Base of drawable objects; all three values are 0 until the derived type sets its own.
class TRSA {
  public:
    virtual ~TRSA() = default;
    float rotation = 0; // degrees
    float alpha = 0;    // 0 transparent .. 1 opaque
    float scale = 0;
};

} // namespace vsm
