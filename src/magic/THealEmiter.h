// THealEmiter: the heal's ring of flames that turns one stone back into a rune.
#pragma once

#include "services/TVolcanoEmiter.h"

#include <cstdint>
#include <memory>

namespace vsm {

class THealEmiter : public TVolcanoEmiter {
  public:
    int runex = 0, runey = 0;
    int runeDA = 0;    // 1 until the cell is healed
    int64_t Timer = 0; // ms clock (MilliSecs64) at creation

    // Returns a new burst at the cell centre (ax, ay), appended to volcanoList.
    static std::shared_ptr<THealEmiter> add(float ax, float ay, float runex, int runey);
    // Starts 6 fire sparks.
    void AddEntity() override;
    // Heals the stone once the flames die down (an unknown id or no usable allowed rune leaves
    // the cell as it is); resets rotation and handle.
    void _update() override;
};

} // namespace vsm
