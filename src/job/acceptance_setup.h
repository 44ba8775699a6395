#pragma once
// What the customer accepts a balanced rotor by: the inputs of the residual-unbalance check by
// balance grade. Plain data, checked where it is used.
#include <vector>

namespace balance4::job {

// The rotor as the balance-grade check needs it. Axial positions and lever arms in mm.
struct IsoSetup {
    double RotorMass = 0.0;  // kg
    double Speed = 0.0;      // service speed, rpm
    double Grade = 0.0;      // balance grade G, mm/s
    // Distances of the centre of mass from bearings A and B: two values, or none (the centre of
    // mass midway, each bearing takes half).
    std::vector<double> Levers;
    // Axial positions of bearings A and B (two values, or none) and of each correction plane (one
    // per plane, or none); both are needed to move the residuals onto the bearings by statics.
    std::vector<double> Bearings;
    std::vector<double> PlanePositions;
    bool operator==(const IsoSetup&) const = default;
};

}  // namespace balance4::job
