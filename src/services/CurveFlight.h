// CurveFlight: one frame of a flight along a quadratic curve, shared by particles and comets.
#pragma once

#include "services/TDeltaTime.h"

namespace vsm {

// Advances the curve parameter by dt times the frame factor; once past the end it is held just
// beyond 1 for one frame, then set to 1 and the flight marked inactive.
inline void StepFlight(float& t, float dt, int& active) {
    if (t > 1) {
        t = 1;
        active = 0;
    } else {
        t = static_cast<float>(t + dt * delta);
        if (t > 1) t = 1.001f;
    }
}

// Returns one coordinate of the point at t on the quadratic curve a -> m -> b.
inline float CurvePoint(float a, float m, float b, float t) {
    return a + 2 * t * (m - a) + t * t * (b - 2 * m + a);
}

} // namespace vsm
