#pragma once
// Readings made from vectors, for jobs built from published coefficients: every digit kept, so
// that the job reads back the vector it was made from.
#include <cmath>
#include <complex>
#include <cstdio>
#include <numbers>

#include "job.h"

namespace balance4::job::vectors {

using C = std::complex<double>;

inline C Polar(double amplitude, double degrees) {
    return std::polar(amplitude, degrees * std::numbers::pi / 180.0);
}

inline ReadingText Text(C v) {
    char amplitude[40], phase[40];
    std::snprintf(amplitude, sizeof amplitude, "%.17g", std::abs(v));
    std::snprintf(phase, sizeof phase, "%.17g",
                  std::fmod(std::arg(v) * 180.0 / std::numbers::pi + 360.0, 360.0));
    return {amplitude, phase};
}

}  // namespace balance4::job::vectors
