// Trig: sine, cosine and arctangent of angles in degrees.
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

double ATan2Deg(double y, double x) {
    return std::atan2(y, x) * 180.0 / std::numbers::pi;
}

} // namespace vsm
