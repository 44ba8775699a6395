#pragma once
// Sizing a trial weight before the first trial run, by the rule of field balancing practice: the
// trial weight's centrifugal force should be a given share of the static load the rotor puts on
// that plane,
//     m_t · r · ω² = s · M · g / N,   so   m_t = s · M · g / (N · r · ω²),
// with M the rotor's mass, N the number of correction planes (the load shared equally), r the
// trial radius, ω = 2π·n/60 and g = 9,80665 m/s². Practice takes s = 5…10 %: less does not move
// the vibration enough to measure, more loads the bearings needlessly (see e.g. V. Wowk,
// "Machinery Vibration: Balancing", McGraw-Hill, 1995, on trial weights). The shares are
// constants here so that the window, the tool and the report give the same range.
#include <optional>
#include <string>

namespace balance4::job {

inline constexpr double kTrialForceShareLeast = 0.05;
inline constexpr double kTrialForceShareUsual = 0.10;
inline constexpr double kStandardGravity = 9.80665;  // m/s²

// The trial mass per plane in grams: from the least share to the usual one.
struct TrialWeightRange {
    double Least = 0.0;
    double Usual = 0.0;
};

// Rotor mass in kg, speed in rpm, trial radius in mm, planes 1…8. Empty optional with `error` a
// Russian line naming the value when one is not a positive finite number.
std::optional<TrialWeightRange> SizeTrialWeight(double rotorMassKg, double speedRpm,
                                                double radiusMm, int planes, std::string& error);

// «Пробная масса на плоскость: 24,84 г (не меньше 12,42 г)».
std::string TrialWeightText(const TrialWeightRange& range, const std::string& separator);

}  // namespace balance4::job
