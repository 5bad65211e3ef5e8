// TRingEmiter: a point circling three times that leaves one spark a frame, fading in over the
// first turn and out over the last half turn; used by the sphere's bursts, the ring game's won
// spells and the tutorial.
#pragma once

#include "services/TList.h"

namespace vsm {

class TRingEmiter {
  public:
    float Range = 26;               // radius in pixels
    float angle = 0;                // degrees travelled, never wrapped
    float x = 0, y = 0;             // centre
    int r = 255, g = 150, b = 150;  // full-strength spark colour
    float mins = 0.5f, maxs = 1.0f; // bounds of the random spark scale
    int sparkType = 1;              // index into sparkImages

    // Appends a new emitter centred on (x, y) to ringEmiterList. A radius of 0, a colour
    // channel below 0 or a scale bound below 0 keeps that default. Returns 0: callers keep no
    // handle, an emitter always runs its three turns unless a screen clears the list.
    static int Create(int x, int y, float range, int r, int g, int b, float mins, float maxs, int sparkType);
    // One step: moves the point, leaves one spark and, past three turns, leaves the list.
    void Update();
    // Steps every live emitter once, in creation order; emitters that leave during the walk do
    // not disturb it. Draws nothing itself: the sparks draw in TSpark::UpdateAll.
    static void UpdateAll();
};

// Live ring emitters, oldest first; the list holds the only reference to each.
extern TList<TRingEmiter> ringEmiterList;

} // namespace vsm
