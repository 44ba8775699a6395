#pragma once
// The nearest single position for a plane's whole correction, beside the split onto two: how far
// off in angle it is, the vibration it would leave, and whether that is as good as the data can
// tell apart from the exact weight.
#include <string>

#include "job.h"
#include "job_result.h"

namespace balance4::job {

// For each plane of a calculated job that has positions: its nearest position, its angle error,
// the largest vibration over the points predicted through the saved coefficients with the whole
// weight there, and the recommendation, made when the weight moved there stays within the
// correction's own spread (|m·e^(−iα) − m·e^(−iθ)| ≤ the 95 % vector spread).
void AddNearestPositions(JobResult& result, const Job& job);

// «или целиком в №14 (0,19° от поправки)», with the job's separator.
std::string NearestPositionText(const NearestPosition& nearest, const std::string& separator);

}  // namespace balance4::job
