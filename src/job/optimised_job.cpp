#include "optimised_job.h"

#include <cmath>
#include <limits>

#include "extended.h"
#include "least_squares.h"
#include "optimise.h"
#include "optimised_text.h"
#include "readings.h"
#include "repeats.h"
#include "result_parts.h"
#include "setup_check.h"
#include "split.h"
#include "spread.h"
#include "weight_box.h"

namespace balance4::job {

namespace {

constexpr double kNoLimit = std::numeric_limits<double>::infinity();

// A given value of a per-point, per-plane or per-speed list; 0 where the list is short.
double Given(const std::vector<double>& values, std::size_t index) {
    return index < values.size() ? values[index] : 0.0;
}

double PointWeight(const Job& job, std::size_t point) {
    const double limit = Given(job.Optimise.PointLimit, point);
    return limit > 0.0 ? 1.0 / limit : 1.0;
}

double SpeedWeight(const Job& job, std::size_t speed) {
    const double weight = Given(job.Optimise.SpeedWeight, speed);
    return weight > 0.0 ? weight : 1.0;
}

const std::vector<std::vector<ReadingText>>& ReadingsAt(const Job& job, int speed) {
    return speed == 0 ? job.Readings : job.MoreSpeeds[static_cast<std::size_t>(speed - 1)].Readings;
}

// Each speed's readings as vectors, slow roll taken off: [speed] of [point][run].
std::vector<ComplexMatrix> SpeedRuns(const Job& job, const RunReadings& all,
                                     const std::vector<Complex>& slowRoll) {
    const std::size_t runs = static_cast<std::size_t>(job.Planes() + 1);
    std::vector<ComplexMatrix> speeds;
    for (std::size_t first = 0; first < all.size(); first += runs)
        speeds.push_back(
            RunVectors(RunReadings(all.begin() + static_cast<std::ptrdiff_t>(first),
                                   all.begin() + static_cast<std::ptrdiff_t>(first + runs)),
                       slowRoll));
    return speeds;
}

// Every speed's equations one under another, each row weighed by its point and its speed.
WeightedSystem SystemOf(const Job& job, const std::vector<ComplexMatrix>& runs) {
    const Eigen::Index points = job.Points, planes = job.Planes();
    const auto speeds = static_cast<Eigen::Index>(runs.size());
    WeightedSystem system;
    system.Influence.resize(points * speeds, planes);
    system.Initial.resize(points * speeds);
    for (Eigen::Index s = 0; s < speeds; ++s) {
        const ComplexMatrix& speed = runs[static_cast<std::size_t>(s)];
        system.Influence.middleRows(s * points, points) = Influence(speed, job.Trials);
        system.Initial.segment(s * points, points) = speed.col(0);
        for (Eigen::Index p = 0; p < points; ++p)
            system.Weight.push_back(PointWeight(job, static_cast<std::size_t>(p)) *
                                    SpeedWeight(job, static_cast<std::size_t>(s)));
    }
    for (std::size_t k = 0; k < job.Plane.size(); ++k) {
        const double limit = Given(job.Optimise.MassLimit, k);
        const PlaneSetup& plane = job.Plane[k];
        system.MassLimit.push_back(limit > 0.0 ? limit / (plane.TrialMass * RadiusRatio(plane))
                                               : kNoLimit);
    }
    return system;
}

AnswerFigures FiguresFor(const Job& job, const WeightedSystem& system, const ComplexVector& x) {
    const ResidualFigures figures = FiguresOf(system, x);
    return {figures.Worst, figures.WorstRow % job.Points, figures.WorstRow / job.Points,
            figures.Rms};
}

// Corrections in the job's unit from zero for one repetition of the spread.
std::optional<std::vector<Weight>> Repeat(const Job& job, const RunReadings& moved,
                                          const std::vector<Complex>& slowRoll,
                                          const std::vector<Weight>& trial) {
    const std::optional<ComplexVector> x =
        SolveOptimised(SystemOf(job, SpeedRuns(job, moved, slowRoll)), job.Optimise.Goal);
    if (!x) return std::nullopt;
    std::vector<Weight> weights;
    for (std::size_t k = 0; k < trial.size(); ++k) {
        const Complex w = (*x)(static_cast<Eigen::Index>(k)) * TrialVector(trial[k]);
        const long double mass = std::abs(w) * RadiusRatio(job.Plane[k]);
        if (!std::isfinite(mass)) return std::nullopt;
        weights.push_back({static_cast<double>(mass), ResultAngle(w)});
    }
    return weights;
}

void Refuse(std::vector<CellFailure>& failures, int index, bool plane, std::string message) {
    CellFailure failure{Cell::Limit, -1, plane ? -1 : index, plane ? index : -1,
                        std::move(message)};
    failures.push_back(std::move(failure));
}

void CheckList(const std::vector<double>& values, bool plane, const std::string& what,
               std::vector<CellFailure>& failures) {
    for (std::size_t i = 0; i < values.size(); ++i)
        if (!(std::isfinite(values[i]) && values[i] >= 0.0))
            Refuse(failures, static_cast<int>(i), plane,
                   what + " " + std::to_string(i + 1) + ": нужно число не меньше нуля (0 — без " +
                       "ограничения)");
}

void CheckBox(const Job& job, std::vector<CellFailure>& failures) {
    const WeightBox& box = job.Optimise.Box;
    if (box.Masses.empty()) return;
    const auto refuse = [&](int plane, std::string message) {
        failures.push_back({Cell::Limit, -1, -1, plane, std::move(message)});
    };
    for (std::size_t m = 0; m < box.Masses.size(); ++m)
        if (std::string problem = BoxKindProblem(box.Masses[m], static_cast<int>(m + 1));
            !problem.empty())
            refuse(-1, std::move(problem));
    if (box.PerHole < 1 || box.PerHole > kMostPerHole)
        refuse(-1, "В одно отверстие можно поставить от 1 до " + std::to_string(kMostPerHole) +
                       " грузов");
    if (!(std::isfinite(box.Seconds) && box.Seconds > 0.0 && box.Seconds <= 3600.0))
        refuse(-1, "Время подбора грузов: от 0 до 3600 с");
    if (box.Masses.size() > static_cast<std::size_t>(kMostBoxKinds))
        refuse(-1, "В наборе больше " + std::to_string(kMostBoxKinds) + " разных масс");
    std::size_t holes = 0;
    for (const PlaneSetup& plane : job.Plane) holes += PositionsOf(plane).size();
    if (holes * box.Masses.size() > static_cast<std::size_t>(kMostBoxChoices))
        refuse(-1, "Слишком много отверстий и масс для подбора: отверстий " +
                       std::to_string(holes) + ", масс " + std::to_string(box.Masses.size()) +
                       ", а их произведение не больше " + std::to_string(kMostBoxChoices));
    // The plane's positions are the cell to fix.
    for (std::size_t k = 0; k < job.Plane.size(); ++k)
        if (PositionsOf(job.Plane[k]).empty())
            failures.push_back({Cell::Positions, -1, -1, static_cast<int>(k),
                                "Плоскость " + std::to_string(k + 1) +
                                    ": для грузов из набора нужны отверстия или места"});
}

}  // namespace

bool IsOptimised(const Job& job) {
    const auto any = [](const std::vector<double>& values) {
        for (const double value : values)
            if (value != 0.0) return true;
        return false;
    };
    return job.Optimise.Goal != Objective::LeastSquares || any(job.Optimise.PointLimit) ||
           any(job.Optimise.MassLimit) || !job.MoreSpeeds.empty() ||
           !job.Optimise.Box.Masses.empty();
}

void CheckOptimisation(const Job& job, std::vector<CellFailure>& failures) {
    CheckList(job.Optimise.PointLimit, false, "Предел вибрации в точке", failures);
    CheckList(job.Optimise.MassLimit, true, "Предел массы в плоскости", failures);
    for (std::size_t s = 0; s < job.Optimise.SpeedWeight.size(); ++s)
        if (!(std::isfinite(job.Optimise.SpeedWeight[s]) && job.Optimise.SpeedWeight[s] >= 0.0))
            failures.push_back({Cell::Limit, -1, -1, -1,
                                "Вес скорости " + std::to_string(s + 1) +
                                    ": нужно число не меньше нуля (0 — вес 1)",
                                static_cast<int>(s)});
    CheckBox(job, failures);
    const std::size_t runs = static_cast<std::size_t>(job.Planes() + 1);
    for (std::size_t s = 0; s < job.MoreSpeeds.size(); ++s) {
        bool shaped = job.MoreSpeeds[s].Readings.size() == runs;
        for (const std::vector<ReadingText>& run : job.MoreSpeeds[s].Readings)
            shaped = shaped && run.size() == static_cast<std::size_t>(job.Points);
        if (!shaped)
            failures.push_back(
                {Cell::Shape, -1, -1, -1,
                 "Показания на скорости " + std::to_string(s + 2) + " не той формы, что у задания",
                 static_cast<int>(s + 1)});
    }
}

JobResult CalculateOptimised(const Job& job, JobResult result) {
    CheckOptimisation(job, result.Failures);
    if (!result.Failures.empty()) return result;
    // Every speed's runs one after another, so that the spread moves them all.
    RunReadings all;
    bool read = true;
    for (int s = 0; s < job.Speeds(); ++s) {
        const std::size_t before = result.Failures.size();
        std::optional<RunReadings> readings =
            ReadRuns(ReadingsAt(job, s), job.Points, job.Separator, result.Failures);
        // Repeats are of the first speed's runs: solve on their mean, as least squares does.
        if (s == 0 && readings && !job.Repeats.empty()) {
            const std::optional<RunReadings> repeated = ReadRepeats(job, result.Failures);
            readings = repeated ? std::optional(MeanRuns(*readings, job.Repeats, *repeated))
                                : std::nullopt;
        }
        for (std::size_t f = before; f < result.Failures.size() && s > 0; ++f) {
            result.Failures[f].Speed = s;
            result.Failures[f].Message =
                "Скорость " + std::to_string(s + 1) + ": " + result.Failures[f].Message;
        }
        if (!readings) read = false;
        if (readings) all.insert(all.end(), readings->begin(), readings->end());
    }
    const std::vector<Complex> slowRoll = ReadSlowRoll(job, result.Failures);
    if (!read || !result.Failures.empty()) return result;

    const std::vector<ComplexMatrix> runs = SpeedRuns(job, all, slowRoll);
    const WeightedSystem system = SystemOf(job, runs);
    const std::optional<ComplexVector> plain = SolveCorrection(system.Influence, system.Initial);
    if (!plain) return NoSolution(std::move(result));
    const std::optional<ComplexVector> x = SolveOptimised(system, job.Optimise.Goal);
    if (!x) {
        result.Result = Outcome::NoSolution;
        result.Message = "Поправка с этими пределами не найдена";
        return result;
    }
    result.Result = Outcome::Calculated;
    const std::vector<Weight> trial = TrialsOf(job);
    const ComplexMatrix first = Influence(runs[0], job.Trials);
    SetPlanes(result, job, *x, trial);
    SetPointsAndRuns(result, first, runs[0].col(0), *x, &runs[0]);
    result.Saved = SavedFrom(first, trial, job.Unit);

    OptimisedSummary summary;
    summary.Goal = job.Optimise.Goal;
    summary.LeastSquares = FiguresFor(job, system, *plain);
    summary.Chosen = FiguresFor(job, system, *x);
    for (const ComplexMatrix& speed : runs)
        summary.SpeedConditionNumber.push_back(ConditionNumber(Influence(speed, job.Trials)));
    result.Optimised = summary;
    const ComplexVector residual = system.Initial + system.Influence * *x;
    for (Eigen::Index i = 0; i < residual.size(); ++i) {
        const double amplitude = Store(std::abs(residual(i)));
        const double phase =
            amplitude > 0.0
                ? NormalisedDegrees(static_cast<double>(std::arg(residual(i)) * kRadiansToDegrees))
                : 0.0;
        const int point = static_cast<int>(i) % job.Points;
        result.Residuals.push_back({point, static_cast<int>(i) / job.Points, amplitude, phase});
        // Limits can leave a residual where the planes could cancel every point.
        if (i < job.Points) result.Points[static_cast<std::size_t>(point)] = {amplitude, phase};
    }
    if (!job.Optimise.Box.Masses.empty()) result.Box = PlaceFromBox(job, system, *x);
    Finish(result, job,
           EstimateSpread(
               all, static_cast<int>(all.size()), NominalOf(result), job.Instrument,
               [&](const RunReadings& moved) { return Repeat(job, moved, slowRoll, trial); }));
    return result;
}

}  // namespace balance4::job
