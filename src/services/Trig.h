// Trig: sine and cosine of angles in degrees, shared by every screen that turns things in circles.
#pragma once

namespace vsm {

// Sine of an angle given in degrees.
double SinDeg(double degrees);
// Cosine of an angle given in degrees.
double CosDeg(double degrees);

} // namespace vsm
