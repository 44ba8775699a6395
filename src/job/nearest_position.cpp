#include "nearest_position.h"

#include <cmath>
#include <numbers>

#include "least_squares.h"
#include "number_text.h"
#include "result_parts.h"
#include "split.h"

namespace balance4::job {

namespace {

double DegreesApart(double a, double b) {
    const double difference = std::fmod(std::fabs(a - b), 360.0);
    return std::min(difference, 360.0 - difference);
}

Complex WeightVector(double mass, double degrees) {
    return std::polar(static_cast<long double>(mass), -static_cast<long double>(degrees) *
                                                          std::numbers::pi_v<long double> / 180.0L);
}

}  // namespace

void AddNearestPositions(JobResult& result, const Job& job) {
    if (result.Result != Outcome::Calculated || !result.Saved ||
        result.Saved->Planes != job.Planes())
        return;
    const ComplexMatrix influence = InfluenceOf(*result.Saved);
    ComplexVector residual(static_cast<Eigen::Index>(result.Points.size()));
    for (std::size_t p = 0; p < result.Points.size(); ++p)
        residual(static_cast<Eigen::Index>(p)) =
            std::polar(static_cast<long double>(result.Points[p].Amplitude),
                       static_cast<long double>(result.Points[p].PhaseDegrees) *
                           std::numbers::pi_v<long double> / 180.0L);
    for (std::size_t k = 0; k < result.Planes.size(); ++k) {
        PlaneResult& plane = result.Planes[k];
        const std::vector<Position> positions = PositionsOf(job.Plane[k]);
        if (positions.empty() || !(plane.Mass > 0.0)) continue;
        NearestPosition nearest;
        nearest.AngleError = 360.0;
        for (const Position& position : positions) {
            const double apart = DegreesApart(position.AngleDegrees, plane.AngleFromZero);
            if (apart < nearest.AngleError) {
                nearest.At = position;
                nearest.AngleError = apart;
            }
        }
        // The change of plane k's weight, in multiples of its trial weight at the trial radius.
        const Complex moved = WeightVector(plane.Mass, nearest.At.AngleDegrees) -
                              WeightVector(plane.Mass, plane.AngleFromZero);
        const Complex change = moved / static_cast<long double>(RadiusRatio(job.Plane[k])) /
                               TrialVector(result.Saved->Trial[k]);
        const ComplexVector left = residual + influence.col(static_cast<Eigen::Index>(k)) * change;
        nearest.Residual = static_cast<double>(left.cwiseAbs().maxCoeff());
        nearest.Recommended = std::abs(moved) <= plane.Spread.Vector;
        plane.Nearest = nearest;
    }
}

std::string NearestPositionText(const NearestPosition& nearest, const std::string& separator) {
    return "или целиком в №" + std::to_string(nearest.At.Number) + " (" +
           FormatResult(nearest.AngleError, separator) + "° от поправки)";
}

}  // namespace balance4::job
