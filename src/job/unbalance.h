#pragma once
// The job's mass unit in grams, and the unbalance a correction cancels (its mass times the radius
// it sits at) in g·mm, and in oz·in where the job weighs in ounces.
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

// The radius a plane's correction sits at, mm: the correction radius, else the trial radius;
// 0 when neither is given.
double CorrectionAt(const PlaneSetup& plane);

// «дисбаланс 1234,50 г·мм» (with «, 1,71 oz·in» for ounces) for `mass` in the job's unit at the
// plane's radius; empty without a radius or a known mass unit.
std::string UnbalanceText(const PlaneSetup& plane, const std::string& unit, double mass,
                          const std::string& separator);

}  // namespace balance4::job
