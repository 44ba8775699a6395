#include "job_setup.h"

#include <algorithm>

#include "acceptance.h"
#include "angle_frame.h"
#include "box_option.h"
#include "case_input.h"
#include "cli_text.h"
#include "job_file.h"
#include "reading_line.h"
#include "split.h"

namespace balance4::cli {

namespace {

// Given planes or points must be the shape the job already has.
bool ShapeAgrees(const Options& options, int planes, int points, std::string& error) {
    if (options.Planes != 0 && options.Planes != planes) {
        error = "--planes: в задании плоскостей " + std::to_string(planes);
        return false;
    }
    if (options.Points != 0 && options.Points != points) {
        error = "--points: в задании точек измерения " + std::to_string(points);
        return false;
    }
    return true;
}

// A list of positive limits, one for all or one per item.
bool TakeLimits(const char* option, const std::optional<std::string>& given, int count,
                std::vector<double>& limits, std::string& error) {
    if (!given) return true;
    const std::optional<std::vector<double>> values =
        ParsePlaneNumbers(option, *given, count, error);
    if (!values) return false;
    for (const double value : *values)
        if (!(value > 0.0)) {
            error =
                std::string(option) + ": предел должен быть больше нуля, дано " + Quoted(*given);
            return false;
        }
    limits = *values;
    return true;
}

// The first line holds the whole set of readings, speed after speed when there are several; each
// further line of one speed's length repeats the first speed's set, and one of a single run's
// length repeats the run --repeat-run names.
std::optional<job::Job> ReadJobLines(const Options& options, std::istream& in, int planes,
                                     int points, std::string& error) {
    const std::optional<std::vector<std::vector<std::string>>> lines = ReadCaseLines(in, error);
    if (!lines) return std::nullopt;
    const std::size_t whole = JobLineTexts(planes, points);
    const std::size_t oneRun = 2 * static_cast<std::size_t>(points);
    const int speeds = std::max(options.Speeds, 1);
    const std::size_t first = whole * static_cast<std::size_t>(speeds);
    if (lines->empty()) {
        error = "ожидается строка показаний, найдено строк: 0";
        return std::nullopt;
    }
    if (options.RepeatRun > planes + 1) {
        error = "--repeat-run: пусков в задании " + std::to_string(planes + 1) + ", дано " +
                std::to_string(options.RepeatRun);
        return std::nullopt;
    }
    job::Job job = job::MakeJob(planes, points);
    // Without trial masses the results are in % of them, as the usage says.
    if (!options.TrialMass) job = job::PercentJob(std::move(job));
    job.Unit = options.TrialMass ? "г" : "%";
    job.Separator = options.Separator.empty() ? LocaleSeparator() : options.Separator;
    for (std::size_t i = 0; i < lines->size(); ++i) {
        const std::vector<std::string>& texts = (*lines)[i];
        if (i == 0 && texts.size() == first) {
            // The first speed is the job's own readings, the others its further speeds.
            for (int s = 0; s < speeds; ++s) {
                const std::vector<std::string> speed(
                    texts.begin() + static_cast<std::ptrdiff_t>(whole * s),
                    texts.begin() + static_cast<std::ptrdiff_t>(whole * (s + 1)));
                auto runs = *job::RunsFromReadingLine(speed, planes, points);
                if (s == 0)
                    job.Readings = std::move(runs);
                else
                    job.MoreSpeeds.push_back({std::to_string(s + 1), std::move(runs)});
            }
        } else if (i > 0 && texts.size() == whole) {
            const auto runs = *job::RunsFromReadingLine(texts, planes, points);
            for (std::size_t r = 0; r < runs.size(); ++r)
                job.Repeats.push_back({static_cast<int>(r), runs[r]});
        } else if (i > 0 && texts.size() == oneRun && options.RepeatRun != 0) {
            job.Repeats.push_back(
                {options.RepeatRun - 1, job::RunsFromReadingLine(texts, 0, points)->front()});
        } else {
            error =
                (lines->size() == 1 ? std::string() : "строка " + std::to_string(i + 1) + ": ") +
                "ожидается " + std::to_string(i == 0 ? first : whole) + " показаний через TAB" +
                (i > 0 && options.RepeatRun != 0
                     ? " (или " + std::to_string(oneRun) + " — повтор пуска " +
                           std::to_string(options.RepeatRun) + ")"
                     : std::string()) +
                ", найдено " + std::to_string(texts.size());
            return std::nullopt;
        }
    }
    return job;
}

}  // namespace

std::optional<job::Job> JobToCalculate(const Options& options, std::istream& in,
                                       std::string& error) {
    std::optional<job::Job> job;
    if (options.Example) {
        job = job::ExampleJob();
        // The example is in percent unless trial masses are given.
        if (options.TrialMass) job->Unit = "г";
    } else if (!options.JobFile.empty()) {
        job = job::LoadJobFile(options.JobFile, error);
        if (!job) return std::nullopt;
    } else {
        const int planes = options.Planes != 0 ? options.Planes : 4;
        const int points = options.Points != 0 ? options.Points : planes;
        if (points < planes) {
            error = "--points: точек измерения нужно не меньше, чем плоскостей (" +
                    std::to_string(planes) + "), дано " + std::to_string(points);
            return std::nullopt;
        }
        job = ReadJobLines(options, in, planes, points, error);
        if (!job) return std::nullopt;
    }
    if (options.RepeatRun != 0 && (options.Example || !options.JobFile.empty())) {
        error =
            "--repeat-run: повторы пуска читаются только вместе с показаниями со стандартного "
            "ввода";
        return std::nullopt;
    }
    if (!ShapeAgrees(options, job->Planes(), job->Points, error)) return std::nullopt;
    if (options.Speeds != 0 && options.Speeds != job->Speeds()) {
        error = "--speeds: в задании скоростей " + std::to_string(job->Speeds());
        return std::nullopt;
    }
    if (!ApplyOptions(options, *job, error)) return std::nullopt;
    return job;
}

std::optional<job::Job> JobToTrim(const Options& options, std::string& error) {
    const std::string& path = options.JobFile.empty() ? options.Coefficients : options.JobFile;
    std::optional<job::Job> job = job::LoadJobFile(path, error);
    if (!job) return std::nullopt;
    if (!job->Saved) {
        error = "в файле " + Quoted(path) +
                " нет коэффициентов влияния: сначала рассчитайте задание (job --save-job)";
        return std::nullopt;
    }
    if (!ShapeAgrees(options, job->Saved->Planes, job->Saved->Points, error)) return std::nullopt;
    // A trim reads its new run with the separator of the command line, as the job's own readings
    // are not read again.
    job->Separator = options.Separator.empty() ? LocaleSeparator() : options.Separator;
    if (!ApplyOptions(options, *job, error)) return std::nullopt;
    return job;
}

bool ApplyOptions(const Options& options, job::Job& job, std::string& error) {
    const int planes = job.Planes();
    if (options.TrialMass) {
        const std::optional<std::vector<double>> masses =
            ParsePlaneNumbers("--trial-mass", *options.TrialMass, planes, error);
        if (!masses) return false;
        for (std::size_t k = 0; k < masses->size(); ++k) {
            if (!((*masses)[k] > 0.0)) {
                error = "--trial-mass: пробная масса должна быть больше нуля, дано " +
                        Quoted(*options.TrialMass);
                return false;
            }
            job.Plane[k].TrialMass = (*masses)[k];
        }
    }
    if (options.TrialAngle) {
        const std::optional<std::vector<double>> angles =
            ParsePlaneNumbers("--trial-angle", *options.TrialAngle, planes, error);
        if (!angles) return false;
        for (std::size_t k = 0; k < angles->size(); ++k)
            job.Plane[k].TrialAngle = (*angles)[k];  // outside 0…360° the job refuses it
    }
    if (options.Holes) {
        const std::optional<std::vector<int>> holes = ParseHoles(*options.Holes, planes, error);
        if (!holes) return false;
        for (std::size_t k = 0; k < holes->size(); ++k) {
            job.Plane[k].Holes = (*holes)[k];
            job.Plane[k].Positions.clear();
        }
    }
    if (options.Positions)
        for (job::PlaneSetup& plane : job.Plane) {
            plane.Holes = 0;
            plane.Positions.clear();
            plane.Positions = *options.Positions;
        }
    if (options.Limit) {
        const std::optional<std::vector<double>> limit =
            ParsePlaneNumbers("--limit", *options.Limit, job.Points, error);
        if (!limit) return false;
        // One value stays one: it holds for every point, whatever the shape.
        job.Limit = options.Limit->find_first_of(";,") == std::string::npos
                        ? std::vector<double>{limit->front()}
                        : *limit;
        if (const std::optional<std::string> problem = job::LimitProblem(job)) {
            error = "--limit: " + *problem;
            return false;
        }
    }
    if (options.NoRefine) job.Refine = false;
    if (options.Tolerance)
        job.Instrument = {options.Tolerance->AmplitudePercent, options.Tolerance->PhaseDegrees};
    if (!options.Unit.empty()) job.Unit = options.Unit;
    if (!options.Phase.empty())
        job.Convention = options.Phase == "with-rotation" ? job::PhaseConvention::WithRotation
                                                          : job::PhaseConvention::AgainstRotation;
    // After the phase: which way the rotation runs for the angles depends on it.
    if (!options.Angles.empty())
        job.Angles = options.Angles == "as-phase"
                         ? job::AngleFrame::AsPhase
                         : job::FrameCounting(options.Angles == "with-rotation", job.Convention);
    if (!options.TrialWeights.empty())
        job.Trials = options.TrialWeights == "left-on" ? job::TrialWeights::LeftOn
                                                       : job::TrialWeights::Removed;
    if (!options.Objective.empty())
        job.Optimise.Goal =
            options.Objective == "min-max" ? job::Objective::MinMax : job::Objective::LeastSquares;
    if (!TakeLimits("--point-limit", options.PointLimit, job.Points, job.Optimise.PointLimit,
                    error) ||
        !TakeLimits("--max-mass", options.MassLimit, planes, job.Optimise.MassLimit, error))
        return false;
    if (options.SpeedWeight) {
        const std::optional<std::vector<double>> weights =
            ParsePlaneNumbers("--speed-weight", *options.SpeedWeight, job.Speeds(), error);
        if (!weights) return false;
        for (const double weight : *weights)
            if (!(weight > 0.0)) {
                error = "--speed-weight: вес должен быть больше нуля, дано " +
                        Quoted(*options.SpeedWeight);
                return false;
            }
        job.Optimise.SpeedWeight = *weights;
    }
    if (options.WeightsBox) {
        const std::optional<std::vector<job::BoxMass>> box =
            ParseWeightsBox(*options.WeightsBox, error);
        if (!box) return false;
        job.Optimise.Box.Masses = *box;
        if (options.PerHole != 0) job.Optimise.Box.PerHole = options.PerHole;
        if (options.TimeLimit != 0.0) job.Optimise.Box.Seconds = options.TimeLimit;
    }
    // The example's readings are written with a decimal comma whatever the separator.
    if (!options.Separator.empty() && !options.Example) job.Separator = options.Separator;
    return true;
}

}  // namespace balance4::cli
