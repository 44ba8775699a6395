#pragma once
// What a job's calculation gives: plain data for a window or a report to show.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "job.h"
#include "split.h"

namespace balance4::job {

// The cell a failure belongs to, so that a window can mark it. Run, Point and Plane are -1 where
// they do not apply; Run counts as in Job::Readings.
enum class Cell {
    Amplitude,
    Phase,
    SlowRollAmplitude,
    SlowRollPhase,
    TrialMass,
    TrialAngle,
    TrialRadius,
    CorrectionRadius,
    Positions,
    Installed,
    Shape,            // planes or points out of range, readings of the wrong shape
    Tolerance,        // the instrument's tolerance
    Coefficients,     // trim: none saved, or of another shape
    Limit,            // a point's residual limit, a plane's mass limit or a speed's weight
    RepeatAmplitude,  // Run: the repeat's index in Job::Repeats
    RepeatPhase,
};

// One refused cell with its Russian message, in the order the cells are checked.
struct CellFailure {
    Cell Kind = Cell::Shape;
    int Run = -1;
    int Point = -1;
    int Plane = -1;
    std::string Message;
    int Speed = 0;  // whose readings: 0 for Job::Readings, s for Job::MoreSpeeds[s − 1]
};

enum class Outcome {
    Refused,     // some cell failed; Failures says which; nothing calculated
    NoSolution,  // the system is singular or at rounding-noise level: Message says so
    Calculated,
};

// How far a result can be trusted, from its spread.
enum class Trust { Trusted, Doubtful, Unreliable };

inline constexpr double kDoubtfulSpread = 0.30;    // vector spread above 30 % of the mass
inline constexpr double kUnreliableSpread = 1.00;  // vector spread above the mass itself

// «сомнительно», «недостоверно»; empty for a trusted result.
std::string_view TrustWord(Trust trust);

// 95 % bounds of how far the result moves with the readings moved within the tolerance, in the
// job's unit and degrees; infinite when more than 5 % of the repetitions gave no result.
struct PlaneSpread {
    double Mass = 0.0;
    double AngleDegrees = 0.0;
    double Vector = 0.0;  // distance between the correction vectors
    Trust Level = Trust::Trusted;
};

// The one position nearest to a plane's correction, for the whole weight.
struct NearestPosition {
    Position At;
    double AngleError = 0.0;   // degrees between it and the correction
    double Residual = 0.0;     // the largest vibration over the points with the whole weight there
    bool Recommended = false;  // the weight moved there stays within the correction's spread
};

// One plane's correction W, solved together with the other planes'.
struct PlaneResult {
    double Percent = 0.0;             // |W| in percent of the trial mass, the window's M
    double AngleFromTrial = 0.0;      // degrees from the trial weight's place, the window's F
    double AngleFromZero = 0.0;       // degrees from the zero mark
    double Mass = 0.0;                // in the job's unit, at the correction radius
    std::optional<Weight> KeepTrial;  // trial weights left on: what to add if this one stays
    std::optional<Weight> OnRotor;    // trim: installed weights and this correction as one
    bool SplitAsked = false;
    SplitResult Split;  // of OnRotor when there is one, else of the correction
    PlaneSpread Spread;
    std::optional<NearestPosition> Nearest;  // calculated jobs with positions
};

// The weight to fit: the installed weights and the correction as one where the rotor carries some,
// else the correction.
inline Weight WeightToPlace(const PlaneResult& plane) {
    return plane.OnRotor ? *plane.OnRotor : Weight{plane.Mass, plane.AngleFromZero};
}

// The predicted vibration at a point after the correction; zero for a square system.
struct PointResult {
    double Amplitude = 0.0;
    double PhaseDegrees = 0.0;  // in the phase direction
};

// How much a trial run moved the vibration: the largest |Vk − V0| over the points, in percent of
// |V0| (|Vk − Vk−1| with trial weights left on). Weak below kWeakRunPercent: a rule of thumb.
struct RunQuality {
    double ChangePercent = 0.0;
    bool Weak = false;
    bool Large = false;  // above kLargeRunPercent
};

// The go/no-go rules of thumb that the tool, the window and the report share. A trial run that
// changed the vibration less than this is weak: its effect drowns in the instrument's error.
inline constexpr double kWeakRunPercent = 25.0;
// A trial weight that changes the vibration more than this puts the machine at risk.
inline constexpr double kLargeRunPercent = 300.0;
// A correction above this share of its trial mass means the trial weight was too light to measure
// its effect well.
inline constexpr double kLargeCorrectionPercent = 300.0;

// What a warning is about; Number counts from 1 as the user sees it (runs as in the readings'
// messages: run 1 is the one without trial weights).
enum class WarningSubject { Plane, Run, Point };

// A result that stands but one of the rules above, or a check of the data, found wanting.
struct Warning {
    WarningSubject About = WarningSubject::Plane;
    int Number = 1;
    std::string Text;
};

// How far each reading may be off, as the spread and the check of the points assume it: the
// instrument's tolerance, or per component the scatter of repeated readings where that is larger.
struct ReadingScatter {
    double AmplitudePercent = 0.0;
    double PhaseDegrees = 0.0;
    bool FromRepeats = false;  // some component came from the repeats
};

// A point whose readings disagree with the others, and the correction the others give without it.
struct SuspectPoint {
    int Point = 1;                // from 1
    std::vector<Weight> Without;  // per plane: mass in the job's unit, angle from the zero mark
};

// Coefficients refined from the trial runs and the recorded control runs, which a trim used in
// place of the saved ones.
struct Refinement {
    Coefficients Refined;
    std::vector<double> ChangePercent;  // per coefficient, as Coefficients::Element: |Δ| / |saved|
    int Runs = 0;                       // runs fitted: the trial runs and the control runs used
    int Repeated = 0;  // control runs left out: on the rotor were the weights of a run already used
};

// The predicted vibration at one point at one speed after the correction.
struct ResidualAt {
    int Point = 0;  // 0-based, like the speeds
    int Speed = 0;
    double Amplitude = 0.0;
    double PhaseDegrees = 0.0;  // in the phase direction
};

// How an answer leaves the vibration: the largest and the root mean square of |R| / L over every
// point and speed (L the point's limit, 1 where none), and where the largest is.
struct AnswerFigures {
    double Worst = 0.0;
    int WorstPoint = 0;
    int WorstSpeed = 0;
    double Rms = 0.0;
};

// A job solved with another objective than plain least squares, mass limits or several speeds: its
// answer beside plain least squares over the same points and speeds.
struct OptimisedSummary {
    Objective Goal = Objective::LeastSquares;
    AnswerFigures LeastSquares;                // no limits, every speed weighed
    AnswerFigures Chosen;                      // the answer in PlaneResult
    std::vector<double> SpeedConditionNumber;  // per speed
};

// The weights from the box in one hole.
struct HoleLoad {
    int Plane = 0;  // 0-based
    Position At;
    std::vector<double> Masses;  // largest first
};

// The weights the box holds, placed in the holes: the best the search found in its time.
struct BoxResult {
    bool Found = false;
    std::string Message;  // why nothing was found
    bool Proven = false;  // no placement is better
    double Gap = 0.0;     // how far the proved bound may still lie below it, as a fraction
    std::vector<HoleLoad> Holes;
    std::vector<ResidualAt> Residuals;
    AnswerFigures Figures;
    // The continuous answer split onto the two holes around it, each part rounded to the nearest
    // sum of the box's masses; NaiveFits: that needs no more than the box holds.
    AnswerFigures Naive;
    bool NaiveFits = false;
};

// Everything one calculation or trim gives; only Failures (Refused) or Message (NoSolution) when
// nothing was calculated.
struct JobResult {
    Outcome Result = Outcome::Refused;
    std::vector<CellFailure> Failures;
    std::string Message;  // NoSolution: the line to show («Некорректная масса пробных грузов»)
    bool Exact = false;   // solved by the calculator's own 4 × 4 path
    std::array<std::string, 8> WindowTexts;  // Exact: LabelM1..LabelM4, LabelF1..LabelF4
    std::string_view RotationWord;  // «по вращению» / «против вращения»
    std::vector<PlaneResult> Planes;
    std::vector<PointResult> Points;
    std::vector<RunQuality> Runs;  // per trial run 1..planes at index 0..; empty for a trim
    double ConditionNumber = 0.0;  // of the changes the trial weights caused (large: ill-posed)
    int SpreadSamples = 0;
    int SpreadFailed = 0;    // repetitions that gave no result
    bool Untrusted = false;  // some plane is «недостоверно», so none is
    std::string UntrustedReason;
    std::optional<Coefficients> Saved;  // a calculated job's coefficients, to keep for trims
    std::optional<OptimisedSummary> Optimised;
    std::vector<ResidualAt> Residuals;  // an optimised job's: every point at every speed
    std::optional<BoxResult> Box;       // a job with a box of weights
    // Some trial mass was not given: the job was calculated as PercentJob, every mass in % of its
    // trial mass; show kTrialMassMissingText with it.
    bool PercentOnly = false;
    std::optional<Refinement> Refined;          // a trim that used refined coefficients
    std::vector<Warning> Warnings;              // in the order: runs, planes, points
    std::vector<std::vector<int>> PlanesAlike;  // groups of planes (from 1) that act alike
    std::vector<SuspectPoint> Suspects;         // least squares with spare points only
    ReadingScatter Scatter;
};

inline constexpr std::string_view kTrialMassMissingText =
    "Впишите массу пробного груза в каждой плоскости — до этого поправки в % от неё";

}  // namespace balance4::job
