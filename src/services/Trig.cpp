// Trig: sine and cosine of angles in degrees.
#include "services/Trig.h"

#include <cmath>
#include <numbers>

namespace vsm {

double SinDeg(double degrees) {
    return std::sin(degrees * std::numbers::pi / 180.0);
}

double CosDeg(double degrees) {
    return std::cos(degrees * std::numbers::pi / 180.0);
}

} // namespace vsm
