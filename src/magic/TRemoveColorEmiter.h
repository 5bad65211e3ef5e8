// TRemoveRandomColorsEmiter and TRemoveColorEmiter: the streams of the vanish and the drain that
// empty one chosen cell each when their first spark lands.
#pragma once

#include "services/TVolcanoEmiter.h"

#include <cstdint>
#include <memory>

namespace vsm {

// Shared fields and landing of the two colour removals.
class TColorLandingEmiter : public TVolcanoEmiter {
  public:
    int runex = 0, runey = 0;
    int runec = 0;     // colour class written to the highlight mark at the landing
    int Flag = 0;      // 1 until the landing
    int64_t Timer = 0; // ms clock (MilliSecs64) at creation

  protected:
    void _setup(float ax, float ay, float bx, float by, int r, int g, int b, int runex, int runey, int runec);
    // Empties the cell once the first spark has landed; the vanish colours the flight after the
    // cell's colour class, the drain with its own colour.
    void _land(bool vanishColours);
};

class TRemoveRandomColorsEmiter : public TColorLandingEmiter {
  public:
    // Returns a new vanish stream appended to volcanoList.
    static std::shared_ptr<TRemoveRandomColorsEmiter> add(float ax, float ay, float bx, float by, int r,
                                                          int g, int b, int runex, int runey, int runec);
    // Shimmers the colour; empties the cell at the landing.
    void _update() override;
};

class TRemoveColorEmiter : public TColorLandingEmiter {
  public:
    // Returns a new drain stream appended to volcanoList.
    static std::shared_ptr<TRemoveColorEmiter> add(float ax, float ay, float bx, float by, int r, int g,
                                                   int b, int runex, int runey, int runec);
    // Empties the cell at the landing.
    void _update() override;
};

} // namespace vsm
