#pragma once
// Influence coefficients refined by every run whose weights on the rotor are known: each run reads
// y = a + A·x, x the weight in each plane in multiples of its trial weight, and with more runs
// than planes + 1, [a | A] is their least-squares fit, Θ = Y·Xᴴ·(X·Xᴴ)⁻¹ with X's columns [1; x].
#include <optional>

#include "job.h"
#include "job_result.h"
#include "least_squares.h"

namespace balance4::job {

// A control run whose weights lie within this many trial weights, in every plane, of a run
// already fitted adds no new direction to X·Xᴴ, only a repeat of a column it holds: it is left
// out, and the coefficients do not move.
inline constexpr double kSameWeights = 0.01;

// Θ = [a | A] (points × planes + 1) from runs read as the columns of `readings` with the weights of
// the same columns of `weights` (planes × runs) on the rotor. Empty when the runs do not fix every
// coefficient.
std::optional<ComplexMatrix> FitCoefficients(const ComplexMatrix& readings,
                                             const ComplexMatrix& weights);

// The job's coefficients refined by its recorded control runs: each run's weights are the first
// correction and the trim corrections recorded before it. Empty when refining is switched off or
// adds nothing: no control run used, trial runs or weights that cannot be read, no coefficients of
// the job's shape; the saved coefficients stand then.
std::optional<Refinement> RefineCoefficients(const Job& job);

}  // namespace balance4::job
