#pragma once
// What the pictures of a job show, as plain values taken from the job and its results: the
// drawing code below knows nothing of how they were calculated.
#include <QString>
#include <vector>

namespace balance4::jobwindow {

// How the discs are seen. Angles from the zero mark are counted in the result frame, opposite to
// the instrument's phase direction; on screen that is with or against the rotation.
struct SketchView {
    bool RotationClockwiseFromDriveEnd = true;  // the job's set-up
    bool ViewFromDriveEnd = true;               // which end the picture is seen from
    bool PhaseAgainstRotation = true;           // phase lag: the usual instrument
    QString Decimal = QStringLiteral(",");      // the locale's decimal symbol

    bool RotationClockwiseOnScreen() const {
        return RotationClockwiseFromDriveEnd == ViewFromDriveEnd;
    }
    // Phase lag makes the result frame the direction of rotation.
    bool ResultsWithRotation() const { return PhaseAgainstRotation; }
    bool ResultClockwiseOnScreen() const {
        return RotationClockwiseOnScreen() == ResultsWithRotation();
    }
};

struct SketchPosition {
    int Number = 1;
    double AngleDegrees = 0.0;  // from the zero mark, result frame
};

struct SketchPart {
    SketchPosition At;
    double Mass = 0.0;
};

// Trust of a plane's correction, as the results state it.
enum class SketchTrust { Trusted, Doubtful, Untrusted };

struct PlaneSketch {
    int Plane = 1;
    QString Unit;
    double TrialMass = 0.0;
    double TrialAngle = 0.0;  // from the zero mark, result frame
    std::vector<SketchPosition> Positions;
    bool Holes = true;  // numbered holes rather than a list of places

    bool HasCorrection = false;  // false: no solution, only the disc and the trial place
    bool OnRotor = false;        // a trim: the weight shown is all that should be on the rotor
    double Mass = 0.0;           // at the correction radius
    double AngleFromZero = 0.0;
    double AngleFromTrial = 0.0;
    double AngleSpread = 0.0;  // ± degrees, 95 %; infinite when unknown or any direction
    double MassSpread = 0.0;
    SketchTrust Trust = SketchTrust::Trusted;
    std::vector<SketchPart> Parts;
    QString SplitNote;  // why there are no parts, or a warning about them; empty if none
};

struct SketchVector {
    int Run = 0;  // 0 for the run without weights; -1 for the predicted residual
    double Amplitude = 0.0;
    double PhaseDegrees = 0.0;  // in the instrument's phase direction
};

struct PointSketch {
    int Point = 1;
    std::vector<SketchVector> Vectors;
};

}  // namespace balance4::jobwindow
