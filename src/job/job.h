#pragma once
// A balancing job as the user sets it up and types it: plain data, no calculation. Indices into
// the vectors are 0-based: plane k is Plane[k], point p is Readings[r][p]. Runs are numbered as
// measured: run 0 without trial weights, run k + 1 with the trial weight of plane k.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "acceptance_setup.h"

namespace balance4::job {

inline constexpr int kMaxPlanes = 8;
inline constexpr int kMaxPoints = 16;

// Which way the instrument counts phase. Phase lag (growing against the rotation) is the usual
// case.
enum class PhaseConvention { AgainstRotation, WithRotation };

// The rotor's turning, seen from the drive end; only sketches use it.
enum class RotationDirection { Clockwise, CounterClockwise };

// Which way the engineer counts angles on the rotor: opposite to the instrument's phase (with
// phase lag, with the rotation), or the same way as the phase, as many papers do.
enum class AngleFrame { AgainstPhase, AsPhase };

// Whether each trial weight comes off before the next run, or stays on for the runs after it.
enum class TrialWeights { Removed, LeftOn };

// One reading as typed: amplitude in the instrument's unit, phase in degrees.
struct ReadingText {
    std::string Amplitude;
    std::string Phase;
    bool operator==(const ReadingText&) const = default;
};

// A weight on the rotor: mass in the job's unit, angle in degrees from the zero mark, counted
// opposite to the phase direction like every result angle.
struct Weight {
    double Mass = 0.0;
    double AngleDegrees = 0.0;
    bool operator==(const Weight&) const = default;
};

// One correction plane: its trial weight and where weights can be fixed.
struct PlaneSetup {
    double TrialMass = 0.0;         // in the job's unit, > 0; 0: not given yet
    double TrialAngle = 0.0;        // degrees from the zero mark, like the result angles
    double TrialRadius = 0.0;       // 0: not given (the correction goes at the trial radius)
    double CorrectionRadius = 0.0;  // 0: not given
    int Holes = 0;                  // equally spaced holes, hole 1 at 0°; 0: none or listed
    std::vector<double> Positions;  // listed positions in degrees, numbered 1.. in this order
    bool operator==(const PlaneSetup&) const = default;
};

// How far each reading may be off: amplitude ±A %, phase ±P degrees.
struct Tolerance {
    double AmplitudePercent = 2.0;
    double PhaseDegrees = 2.0;
    bool operator==(const Tolerance&) const = default;
};

// One influence coefficient: the change of the vibration at a point caused by one plane's trial
// weight (not divided by its mass), in polar form, the angle in radians in the phase direction.
struct Coefficient {
    double Magnitude = 0.0;
    double Angle = 0.0;
    bool operator==(const Coefficient&) const = default;
};

// The coefficients of a calculated job, kept for trim runs: Element[point * Planes + plane], with
// the trial weights and the unit they came from.
struct Coefficients {
    int Planes = 0;
    int Points = 0;
    std::vector<Coefficient> Element;
    std::vector<Weight> Trial;  // per plane: trial mass and trial angle
    std::string Unit;
    bool operator==(const Coefficients&) const = default;
};

// A run read again: the solve takes the mean of a run's readings as vectors, and their scatter
// widens the spread when it exceeds the instrument's tolerance.
struct RepeatRun {
    int Run = 0;                        // as in Job::Readings: 0 without trial weights
    std::vector<ReadingText> Readings;  // per point
    bool operator==(const RepeatRun&) const = default;
};

// One trim run as it was made: its run-0 readings and the corrections it gave, per plane.
struct TrimRecord {
    std::string Date;
    std::vector<ReadingText> Readings;  // per point
    std::vector<Weight> Correction;     // per plane, to add to what was installed
    // The weights on the rotor while the run was read, per plane, as Job::Installed held them;
    // empty when they were not recorded (then the first correction and the trims before it).
    std::vector<std::vector<Weight>> OnRotor;
    bool operator==(const TrimRecord&) const = default;
};

// What the correction makes smallest: the sum of squared residuals, or the largest residual.
enum class Objective { LeastSquares, MinMax };

// Readings at one more speed: the same runs and points as Job::Readings, read at that speed.
struct SpeedReadings {
    std::string Speed;                               // as typed, e.g. "18 000 об/мин"
    std::vector<std::vector<ReadingText>> Readings;  // [run 0..planes][point]
    bool operator==(const SpeedReadings&) const = default;
};

// So many fixed masses of one kind in the box of weights.
struct BoxMass {
    double Mass = 0.0;  // in the job's unit
    int Count = 0;
    bool operator==(const BoxMass&) const = default;
};

// Weights from the box into each plane's holes or positions, at the correction radius.
struct WeightBox {
    std::vector<BoxMass> Masses;  // empty: no box
    int PerHole = 1;              // how many weights one hole takes
    double Seconds = 2.0;         // how long the search may take
    bool operator==(const WeightBox&) const = default;
};

// The objective and the limits the correction keeps to. Limits of 0 (or none given) are no limits.
struct Optimisation {
    Objective Goal = Objective::LeastSquares;
    std::vector<double> PointLimit;  // per point, or empty: a point with limit L counts as |R| / L
    std::vector<double>
        MassLimit;  // per plane, or empty: in the job's unit, at the correction radius
    std::vector<double> SpeedWeight;  // per speed (Job::Speed first), or empty: all 1
    WeightBox Box;
    bool operator==(const Optimisation&) const = default;
};

// The whole job: header, set-up, the readings as typed and what has been done on the rotor. A
// default job is an empty 4 × 4 one.
struct Job {
    std::string Title;
    std::string Machine;
    std::string Date;
    std::string Speed;  // as typed, e.g. "2980 об/мин"
    std::string Who;
    std::string Unit = "г";
    std::string ReadingUnit;  // the instrument's unit, a label only (мкм, мм/с…); empty: none
    std::string Separator = ",";  // the decimal separator the readings are typed with
    PhaseConvention Convention = PhaseConvention::AgainstRotation;
    RotationDirection Rotation = RotationDirection::Clockwise;
    TrialWeights Trials = TrialWeights::Removed;
    AngleFrame Angles = AngleFrame::AgainstPhase;
    Tolerance Instrument;
    int Points = 4;                                              // Planes() .. kMaxPoints
    std::vector<PlaneSetup> Plane = std::vector<PlaneSetup>(4);  // 1 .. kMaxPlanes entries
    std::vector<std::vector<ReadingText>> Readings =             // [run 0..planes][point]
        std::vector<std::vector<ReadingText>>(5, std::vector<ReadingText>(4));
    std::vector<ReadingText>
        SlowRoll;  // per point, or empty; a point with both texts empty has none
    // The run without weights typed for a trim, per point; empty: nothing typed. It belongs to
    // the job until it is recorded, so that it is saved and never carried into another job.
    std::vector<ReadingText> ControlRun;
    std::vector<std::vector<Weight>> Installed;  // per plane (or empty): weights now on the rotor
    std::vector<TrimRecord> TrimHistory;
    std::optional<Coefficients> Saved;  // from the last calculation
    std::optional<IsoSetup> Iso;        // the balance-grade check, when asked for
    // The customer's vibration limit in the reading unit: one for every point, one per point, or
    // none (then no verdict is claimed).
    std::vector<double> Limit;
    // Trims refine the coefficients from every run whose weights are known, unless switched off;
    // Refined holds the coefficients the last recorded trim used when they were refined.
    bool Refine = true;
    std::optional<Coefficients> Refined;
    std::vector<RepeatRun> Repeats;         // further readings of any run, in the order taken
    std::vector<SpeedReadings> MoreSpeeds;  // speeds after Job::Speed; empty for one speed
    Optimisation Optimise;

    int Speeds() const { return 1 + static_cast<int>(MoreSpeeds.size()); }

    int Planes() const { return static_cast<int>(Plane.size()); }
    bool operator==(const Job&) const = default;
};

// A job of the given shape with empty readings and default planes.
Job MakeJob(int planes, int points);

// The built-in 4 × 4 example: the calculator window's readings, trial masses 100 %.
Job ExampleJob();

// Some plane's trial mass is not given yet.
bool TrialMassMissing(const Job& job);

// The job with every trial mass 100 and the unit «%»: masses come out in % of each trial mass.
Job PercentJob(Job job);

// Changes the shape, keeping every set-up and reading that still has a place.
void Reshape(Job& job, int planes, int points);

// A number typed in a set-up cell (trial mass, radius...), with the job's separator or a point;
// empty when it is not a finite number.
std::optional<double> ParseNumberText(std::string_view text, std::string_view separator);

}  // namespace balance4::job
