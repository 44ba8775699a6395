#include "job_sketches.h"

#include <cmath>

#include "job/readings.h"
#include "job/result_words.h"
#include "job/split.h"
#include "report_layout.h"

namespace balance4::jobwindow {

namespace {

SketchTrust TrustOf(job::Trust trust) {
    switch (trust) {
        case job::Trust::Doubtful:
            return SketchTrust::Doubtful;
        case job::Trust::Unreliable:
            return SketchTrust::Untrusted;
        case job::Trust::Trusted:
            break;
    }
    return SketchTrust::Trusted;
}

}  // namespace

SketchView MakeSketchView(const job::Job& job, bool viewFromDriveEnd, const QString& decimal) {
    SketchView view;
    view.RotationClockwiseFromDriveEnd = job.Rotation == job::RotationDirection::Clockwise;
    view.ViewFromDriveEnd = viewFromDriveEnd;
    view.PhaseAgainstRotation = job.Convention == job::PhaseConvention::AgainstRotation;
    view.Decimal = decimal;
    return view;
}

std::vector<PlaneSketch> MakePlaneSketches(const job::Job& job, const job::JobResult& result) {
    std::vector<PlaneSketch> sketches;
    const bool calculated =
        result.Result == job::Outcome::Calculated && result.Planes.size() == job.Plane.size();
    for (std::size_t k = 0; k < job.Plane.size(); ++k) {
        const job::PlaneSetup& setup = job.Plane[k];
        PlaneSketch sketch;
        sketch.Plane = static_cast<int>(k) + 1;
        sketch.Unit = PlainText(QString::fromStdString(job.Unit));
        sketch.TrialMass = setup.TrialMass;
        sketch.TrialAngle = setup.TrialAngle;
        sketch.Holes = setup.Holes > 0;
        for (const job::Position& position : job::PositionsOf(setup))
            sketch.Positions.push_back({position.Number, position.AngleDegrees});
        if (calculated) {
            const job::PlaneResult& plane = result.Planes[k];
            sketch.HasCorrection = true;
            // After a trim the weight to have on the rotor is the one that gets split and fitted.
            const job::Weight weight = job::WeightToPlace(plane);
            sketch.OnRotor = plane.OnRotor.has_value();
            sketch.Mass = weight.Mass;
            sketch.AngleFromZero = weight.AngleDegrees;
            sketch.AngleFromTrial = plane.AngleFromTrial;
            sketch.AngleSpread = plane.Spread.AngleDegrees;
            sketch.MassSpread = plane.Spread.Mass;
            sketch.Trust = TrustOf(plane.Spread.Level);
            if (plane.SplitAsked) {
                for (const job::SplitPart& part : plane.Split.Parts)
                    sketch.Parts.push_back({{part.At.Number, part.At.AngleDegrees}, part.Mass});
                if (plane.Split.Refused)
                    sketch.SplitNote = QString::fromStdString(job::SplitRefusalText());
                else
                    sketch.SplitNote = QString::fromStdString(plane.Split.Warning);
            }
        }
        sketches.push_back(std::move(sketch));
    }
    return sketches;
}

std::vector<PointSketch> MakePointSketches(const job::Job& job, const job::JobResult& result) {
    std::vector<PointSketch> sketches;
    for (int p = 0; p < job.Points; ++p) {
        PointSketch sketch;
        sketch.Point = p + 1;
        for (std::size_t run = 0; run < job.Readings.size(); ++run) {
            if (static_cast<std::size_t>(p) >= job.Readings[run].size()) continue;
            const job::ReadingText& reading = job.Readings[run][static_cast<std::size_t>(p)];
            // Only what the calculation accepts is drawn; the values are the texts' own.
            if (!job::AcceptedReading(reading, job.Separator)) continue;
            const auto amplitude = job::ParseNumberText(reading.Amplitude, job.Separator);
            const auto phase = job::ParseNumberText(reading.Phase, job.Separator);
            if (amplitude && phase)
                sketch.Vectors.push_back({static_cast<int>(run), *amplitude, *phase});
        }
        // A trim's residual belongs to its own new run, not to these: a trim has no trial runs.
        const bool trim = result.Runs.empty();
        if (result.Result == job::Outcome::Calculated && !trim &&
            static_cast<std::size_t>(p) < result.Points.size()) {
            const job::PointResult& residual = result.Points[static_cast<std::size_t>(p)];
            sketch.Vectors.push_back({-1, residual.Amplitude, residual.PhaseDegrees});
        }
        sketches.push_back(std::move(sketch));
    }
    return sketches;
}

}  // namespace balance4::jobwindow
