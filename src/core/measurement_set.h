#pragma once
#include "polar_value.h"

namespace balance4 {

inline constexpr int kPlaneCount = 4;  // planes p = 1..4 (measuring points and correction planes)
inline constexpr int kRunCount = 5;  // run index r = 0 (no trial weight), 1..4 (weight in plane r)

// The readings of the five runs and the trial masses. Arrays are indexed [run][plane] with the
// plane index 1..4 (element 0 unused), so the code reads like the method's formulas.
struct MeasurementSet {
    double TrialMass[kPlaneCount + 1] = {};
    double Amplitude[kRunCount][kPlaneCount + 1] = {};  // user's units, as typed
    double Phase[kRunCount][kPlaneCount + 1] = {};      // radians; typed in degrees

    PolarValue Reading(int run, int plane) const {
        return {Amplitude[run][plane], Phase[run][plane]};
    }
};

inline constexpr double kDefaultTrialMass = 100.0;  // masses come out in percent of the trial mass

}  // namespace balance4
