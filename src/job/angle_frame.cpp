#include "angle_frame.h"

#include <algorithm>

#include "calculate.h"
#include "number_text.h"
#include "split.h"

namespace balance4::job {

namespace {

double Mirrored(double degrees) {
    return NormalisedDegrees(-degrees);
}

void Mirror(Weight& weight) {
    weight.AngleDegrees = Mirrored(weight.AngleDegrees);
}

}  // namespace

bool AnglesAsPhase(const Job& job) {
    return job.Angles == AngleFrame::AsPhase;
}

AngleFrame FrameCounting(bool withRotation, PhaseConvention convention) {
    // With phase lag the calculation's frame runs with the rotation.
    return withRotation == (convention == PhaseConvention::AgainstRotation)
               ? AngleFrame::AgainstPhase
               : AngleFrame::AsPhase;
}

std::string_view AngleDirectionWord(const Job& job) {
    const std::string_view againstPhase = RotationWordOf(job.Convention);
    if (!AnglesAsPhase(job)) return againstPhase;
    return againstPhase == "по вращению" ? "против вращения" : "по вращению";
}

std::string AngleHeading(std::string_view heading, const Job& job) {
    return std::string(heading) + ", " + std::string(AngleDirectionWord(job));
}

Job InCalculationFrame(const Job& job) {
    Job mirrored = job;
    mirrored.Angles = AngleFrame::AgainstPhase;
    for (PlaneSetup& plane : mirrored.Plane) {
        plane.TrialAngle = Mirrored(plane.TrialAngle);
        if (plane.Holes > 0) {
            for (const Position& hole : EquallySpaced(plane.Holes))
                plane.Positions.push_back(hole.AngleDegrees);
            plane.Holes = 0;
        }
        for (double& position : plane.Positions) position = Mirrored(position);
    }
    for (std::vector<Weight>& weights : mirrored.Installed)
        for (Weight& weight : weights) Mirror(weight);
    if (mirrored.Saved)
        for (Weight& trial : mirrored.Saved->Trial) Mirror(trial);
    return mirrored;
}

void IntoJobFrame(JobResult& result, const std::string& separator) {
    for (PlaneResult& plane : result.Planes) {
        plane.AngleFromTrial = Mirrored(plane.AngleFromTrial);
        plane.AngleFromZero = Mirrored(plane.AngleFromZero);
        if (plane.KeepTrial) Mirror(*plane.KeepTrial);
        if (plane.OnRotor) Mirror(*plane.OnRotor);
        // Mirrored, the two neighbours change places: keep them in the user's order.
        std::reverse(plane.Split.Parts.begin(), plane.Split.Parts.end());
        for (SplitPart& part : plane.Split.Parts)
            part.At.AngleDegrees = Mirrored(part.At.AngleDegrees);
        if (plane.Nearest)
            plane.Nearest->At.AngleDegrees = Mirrored(plane.Nearest->At.AngleDegrees);
    }
    if (result.Box)
        for (HoleLoad& hole : result.Box->Holes)
            hole.At.AngleDegrees = Mirrored(hole.At.AngleDegrees);
    for (SuspectPoint& suspect : result.Suspects)
        for (Weight& weight : suspect.Without) Mirror(weight);
    if (result.Saved)
        for (Weight& trial : result.Saved->Trial) Mirror(trial);
    if (result.Exact)
        for (std::size_t k = 0; k < result.Planes.size() && 4 + k < result.WindowTexts.size(); ++k)
            result.WindowTexts[4 + k] = FormatResult(result.Planes[k].AngleFromTrial, separator);
    result.RotationWord = result.RotationWord == "по вращению" ? "против вращения" : "по вращению";
}

}  // namespace balance4::job
