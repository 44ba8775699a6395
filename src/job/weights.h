#pragma once
// Weights on the rotor added as vectors (a weight at angle u is m·e^(−iu)).
#include <complex>
#include <vector>

#include "job.h"

namespace balance4::job {

std::complex<double> AsVector(const Weight& weight);
Weight FromVector(std::complex<double> vector);

// The one weight that acts as all of `weights` together.
Weight Combine(const std::vector<Weight>& weights);

}  // namespace balance4::job
