#include "optimise.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "lp_solver.h"

namespace balance4::job {

namespace {

using Real = long double;

constexpr Real kHalfSide = std::numbers::pi_v<Real> / kPolygonSides;

Real SideAngle(int side) {
    return 2 * std::numbers::pi_v<Real> * side / kPolygonSides;
}

bool Limited(double limit) {
    return std::isfinite(limit);
}

// The rows scaled by their weights: least squares over them is the weighted least squares.
void Weigh(const WeightedSystem& system, ComplexMatrix& influence, ComplexVector& initial) {
    influence = system.Influence;
    initial = system.Initial;
    for (Eigen::Index i = 0; i < influence.rows(); ++i) {
        const Real weight = system.Weight[static_cast<std::size_t>(i)];
        influence.row(i) *= weight;
        initial(i) *= weight;
    }
}

// Within every plane's polygon: on the inner side of each of its sides.
bool WithinLimits(const ComplexVector& x, const std::vector<double>& limits) {
    for (Eigen::Index k = 0; k < x.size(); ++k) {
        const double limit = limits[static_cast<std::size_t>(k)];
        if (!Limited(limit)) continue;
        for (int side = 0; side < kPolygonSides; ++side)
            if (x(k).real() * std::cos(SideAngle(side)) + x(k).imag() * std::sin(SideAngle(side)) >
                limit * std::cos(kHalfSide))
                return false;
    }
    return true;
}

using RealMatrix = Eigen::Matrix<Real, Eigen::Dynamic, Eigen::Dynamic>;
using RealVector = Eigen::Matrix<Real, Eigen::Dynamic, 1>;

// Σ|b + A·x|² with every x_k inside its polygon, a small convex quadratic program over the real and
// imaginary parts (u_k, v_k): ½·zᵀHz + gᵀz with G·z ≤ h. Solved by the primal active-set method
// from z = 0, which every polygon holds; each step either reaches the minimum on the sides held or
// stops at the first side in its way, and a side whose multiplier turns negative is let go.
std::optional<ComplexVector> LimitedLeastSquares(const ComplexMatrix& a, const ComplexVector& b,
                                                 const std::vector<double>& limits) {
    const Eigen::Index planes = a.cols(), rows = a.rows(), n = 2 * planes;
    RealMatrix m(2 * rows, n);
    RealVector c(2 * rows);
    for (Eigen::Index i = 0; i < rows; ++i) {
        for (Eigen::Index k = 0; k < planes; ++k) {
            const Complex e = a(i, k);
            m(2 * i, 2 * k) = e.real();
            m(2 * i, 2 * k + 1) = -e.imag();
            m(2 * i + 1, 2 * k) = e.imag();
            m(2 * i + 1, 2 * k + 1) = e.real();
        }
        c(2 * i) = b(i).real();
        c(2 * i + 1) = b(i).imag();
    }
    const RealMatrix h = m.transpose() * m;
    const RealVector g = m.transpose() * c;
    std::vector<RealVector> sides;  // G's rows
    std::vector<Real> bounds;       // h
    for (Eigen::Index k = 0; k < planes; ++k) {
        const double limit = limits[static_cast<std::size_t>(k)];
        if (!Limited(limit)) continue;
        for (int side = 0; side < kPolygonSides; ++side) {
            RealVector row = RealVector::Zero(n);
            row(2 * k) = std::cos(SideAngle(side));
            row(2 * k + 1) = std::sin(SideAngle(side));
            sides.push_back(row);
            bounds.push_back(limit * std::cos(kHalfSide));
        }
    }
    const Real scale = 1 + h.norm();
    RealVector z = RealVector::Zero(n);
    std::vector<std::size_t> held;
    constexpr int kMostSteps = 1000;
    for (int step = 0; step < kMostSteps; ++step) {
        const auto count = static_cast<Eigen::Index>(held.size());
        RealMatrix kkt = RealMatrix::Zero(n + count, n + count);
        RealVector rhs = RealVector::Zero(n + count);
        kkt.topLeftCorner(n, n) = h;
        for (Eigen::Index j = 0; j < count; ++j) {
            kkt.block(0, n + j, n, 1) = sides[held[static_cast<std::size_t>(j)]];
            kkt.block(n + j, 0, 1, n) = sides[held[static_cast<std::size_t>(j)]].transpose();
        }
        rhs.head(n) = -(h * z + g);
        const RealVector solved = kkt.fullPivLu().solve(rhs);
        if (!solved.allFinite()) return std::nullopt;
        const RealVector p = solved.head(n);
        if (p.norm() <= 1e-15L * (1 + z.norm())) {
            // The minimum on the sides held: done unless some side pulls inwards.
            Eigen::Index weakest = -1;
            Real most = -1e-12L * scale;
            for (Eigen::Index j = 0; j < count; ++j)
                if (solved(n + j) < most) {
                    most = solved(n + j);
                    weakest = j;
                }
            if (weakest < 0) {
                ComplexVector x(planes);
                for (Eigen::Index k = 0; k < planes; ++k) x(k) = Complex(z(2 * k), z(2 * k + 1));
                return x;
            }
            held.erase(held.begin() + weakest);
            continue;
        }
        Real reach = 1;
        std::size_t blocking = sides.size();
        for (std::size_t i = 0; i < sides.size(); ++i) {
            if (std::find(held.begin(), held.end(), i) != held.end()) continue;
            const Real towards = sides[i].dot(p);
            if (towards <= 0) continue;
            const Real room = std::max(Real{0}, bounds[i] - sides[i].dot(z)) / towards;
            if (room < reach) {
                reach = room;
                blocking = i;
            }
        }
        z += reach * p;
        if (blocking < sides.size()) held.push_back(blocking);
    }
    return std::nullopt;
}

// The side of the K-gon nearest to z's direction: the one z presses on hardest.
int NearestSide(Complex z) {
    Real angle = std::arg(z);
    if (angle < 0) angle += 2 * std::numbers::pi_v<Real>;
    return static_cast<int>(std::lround(angle / (2 * kHalfSide))) % kPolygonSides;
}

Real Across(Complex z, int side) {
    return z.real() * std::cos(SideAngle(side)) + z.imag() * std::sin(SideAngle(side));
}

// Min-max as a linear program over t and the real and imaginary parts of each x_k: every
// Weight_i·|R_i| ≤ t becomes the K half-planes of its polygon, every mass limit those of its own.
// Most sides never bind, so the program starts with every eighth side and adds, round by round,
// the side each residual or mass crosses, until none is crossed: the answer of the whole polygons,
// from programs a fraction of their size.
std::optional<ComplexVector> MinMax(const WeightedSystem& system) {
    const Eigen::Index planes = system.Influence.cols(), rows = system.Influence.rows();
    const auto weight = [&](Eigen::Index i) {
        return Real{system.Weight[static_cast<std::size_t>(i)]};
    };
    const auto limit = [&](Eigen::Index k) {
        return system.MassLimit[static_cast<std::size_t>(k)];
    };
    // Sides in use: rows' polygons first, then the planes'.
    std::vector<std::vector<bool>> used(static_cast<std::size_t>(rows + planes),
                                        std::vector<bool>(kPolygonSides, false));
    for (auto& sides : used)
        for (int side = 0; side < kPolygonSides; side += kPolygonSides / 8)
            sides[static_cast<std::size_t>(side)] = true;

    constexpr int kMostRounds = 100;
    for (int round = 0; round < kMostRounds; ++round) {
        LinearProgram program;
        std::vector<int> re, im;
        for (Eigen::Index k = 0; k < planes; ++k) {
            re.push_back(program.AddColumn(0, -kUnbounded, kUnbounded));
            im.push_back(program.AddColumn(0, -kUnbounded, kUnbounded));
        }
        const int worst = program.AddColumn(1, 0, kUnbounded);
        for (Eigen::Index i = 0; i < rows; ++i)
            for (int side = 0; side < kPolygonSides; ++side) {
                if (!used[static_cast<std::size_t>(i)][static_cast<std::size_t>(side)]) continue;
                // Weight·Re(R·e^(−iθ)) ≤ t, R = b + Σ a_k·(u_k + i·v_k).
                const Real c = std::cos(SideAngle(side)), s = std::sin(SideAngle(side));
                LinearRow row;
                for (Eigen::Index k = 0; k < planes; ++k) {
                    const Complex a = system.Influence(i, k);
                    const std::size_t index = static_cast<std::size_t>(k);
                    row.Terms.push_back(
                        {re[index],
                         static_cast<double>(weight(i) * (a.real() * c + a.imag() * s))});
                    row.Terms.push_back(
                        {im[index],
                         static_cast<double>(weight(i) * (a.real() * s - a.imag() * c))});
                }
                row.Terms.push_back({worst, -1.0});
                row.Upper = static_cast<double>(-weight(i) * Across(system.Initial(i), side));
                program.Rows.push_back(std::move(row));
            }
        for (Eigen::Index k = 0; k < planes; ++k) {
            if (!Limited(limit(k))) continue;
            const std::size_t index = static_cast<std::size_t>(k);
            for (int side = 0; side < kPolygonSides; ++side)
                if (used[static_cast<std::size_t>(rows + k)][static_cast<std::size_t>(side)])
                    program.Rows.push_back(
                        {{{re[index], static_cast<double>(std::cos(SideAngle(side)))},
                          {im[index], static_cast<double>(std::sin(SideAngle(side)))}},
                         -kUnbounded,
                         static_cast<double>(limit(k) * std::cos(kHalfSide))});
        }
        const ProgramSolution solution = SolveLinear(program);
        if (solution.Status != ProgramStatus::Optimal) return std::nullopt;
        ComplexVector x(planes);
        for (Eigen::Index k = 0; k < planes; ++k) {
            const std::size_t index = static_cast<std::size_t>(k);
            x(k) = Complex(solution.Values[static_cast<std::size_t>(re[index])],
                           solution.Values[static_cast<std::size_t>(im[index])]);
        }
        // The solver's own tolerance: a side crossed by less is not crossed.
        const Real t = solution.Values[static_cast<std::size_t>(worst)];
        const Real slack = 1e-9L * (1 + t);
        bool crossed = false;
        const auto add = [&](std::size_t owner, Complex z, Real bound) {
            const int side = NearestSide(z);
            if (Across(z, side) <= bound + slack) return;
            if (used[owner][static_cast<std::size_t>(side)]) return;  // already held: rounding
            used[owner][static_cast<std::size_t>(side)] = true;
            crossed = true;
        };
        const ComplexVector residual = system.Initial + system.Influence * x;
        for (Eigen::Index i = 0; i < rows; ++i)
            add(static_cast<std::size_t>(i), weight(i) * residual(i), t);
        for (Eigen::Index k = 0; k < planes; ++k)
            if (Limited(limit(k)))
                add(static_cast<std::size_t>(rows + k), x(k), limit(k) * std::cos(kHalfSide));
        if (!crossed) return x;
    }
    return std::nullopt;
}

}  // namespace

std::optional<ComplexVector> SolveOptimised(const WeightedSystem& system, Objective objective) {
    ComplexMatrix influence;
    ComplexVector initial;
    Weigh(system, influence, initial);
    // Least squares is also the starting point and the test of a singular system.
    const std::optional<ComplexVector> plain = SolveCorrection(influence, initial);
    if (!plain) return std::nullopt;
    if (objective == Objective::MinMax) return MinMax(system);
    if (WithinLimits(*plain, system.MassLimit)) return plain;
    return LimitedLeastSquares(influence, initial, system.MassLimit);
}

ResidualFigures FiguresOf(const WeightedSystem& system, const ComplexVector& x) {
    const ComplexVector residual = system.Initial + system.Influence * x;
    ResidualFigures figures;
    Real squares = 0;
    for (Eigen::Index i = 0; i < residual.size(); ++i) {
        const Real weighted = system.Weight[static_cast<std::size_t>(i)] * std::abs(residual(i));
        squares += weighted * weighted;
        if (weighted > figures.Worst) {
            figures.Worst = static_cast<double>(weighted);
            figures.WorstRow = static_cast<int>(i);
        }
    }
    figures.Rms = static_cast<double>(std::sqrt(squares / static_cast<Real>(residual.size())));
    return figures;
}

}  // namespace balance4::job
