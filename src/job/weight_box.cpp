#include "weight_box.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "extended.h"
#include "lp_solver.h"
#include "result_parts.h"
#include "split.h"

namespace balance4::job {

namespace {

using Real = long double;

constexpr double kSearchShare = 0.9;

// So many of each mass in one hole: [hole][kind].
using Placement = std::vector<std::vector<std::vector<int>>>;  // [plane][hole][kind]

Real SideAngle(int side) {
    return 2 * std::numbers::pi_v<Real> * side / kBoxPolygonSides;
}

// One weight of mass 1 at `position` of plane k, in multiples of the plane's trial weight.
Complex UnitAt(const Job& job, std::size_t k, const Position& position) {
    const Complex at = std::polar(Real{1}, -Real{position.AngleDegrees} * kDegreesToRadians);
    return at / (Real{RadiusRatio(job.Plane[k])} *
                 TrialVector({job.Plane[k].TrialMass, job.Plane[k].TrialAngle}));
}

ComplexVector CorrectionOf(const Job& job, const std::vector<std::vector<Position>>& holes,
                           const Placement& placement) {
    const std::vector<BoxMass>& box = job.Optimise.Box.Masses;
    ComplexVector x = ComplexVector::Zero(static_cast<Eigen::Index>(holes.size()));
    for (std::size_t k = 0; k < holes.size(); ++k)
        for (std::size_t h = 0; h < holes[k].size(); ++h)
            for (std::size_t m = 0; m < box.size(); ++m)
                x(static_cast<Eigen::Index>(k)) +=
                    Real{box[m].Mass} * placement[k][h][m] * UnitAt(job, k, holes[k][h]);
    return x;
}

// What the objective measures of an answer: the worst, or the mean, weighted residual.
Real Measure(Objective objective, const WeightedSystem& system, const ComplexVector& x) {
    const ComplexVector residual = system.Initial + system.Influence * x;
    Real worst = 0, sum = 0;
    for (Eigen::Index i = 0; i < residual.size(); ++i) {
        const Real r = system.Weight[static_cast<std::size_t>(i)] * std::abs(residual(i));
        worst = std::max(worst, r);
        sum += r;
    }
    return objective == Objective::MinMax ? worst : sum / static_cast<Real>(residual.size());
}

// The counts of each kind, at most `room` weights in all, whose masses add up nearest to `mass`.
std::vector<int> NearestSum(const std::vector<BoxMass>& box, double mass, int room) {
    std::vector<int> best(box.size(), 0), counts(box.size(), 0);
    double bestMiss = mass;
    const auto search = [&](auto&& self, std::size_t kind, int left, double sum) -> void {
        if (std::abs(sum - mass) < bestMiss) {
            bestMiss = std::abs(sum - mass);
            best = counts;
        }
        if (kind == box.size() || left == 0) return;
        for (int n = 0; n <= std::min(left, box[kind].Count); ++n) {
            counts[kind] = n;
            self(self, kind + 1, left - n, sum + n * box[kind].Mass);
        }
        counts[kind] = 0;
    };
    search(search, 0, room, 0.0);
    return best;
}

// The continuous correction split onto its holes, each part rounded to the box: the way a person
// would do it by hand.
Placement Naive(const Job& job, const std::vector<std::vector<Position>>& holes,
                const ComplexVector& continuous) {
    const std::vector<BoxMass>& box = job.Optimise.Box.Masses;
    Placement placement;
    for (std::size_t k = 0; k < holes.size(); ++k) {
        placement.emplace_back(holes[k].size(), std::vector<int>(box.size(), 0));
        const Complex w = continuous(static_cast<Eigen::Index>(k)) *
                          TrialVector({job.Plane[k].TrialMass, job.Plane[k].TrialAngle}) *
                          Real{RadiusRatio(job.Plane[k])};
        const SplitResult split = Split(static_cast<double>(std::abs(w)), ResultAngle(w), holes[k]);
        for (const SplitPart& part : split.Parts)
            for (std::size_t h = 0; h < holes[k].size(); ++h)
                if (holes[k][h] == part.At)
                    placement[k][h] = NearestSum(box, part.Mass, job.Optimise.Box.PerHole);
    }
    return placement;
}

bool Fits(const std::vector<BoxMass>& box, const Placement& placement) {
    std::vector<int> used(box.size(), 0);
    for (const auto& plane : placement)
        for (const auto& hole : plane)
            for (std::size_t m = 0; m < box.size(); ++m) used[m] += hole[m];
    for (std::size_t m = 0; m < box.size(); ++m)
        if (used[m] > box[m].Count) return false;
    return true;
}

AnswerFigures FiguresFor(const Job& job, const WeightedSystem& system, const ComplexVector& x) {
    const ResidualFigures figures = FiguresOf(system, x);
    return {figures.Worst, figures.WorstRow % job.Points, figures.WorstRow / job.Points,
            figures.Rms};
}

// Rows Weight·Re(R·e^(−iθ)) ≤ bound column, for the polygon of one residual.
void AddResidualRows(LinearProgram& program, const std::vector<int>& columns,
                     const std::vector<Complex>& effect, Complex initial, Real weight, int bound) {
    for (int side = 0; side < kBoxPolygonSides; ++side) {
        const Real c = std::cos(SideAngle(side)), s = std::sin(SideAngle(side));
        LinearRow row;
        for (std::size_t v = 0; v < columns.size(); ++v) {
            const double coefficient =
                static_cast<double>(weight * (effect[v].real() * c + effect[v].imag() * s));
            if (coefficient != 0.0) row.Terms.push_back({columns[v], coefficient});
        }
        row.Terms.push_back({bound, -1.0});
        row.Upper = static_cast<double>(-weight * (initial.real() * c + initial.imag() * s));
        program.Rows.push_back(std::move(row));
    }
}

// The program's columns for a placement: the counts, and each bound as small as the rows let it.
std::vector<double> StartFrom(const LinearProgram& program, const Placement& placement,
                              const std::vector<std::size_t>& planeOf,
                              const std::vector<std::size_t>& holeOf,
                              const std::vector<std::size_t>& kindOf) {
    std::vector<double> values(program.Cost.size(), 0.0);
    for (std::size_t v = 0; v < planeOf.size(); ++v)
        values[v] = placement[planeOf[v]][holeOf[v]][kindOf[v]];
    for (const LinearRow& row : program.Rows) {
        double sum = 0.0;
        int bound = -1;
        for (const LinearTerm& term : row.Terms) {
            if (term.Coefficient == -1.0 && static_cast<std::size_t>(term.Column) >= planeOf.size())
                bound = term.Column;
            else
                sum += term.Coefficient * values[static_cast<std::size_t>(term.Column)];
        }
        if (bound >= 0)
            values[static_cast<std::size_t>(bound)] =
                std::max(values[static_cast<std::size_t>(bound)], sum - row.Upper);
    }
    return values;
}

}  // namespace

BoxResult PlaceFromBox(const Job& job, const WeightedSystem& system,
                       const ComplexVector& continuous) {
    const WeightBox& setup = job.Optimise.Box;
    const std::vector<BoxMass>& box = setup.Masses;
    const Objective objective = job.Optimise.Goal;
    std::vector<std::vector<Position>> holes;
    for (const PlaneSetup& plane : job.Plane) holes.push_back(PositionsOf(plane));

    // Columns: how many of mass m go into hole h of plane k.
    LinearProgram program;
    std::vector<int> columns;
    std::vector<std::size_t> planeOf, holeOf, kindOf;
    for (std::size_t k = 0; k < holes.size(); ++k)
        for (std::size_t h = 0; h < holes[k].size(); ++h)
            for (std::size_t m = 0; m < box.size(); ++m) {
                columns.push_back(
                    program.AddColumn(0, 0, std::min(box[m].Count, setup.PerHole), true));
                planeOf.push_back(k);
                holeOf.push_back(h);
                kindOf.push_back(m);
            }
    const auto rows = system.Influence.rows();
    std::vector<int> bounds;
    if (objective == Objective::MinMax)
        bounds.assign(static_cast<std::size_t>(rows), program.AddColumn(1, 0, kUnbounded));
    else
        for (Eigen::Index i = 0; i < rows; ++i)
            bounds.push_back(program.AddColumn(1.0 / static_cast<double>(rows), 0, kUnbounded));
    for (Eigen::Index i = 0; i < rows; ++i) {
        std::vector<Complex> effect;
        for (std::size_t v = 0; v < columns.size(); ++v)
            effect.push_back(system.Influence(i, static_cast<Eigen::Index>(planeOf[v])) *
                             Real{box[kindOf[v]].Mass} *
                             UnitAt(job, planeOf[v], holes[planeOf[v]][holeOf[v]]));
        AddResidualRows(program, columns, effect, system.Initial(i),
                        system.Weight[static_cast<std::size_t>(i)],
                        bounds[static_cast<std::size_t>(i)]);
    }
    for (std::size_t m = 0; m < box.size(); ++m) {
        LinearRow row;
        for (std::size_t v = 0; v < columns.size(); ++v)
            if (kindOf[v] == m) row.Terms.push_back({columns[v], 1.0});
        row.Upper = box[m].Count;
        program.Rows.push_back(std::move(row));
    }
    for (std::size_t k = 0; k < holes.size(); ++k) {
        for (std::size_t h = 0; h < holes[k].size(); ++h) {
            LinearRow row;
            for (std::size_t v = 0; v < columns.size(); ++v)
                if (planeOf[v] == k && holeOf[v] == h) row.Terms.push_back({columns[v], 1.0});
            row.Upper = setup.PerHole;
            program.Rows.push_back(std::move(row));
        }
        const double limit = k < job.Optimise.MassLimit.size() ? job.Optimise.MassLimit[k] : 0.0;
        if (!(limit > 0.0)) continue;
        // The plane's weights as one vector at the correction radius, inside the limit's polygon.
        for (int side = 0; side < kBoxPolygonSides; ++side) {
            LinearRow row;
            for (std::size_t v = 0; v < columns.size(); ++v) {
                if (planeOf[v] != k) continue;
                const Real angle = -Real{holes[k][holeOf[v]].AngleDegrees} * kDegreesToRadians;
                row.Terms.push_back(
                    {columns[v],
                     static_cast<double>(box[kindOf[v]].Mass * std::cos(angle - SideAngle(side)))});
            }
            row.Upper =
                static_cast<double>(limit * std::cos(std::numbers::pi_v<Real> / kBoxPolygonSides));
            program.Rows.push_back(std::move(row));
        }
    }

    BoxResult result;
    const Placement naive = Naive(job, holes, continuous);
    result.NaiveFits = Fits(box, naive);
    result.Naive = FiguresFor(job, system, CorrectionOf(job, holes, naive));

    std::vector<double> start;
    if (result.NaiveFits) start = StartFrom(program, naive, planeOf, holeOf, kindOf);
    // The search stops in time for the rest of the answer to come within the limit too.
    const ProgramSolution solution =
        SolveMixedInteger(program, setup.Seconds * kSearchShare, start.empty() ? nullptr : &start);
    Placement placement;
    bool found =
        solution.Status == ProgramStatus::Optimal || solution.Status == ProgramStatus::TimeLimit;
    if (found) {
        placement.resize(holes.size());
        for (std::size_t k = 0; k < holes.size(); ++k)
            placement[k].assign(holes[k].size(), std::vector<int>(box.size(), 0));
        for (std::size_t v = 0; v < columns.size(); ++v)
            placement[planeOf[v]][holeOf[v]][kindOf[v]] = static_cast<int>(
                std::lround(solution.Values[static_cast<std::size_t>(columns[v])]));
        result.Proven = solution.Status == ProgramStatus::Optimal;
    }
    // The search may stop before it finds what a person finds by hand.
    const bool naiveWithinLimits = [&] {
        if (!result.NaiveFits) return false;
        const ComplexVector x = CorrectionOf(job, holes, naive);
        for (std::size_t k = 0; k < holes.size(); ++k) {
            const double limit =
                k < job.Optimise.MassLimit.size() ? job.Optimise.MassLimit[k] : 0.0;
            const Complex w = x(static_cast<Eigen::Index>(k)) *
                              TrialVector({job.Plane[k].TrialMass, job.Plane[k].TrialAngle}) *
                              Real{RadiusRatio(job.Plane[k])};
            if (limit > 0.0 && std::abs(w) > limit) return false;
        }
        return true;
    }();
    if (naiveWithinLimits &&
        (!found || Measure(objective, system, CorrectionOf(job, holes, naive)) <
                       Measure(objective, system, CorrectionOf(job, holes, placement)))) {
        placement = naive;
        found = true;
        result.Proven = false;
    }
    if (!found) {
        result.Message = solution.Status == ProgramStatus::Infeasible
                             ? "Грузами из набора пределы массы не выдержать"
                             : "За отведённое время грузы из набора не подобраны";
        return result;
    }
    result.Found = true;
    const ComplexVector x = CorrectionOf(job, holes, placement);
    const Real measured = Measure(objective, system, x);
    const Real bound =
        solution.Status == ProgramStatus::Optimal || solution.Status == ProgramStatus::TimeLimit
            ? Real{solution.Bound}
            : 0;
    result.Gap =
        measured > 0 ? static_cast<double>(std::max(Real{0}, (measured - bound) / measured)) : 0.0;
    result.Figures = FiguresFor(job, system, x);
    for (std::size_t k = 0; k < holes.size(); ++k)
        for (std::size_t h = 0; h < holes[k].size(); ++h) {
            HoleLoad load{static_cast<int>(k), holes[k][h], {}};
            for (std::size_t m = 0; m < box.size(); ++m)
                load.Masses.insert(load.Masses.end(), static_cast<std::size_t>(placement[k][h][m]),
                                   box[m].Mass);
            if (load.Masses.empty()) continue;
            std::sort(load.Masses.rbegin(), load.Masses.rend());
            result.Holes.push_back(std::move(load));
        }
    const ComplexVector residual = system.Initial + system.Influence * x;
    for (Eigen::Index i = 0; i < residual.size(); ++i) {
        const double amplitude = static_cast<double>(std::abs(residual(i)));
        const double phase =
            amplitude > 0.0
                ? NormalisedDegrees(static_cast<double>(std::arg(residual(i)) * kRadiansToDegrees))
                : 0.0;
        result.Residuals.push_back(
            {static_cast<int>(i) % job.Points, static_cast<int>(i) / job.Points, amplitude, phase});
    }
    return result;
}

}  // namespace balance4::job
