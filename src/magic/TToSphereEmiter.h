// TToSphereEmiter: the stream of sparks a removed rune sends to its sphere ball.
#pragma once

#include "services/TVolcanoEmiter.h"

#include <memory>

namespace vsm {

class TToSphereEmiter : public TVolcanoEmiter {
  public:
    int runex = 0; // cell whose highlight mark the flight clears
    int runey = 0;

    // Returns a new flight from (ax, ay) to the sphere ball of colour class colour (the sphere's
    // centre when no ball has it), appended to volcanoList.
    static std::shared_ptr<TToSphereEmiter> add(float ax, float ay, int r, int g, int b, int runex, int runey,
                                                int colour);
    // Clears the cell's highlight mark on the frame the 45th spark starts.
    void _update() override;
};

} // namespace vsm
