#pragma once

namespace balance4 {

// A complex quantity in polar form: Magnitude * (cos Angle + i sin Angle), Angle in radians.
// A minus sign is always carried as pi added to the angle, never as a negative magnitude.
struct PolarValue {
    double Magnitude = 0.0;
    double Angle = 0.0;
};

}  // namespace balance4
