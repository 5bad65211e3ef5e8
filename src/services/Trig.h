// Trig: sine, cosine and arctangent in degrees, shared by every screen that turns things.
#pragma once

namespace vsm {

// Sine of an angle given in degrees.
double SinDeg(double degrees);
// Cosine of an angle given in degrees.
double CosDeg(double degrees);
// Angle in degrees (-180 to 180) of the point (x, y) seen from the origin; 0 for (0, 0).
double ATan2Deg(double y, double x);

} // namespace vsm
