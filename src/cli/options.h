#pragma once
// The command line of balance4-calc: the line mode and the subcommands `job`, `trim` and `iso`,
// one grammar for all («--name value» or «--name=value»).
#include <optional>
#include <string>
#include <vector>

#include "option_values.h"

namespace balance4::cli {

enum class Command { Lines, Job, Trim, Iso, TrialWeight };

struct Options {
    Command Mode = Command::Lines;
    bool Help = false;
    bool Example = false;   // lines, job: the built-in example readings
    std::string Separator;  // the readings' decimal separator; empty: the locale's

    // job and trim. The shape: 0 when not given (a job file's, the coefficients', else 4 × 4).
    int Planes = 0;
    int Points = 0;
    // Per-plane lists as given: how many values they must hold is known only once the shape is.
    std::optional<std::string> TrialMass;
    std::optional<std::string> TrialAngle;
    std::optional<std::string> Holes;
    std::optional<std::vector<double>> Positions;  // degrees as given, numbered 1, 2, …
    std::optional<ToleranceValues> Tolerance;
    std::string Unit;  // empty: not given
    // job: which way the instrument counts phase, and whether trial weights stay on; empty: the
    // job's own (against the rotation, removed).
    std::string Phase;         // "against-rotation" or "with-rotation"
    std::string TrialWeights;  // "removed" or "left-on"
    // job: what the correction makes smallest and the limits it keeps to; empty: least squares,
    // no limits.
    std::string Objective;                  // "least-squares" or "min-max"
    std::optional<std::string> PointLimit;  // --point-limit: one for every point or one per point
    std::optional<std::string> MassLimit;   // --max-mass: one for every plane or one per plane
    // job: weights from a box into the holes; empty: none.
    std::optional<std::string> WeightsBox;  // «5×4; 10×3; 20×2»
    // job: readings at this many speeds, all on the one line, speed after speed; 0: one speed.
    int Speeds = 0;
    std::optional<std::string> SpeedWeight;  // one for every speed or one per speed
    int PerHole = 0;                         // 0: not given (one weight a hole)
    double TimeLimit = 0.0;                  // seconds; 0: not given (2 s)
    // job, trim: which way angles on the rotor run; empty: the job's own (opposite to the phase).
    std::string Angles;  // "with-rotation", "against-rotation" or "as-phase"
    bool Json = false;
    std::string SaveCoefficients;  // job: the old coefficient file to write
    std::string Coefficients;      // trim: a coefficient file or a job file to read
    int RepeatRun = 0;  // job: the run (from 1, as in messages) that single-run input lines repeat
    std::string JobFile;  // --job: the job to calculate or to trim
    std::string SaveJob;  // --save-job: where to write the job
    bool Fitted = false;  // trim --fitted: the correction shown is on the rotor now
    // job and trim: the vibration limit, one for all points or one per point, as given.
    std::optional<std::string> Limit;
    bool NoRefine = false;  // trim: the saved coefficients, not refined by the control runs

    // iso: the rotor for the balance-grade check; empty where not given (the job file's then).
    std::optional<double> RotorMass;            // kg
    std::optional<double> Speed;                // rpm
    std::optional<double> Grade;                // G, mm/s
    std::optional<std::vector<double>> Levers;  // mm, the centre of mass from bearings A and B
    std::optional<std::string> Radius;          // trial-weight: the trial radius in mm, as given
};

inline constexpr int kMostPlanes = 8;
inline constexpr int kMostPoints = 16;
inline constexpr int kMostSpeeds = 16;

// `args` without the program's name. Empty optional: `error` is one Russian line naming the
// option; `mode` still tells which mode the arguments were for.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, Command& mode,
                                    std::string& error);

}  // namespace balance4::cli
