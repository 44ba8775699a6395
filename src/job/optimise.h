#pragma once
// Corrections other than plain least squares: the smallest worst residual (min-max), and either
// objective with a mass limit per plane. The unknowns are in multiples of each plane's trial
// weight, as in least_squares.h.
#include <limits>
#include <optional>
#include <vector>

#include "job.h"
#include "least_squares.h"

namespace balance4::job {

// The equations one correction x serves: row i predicts R_i = Initial_i + Influence_i·x and counts
// as Weight_i·|R_i|. Rows are the points, or the points of every speed one under another.
struct WeightedSystem {
    ComplexMatrix Influence;
    ComplexVector Initial;
    std::vector<double> Weight;     // per row, > 0
    std::vector<double> MassLimit;  // per plane, the largest |x_k|; infinity where none
};

// A circle |z| ≤ t is replaced by the regular polygon of this many sides around it, which the
// linear program can hold: the polygon's corners lie sec(π/64) − 1 = 0,12 % outside the circle, so
// the worst residual found is within 0,12 % of the true smallest one. A mass limit becomes the
// polygon inside the circle (its sides at cos(π/64) of the limit), so no mass ever exceeds it.
inline constexpr int kPolygonSides = 64;

// Min-max: x minimising max_i Weight_i·|R_i| within the mass limits.
// Least squares: x minimising Σ (Weight_i·|R_i|)² within the same polygons of the mass limits; with
// no limit that binds this is the weighted least-squares solution itself.
// Empty when the system is singular, the solver fails, or the result is not finite.
std::optional<ComplexVector> SolveOptimised(const WeightedSystem& system, Objective objective);

// Largest Weight_i·|R_i| and the root mean square of Weight_i·|R_i| over the rows.
struct ResidualFigures {
    double Worst = 0.0;
    int WorstRow = 0;
    double Rms = 0.0;
};
ResidualFigures FiguresOf(const WeightedSystem& system, const ComplexVector& x);

}  // namespace balance4::job
