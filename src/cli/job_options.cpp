#include "job_options.h"

#include "cli_text.h"

namespace balance4::cli {

std::optional<JobOptions> ToJobOptions(const Options& options, std::string& error) {
    JobOptions job;
    job.From = options.Mode;
    if ((options.Planes != 0 && options.Planes != 4) ||
        (options.Points != 0 && options.Points != 4)) {
        error = "--planes, --points: пока считаются только 4 плоскости и 4 точки";
        return std::nullopt;
    }
    if (!options.JobFile.empty() || !options.SaveJob.empty()) {
        error = "--job, --save-job: файлы заданий пока не поддерживаются";
        return std::nullopt;
    }
    if (options.TrialMass) {
        const auto masses = ParsePlaneNumbers("--trial-mass", *options.TrialMass, 4, error);
        if (!masses) return std::nullopt;
        for (std::size_t i = 0; i < 4; ++i) {
            if (!((*masses)[i] > 0.0)) {
                error = "--trial-mass: пробная масса должна быть больше нуля, дано " +
                        Quoted(*options.TrialMass);
                return std::nullopt;
            }
            job.TrialMass[i] = (*masses)[i];
        }
    }
    if (options.TrialAngle) {
        const auto angles = ParsePlaneNumbers("--trial-angle", *options.TrialAngle, 4, error);
        if (!angles) return std::nullopt;
        for (std::size_t i = 0; i < 4; ++i) job.TrialAngle[i] = NormalisedDegrees((*angles)[i]);
    }
    if (options.Holes) {
        const auto holes = ParseHoles(*options.Holes, 4, error);
        if (!holes) return std::nullopt;
        for (std::size_t i = 0; i < 4; ++i) {
            job.Holes[i] = (*holes)[i];
            job.Positions[i] = EquallySpaced((*holes)[i]);
        }
    }
    if (options.Positions) {
        std::vector<Position> positions;
        for (const double angle : *options.Positions)
            positions.push_back({static_cast<int>(positions.size()) + 1, angle});
        job.Positions.fill(positions);
    }
    if (options.Tolerance) {
        job.ToleranceAmplitudePercent = options.Tolerance->AmplitudePercent;
        job.TolerancePhaseDegrees = options.Tolerance->PhaseDegrees;
    }
    job.Unit = options.Unit;
    if (options.Mode == Command::Job && job.Unit.empty()) job.Unit = options.TrialMass ? "г" : "%";
    job.Json = options.Json;
    job.Example = options.Example;
    job.Separator = options.Separator;
    job.SaveCoefficients = options.SaveCoefficients;
    job.Coefficients = options.Coefficients;
    return job;
}

}  // namespace balance4::cli
