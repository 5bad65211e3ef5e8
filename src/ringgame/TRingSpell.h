// TRingSpell: one of the six spell icons that orbit the ring and count the spells won.
#pragma once

#include "platform/Graphics.h"

#include <array>
#include <memory>
#include <string>

namespace vsm {

class TRingSpell;
using RingSpellPtr = std::shared_ptr<TRingSpell>;

class TRingSpell {
  public:
    virtual ~TRingSpell() = default;

    float range = 0; // distance from the ring's centre at scale 1; negative is the far side
    float angle = 0; // polar angle in degrees before the ring's rotation
    int kind = 0;    // spell kind 1..6
    int frame1 = 0;  // frame fading out
    int frame2 = 1;  // frame fading in
    float alpha1 = 1.0f;
    float alpha2 = 0.0f;
    int counter = 0; // spells of this kind won in the running stage; 0 hides the icon
    std::array<ImagePtr, 5> image;

    // Returns a new icon whose five frames load from bDir + folder + "/" + files[i], each with its
    // handle at its centre; a frame that fails to load stays empty and draws nothing.
    static RingSpellPtr Create(float range, float angle, int kind, const std::string& folder,
                               const std::array<std::string, 5>& files);
    // Screen spot of the icon around the ring centre (cx, cy) at the ring's scale and rotation.
    void Spot(int cx, int cy, float scale, float rot, int& px, int& py) const;
    // While counter > 0: advances the cross-fade and draws the two frames at the spot with the
    // scale and alpha given; leaves scale and alpha set. Draws nothing and stands still at 0.
    int Draw(int cx, int cy, float scale, float rot, float alpha);
    // Starts one ring spark emitter at the icon's spot.
    int MakeSparks(int cx, int cy, float scale, float rot);
};

} // namespace vsm
