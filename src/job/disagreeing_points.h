#pragma once
// A point whose readings disagree with the others (a loose sensor, a channel wired to another
// point). Its own residual does not show it: through the solve, one bad reading spreads over every
// point. So each point is left out in turn; when the others then agree within what the readings'
// scatter explains, while with it they did not, and it disagrees with their fit, it is the suspect.
#include <optional>
#include <string>

#include "job.h"
#include "job_result.h"
#include "least_squares.h"

namespace balance4::job {

// Leaving a point out must still leave more points than planes to check agreement on.
inline constexpr int kSpareSuspectPoints = 2;

struct SuspectFit {
    int Point = 0;    // from 0
    ComplexVector X;  // the correction without it, in multiples of each trial weight
};

// How far the residual at each point may go when every reading is off by up to the tolerance:
// each reading v adds |v|·√((A/100)² + P²) (P in radians), run 0's once and each trial run's
// (with the run it is compared to) times |x_k|. A bound, not a likely value: clean readings stay
// well within it.
ComplexVector::RealScalar ResidualBound(const ComplexMatrix& runs, TrialWeights trials,
                                        const ComplexVector& x, Eigen::Index point,
                                        const Tolerance& tolerance);

// The one point that, left out, lets the others agree; nothing when all agree, when no single
// point explains the disagreement, or when the job has fewer than planes + kSpareSuspectPoints
// points. `runs`: points × (planes + 1), slow roll taken off.
std::optional<SuspectFit> FindSuspectPoint(const ComplexMatrix& runs, TrialWeights trials,
                                           const Tolerance& tolerance);

// «Точка 4: показания не согласуются с остальными — проверьте датчик и его канал» (point from 0).
std::string SuspectPointMessage(int point);

// The correction without a suspect point, to show beside its message: «Без точки 4: плоскость 1 —
// 6,73 г, 282,20° от нуля; плоскость 2 — …».
std::string WithoutSuspectText(const SuspectPoint& suspect, const std::string& unit,
                               const std::string& separator);

}  // namespace balance4::job
