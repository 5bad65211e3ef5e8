// TRemoveBlockEmiter: the bomb's fire burst that empties one cell; TFireEntity is the fire spark
// it shares with the heal.
#pragma once

#include "services/TVolcanoEmiter.h"

#include <cstdint>
#include <memory>

namespace vsm {

class TFireEntity : public TVolcanoEntity {
  public:
    int rotation = 0; // drawing angle in degrees

    // Returns a new spark at A.
    static std::shared_ptr<TFireEntity> Create(float ax, float ay, float bx, float by, float mx, float my,
                                               float dt, float scale);
    // Draws the spark orange to red, growing, turned and centred; leaves rotation and the image's
    // handle set (the emitter resets them).
    void Draw(const ImagePtr& image, int halfWidth, int halfHeight) override;
};

// Adds `per` fire sparks from (ax, ay) to random points of a circle that shrinks over the last
// fifth of maxCount spawns; the end of the last one is written to bx, by.
void SpawnFireSparks(TVolcanoEmiter& e, int per, float radius);

class TRemoveBlockEmiter : public TVolcanoEmiter {
  public:
    int runex = 0, runey = 0;
    int runeDA = 0;    // 1 until the cell is dealt with
    int64_t Timer = 0; // ms clock (MilliSecs64) at creation
    int lag = 0;       // ms before it starts

    // Returns a new waiting burst at the cell centre (ax, ay), appended to volcanoList.
    static std::shared_ptr<TRemoveBlockEmiter> add(float ax, float ay, float runex, int runey, int lag,
                                                   int count);
    // Starts 11 fire sparks.
    void AddEntity() override;
    // Starts after the lag; empties the cell once most sparks have died; resets rotation and
    // handle.
    void _update() override;
};

} // namespace vsm
