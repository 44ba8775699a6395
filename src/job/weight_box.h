#pragma once
// Weights from a box of fixed masses, in the holes of each plane: how many of each mass go into
// each hole, so that the predicted vibration is smallest by the job's objective. A mixed-integer
// program, searched for a limited time.
#include <vector>

#include "job.h"
#include "job_result.h"
#include "optimise.h"

namespace balance4::job {

inline constexpr int kMostPerHole = 8;
inline constexpr int kMostBoxKinds = 12;
// Holes of all planes times kinds of mass: beyond this the search has no chance in its time.
inline constexpr int kMostBoxChoices = 5000;

// The limit of a residual or a mass is the polygon of this many sides: within 0,5 % of the circle.
inline constexpr int kBoxPolygonSides = 32;

// Min-max: the largest Weight·|R| over the rows is smallest. Least squares: the mean of Weight·|R|
// over the rows, a linear stand-in for the RMS (both weigh every row; the mean forgives one large
// residual more). Never more of a mass than the box holds, nor more weights in a hole than it
// takes, nor more than a plane's mass limit. `continuous` is the correction without the box, in
// multiples of each trial weight; the answer is never worse than that correction split onto the
// holes around it and rounded to the box's masses, when the box holds that.
BoxResult PlaceFromBox(const Job& job, const WeightedSystem& system,
                       const ComplexVector& continuous);

}  // namespace balance4::job
