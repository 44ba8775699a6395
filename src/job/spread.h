#pragma once
// How far a result can be trusted: the calculation repeated with every reading moved within the
// instrument's tolerance, and the spread that 95 % of these results stay within.
#include <functional>
#include <optional>
#include <vector>

#include "job.h"
#include "job_result.h"

namespace balance4::job {

inline constexpr int kSpreadSamples = 500;
inline constexpr unsigned long long kSpreadSeed = 20240917;  // the same input, the same spread

// A reading as the calculation stores it: amplitude as typed, phase in radians.
struct PolarReading {
    double Amplitude = 0.0;
    double Phase = 0.0;
};
using RunReadings = std::vector<std::vector<PolarReading>>;  // [run][point]

// Solves one repetition: per plane, the correction's mass in the job's unit and its angle in
// degrees (any frame fixed per plane), or nothing when that repetition has no solution.
using Resolve = std::function<std::optional<std::vector<Weight>>(const RunReadings& readings)>;

struct SpreadResult {
    std::vector<PlaneSpread> Plane;
    int Failed = 0;  // repetitions without a solution
};

// Moves each reading of the first `runs` runs, run by run and point by point, by u·A % in
// amplitude and then u·P° in phase, u uniform in [−1, 1) from a generator with a fixed seed;
// resolves; and gives the 95 % bounds per plane against `nominal`, with each plane's trust. With
// no tolerance at all every bound is zero and nothing is repeated.
SpreadResult EstimateSpread(const RunReadings& readings, int runs,
                            const std::vector<Weight>& nominal, const Tolerance& tolerance,
                            const Resolve& resolve);

// The trust of a plane whose 95 % vector spread is `vector` for a correction of mass `mass`.
Trust TrustOf(double vector, double mass);

}  // namespace balance4::job
