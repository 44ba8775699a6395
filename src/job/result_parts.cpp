#include "result_parts.h"

#include <cmath>
#include <limits>

#include "extended.h"
#include "plane_dependence.h"
#include "reading_fields.h"
#include "split.h"
#include "weights.h"

namespace balance4::job {

namespace {
constexpr double kInfinity = std::numeric_limits<double>::infinity();
}  // namespace

double ResultAngle(Complex v) {
    return NormalisedDegrees(-static_cast<double>(std::arg(v) * kRadiansToDegrees));
}

Complex TrialVector(const Weight& trial) {
    return std::polar(static_cast<long double>(trial.Mass),
                      -static_cast<long double>(trial.AngleDegrees) * kDegreesToRadians);
}

double RadiusRatio(const PlaneSetup& plane) {
    return plane.TrialRadius > 0.0 && plane.CorrectionRadius > 0.0
               ? plane.TrialRadius / plane.CorrectionRadius
               : 1.0;
}

PlaneSetup PlaneOf(const Job& job, std::size_t k, std::size_t planes) {
    return job.Plane.size() == planes ? job.Plane[k] : PlaneSetup{};
}

void SetPlanes(JobResult& result, const Job& job, const ComplexVector& x,
               const std::vector<Weight>& trial) {
    const std::size_t planes = trial.size();
    result.Planes.assign(planes, {});
    for (std::size_t k = 0; k < planes; ++k) {
        PlaneResult& plane = result.Planes[k];
        const Complex w = x(static_cast<Eigen::Index>(k)) * TrialVector(trial[k]);
        const double ratio = RadiusRatio(PlaneOf(job, k, planes));
        plane.Percent = Store(std::abs(x(static_cast<Eigen::Index>(k))) * 100.0L);
        plane.AngleFromTrial = ResultAngle(x(static_cast<Eigen::Index>(k)));
        plane.AngleFromZero = ResultAngle(w);
        plane.Mass = Store(std::abs(w) * ratio);
        if (job.Trials == TrialWeights::LeftOn) {
            const Complex rest = w - TrialVector(trial[k]);
            plane.KeepTrial = Weight{Store(std::abs(rest) * ratio), ResultAngle(rest)};
        }
    }
}

void SetPointsAndRuns(JobResult& result, const ComplexMatrix& influence, const ComplexVector& v0,
                      const ComplexVector& x, const ComplexMatrix* runs) {
    const ComplexVector residual = v0 + influence * x;
    const bool square = influence.rows() == influence.cols();
    result.Points.assign(static_cast<std::size_t>(v0.size()), {});
    for (Eigen::Index p = 0; p < v0.size(); ++p) {
        if (square) continue;  // zero but for rounding
        PointResult& point = result.Points[static_cast<std::size_t>(p)];
        point.Amplitude = Store(std::abs(residual(p)));
        point.PhaseDegrees =
            point.Amplitude > 0.0
                ? NormalisedDegrees(static_cast<double>(std::arg(residual(p)) * kRadiansToDegrees))
                : 0.0;
    }
    result.ConditionNumber = ConditionNumber(influence);
    result.PlanesAlike = PlanesActingAlike(influence);
    if (runs == nullptr) return;
    for (Eigen::Index k = 0; k < influence.cols(); ++k) {
        double largest = 0.0;
        for (Eigen::Index p = 0; p < v0.size(); ++p) {
            const long double base = std::abs((*runs)(p, 0));
            const long double change = std::abs(influence(p, k));
            // A run 0 near zero makes any change huge: infinite, not an overflow.
            const double percent = base > 0.0L     ? static_cast<double>(change / base * 100.0L)
                                   : change > 0.0L ? kInfinity
                                                   : 0.0;
            largest = std::max(largest, percent);
        }
        result.Runs.push_back({largest, largest<kWeakRunPercent, largest> kLargeRunPercent});
    }
}

void Finish(JobResult& result, const Job& job, const SpreadResult& spread) {
    const std::size_t planes = result.Planes.size();
    result.SpreadSamples = kSpreadSamples;
    result.SpreadFailed = spread.Failed;
    std::string unreliable;
    for (std::size_t k = 0; k < planes; ++k) {
        PlaneResult& plane = result.Planes[k];
        plane.Spread = spread.Plane[k];
        const std::vector<Position> positions = PositionsOf(PlaneOf(job, k, planes));
        plane.SplitAsked = !positions.empty();
        const Weight placed = WeightToPlace(plane);
        if (plane.SplitAsked) plane.Split = Split(placed.Mass, placed.AngleDegrees, positions);
        if (plane.Spread.Level == Trust::Unreliable)
            unreliable += (unreliable.empty() ? "" : ", ") + std::to_string(k + 1);
    }
    if (unreliable.empty()) return;
    result.Untrusted = true;
    result.UntrustedReason =
        (unreliable.find(',') == std::string::npos ? "в плоскости " : "в плоскостях ") +
        unreliable +
        " разброс больше самой поправки; плоскости решаются вместе, поэтому не верна ни одна";
}

Coefficients SavedFrom(const ComplexMatrix& influence, const std::vector<Weight>& trial,
                       const std::string& unit) {
    Coefficients saved{
        static_cast<int>(influence.cols()), static_cast<int>(influence.rows()), {}, trial, unit};
    for (Eigen::Index p = 0; p < influence.rows(); ++p)
        for (Eigen::Index k = 0; k < influence.cols(); ++k)
            saved.Element.push_back(
                {Store(std::abs(influence(p, k))), Store(std::arg(influence(p, k)))});
    return saved;
}

ComplexMatrix InfluenceOf(const Coefficients& saved) {
    ComplexMatrix influence(saved.Points, saved.Planes);
    for (Eigen::Index p = 0; p < saved.Points; ++p)
        for (Eigen::Index k = 0; k < saved.Planes; ++k) {
            const Coefficient& c = saved.Element[static_cast<std::size_t>(p * saved.Planes + k)];
            influence(p, k) = AsComplex({c.Magnitude, c.Angle});
        }
    return influence;
}

std::vector<Weight> TrialsOf(const Job& job) {
    std::vector<Weight> trial;
    for (const PlaneSetup& plane : job.Plane) trial.push_back({plane.TrialMass, plane.TrialAngle});
    return trial;
}

std::vector<Weight> NominalOf(const JobResult& result) {
    std::vector<Weight> nominal;
    for (const PlaneResult& plane : result.Planes)
        nominal.push_back({plane.Mass, plane.AngleFromZero});
    return nominal;
}

void AddInstalled(JobResult& result, const Job& job) {
    if (job.Installed.size() != result.Planes.size()) return;
    for (std::size_t k = 0; k < result.Planes.size(); ++k) {
        PlaneResult& plane = result.Planes[k];
        std::vector<Weight> weights = job.Installed[k];
        if (weights.empty()) continue;
        weights.push_back({plane.Mass, plane.AngleFromZero});
        plane.OnRotor = Combine(weights);
    }
}

JobResult NoSolution(JobResult result) {
    result.Result = Outcome::NoSolution;
    result.Message = kInvalidTrialMassMessage;
    return result;
}

}  // namespace balance4::job
