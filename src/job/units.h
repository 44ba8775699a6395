#pragma once
// Units as labels: the job's mass unit in grams, the unbalance a correction cancels (its mass
// times the radius it sits at) in g·mm, and in oz·in where the job weighs in ounces, and the
// reading unit after an amplitude or in a heading.
#include <optional>
#include <string>

#include "job.h"

namespace balance4::job {

inline constexpr double kGramsPerOunce = 28.349523125;
inline constexpr double kMillimetresPerInch = 25.4;

// Grams in one of the job's mass unit; empty for a unit that is not a known mass («%», «ед.»).
std::optional<double> GramsPerUnit(const std::string& unit);

// The job weighs in ounces.
bool OunceUnit(const std::string& unit);

// The radius a plane's result mass sits at, mm: the correction radius when both radii are given
// (the mass is converted to it), the trial radius when only it is; else 0, unknown.
double CorrectionAt(const PlaneSetup& plane);

// «дисбаланс 1234,50 г·мм» (with «, 1,71 oz·in» for ounces) for `mass` in the job's unit at the
// plane's radius; empty without a radius or a known mass unit.
std::string UnbalanceText(const PlaneSetup& plane, const std::string& unit, double mass,
                          const std::string& separator);

// «, мкм» after a heading, « мкм» after a number; empty when the job names no reading unit.
std::string ReadingUnitAfterHeading(const Job& job);
std::string ReadingUnitAfterNumber(const Job& job);

}  // namespace balance4::job
