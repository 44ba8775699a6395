#include "job.h"

#include <algorithm>
#include <cmath>

#include "number_text.h"
#include "reading_fields.h"

namespace balance4::job {

Job MakeJob(int planes, int points) {
    Job job;
    Reshape(job, planes, points);
    return job;
}

Job ExampleJob() {
    Job job = PercentJob(MakeJob(4, 4));
    for (const ReadingField& field : kReadingFields) {
        ReadingText& reading = job.Readings[static_cast<std::size_t>(field.Run)]
                                           [static_cast<std::size_t>(field.Plane - 1)];
        (field.Kind == ReadingKind::Amplitude ? reading.Amplitude : reading.Phase) =
            field.DefaultText;
    }
    return job;
}

bool TrialMassMissing(const Job& job) {
    return std::any_of(job.Plane.begin(), job.Plane.end(),
                       [](const PlaneSetup& plane) { return plane.TrialMass == 0.0; });
}

Job PercentJob(Job job) {
    job.Unit = "%";
    for (PlaneSetup& plane : job.Plane) plane.TrialMass = 100.0;
    return job;
}

void Reshape(Job& job, int planes, int points) {
    planes = std::clamp(planes, 1, kMaxPlanes);
    points = std::clamp(points, planes, kMaxPoints);
    const auto p = static_cast<std::size_t>(points);
    job.Plane.resize(static_cast<std::size_t>(planes));
    job.Points = points;
    job.Readings.resize(static_cast<std::size_t>(planes + 1));
    for (std::vector<ReadingText>& run : job.Readings) run.resize(p);
    if (!job.SlowRoll.empty()) job.SlowRoll.resize(p);
    if (!job.ControlRun.empty()) job.ControlRun.resize(p);
    if (!job.Installed.empty()) job.Installed.resize(static_cast<std::size_t>(planes));
    for (SpeedReadings& speed : job.MoreSpeeds) {
        speed.Readings.resize(static_cast<std::size_t>(planes + 1));
        for (std::vector<ReadingText>& run : speed.Readings) run.resize(p);
    }
    if (!job.Optimise.PointLimit.empty()) job.Optimise.PointLimit.resize(p);
    if (!job.Optimise.MassLimit.empty())
        job.Optimise.MassLimit.resize(static_cast<std::size_t>(planes));
    std::erase_if(job.Repeats, [&](const RepeatRun& repeat) { return repeat.Run > planes; });
    for (RepeatRun& repeat : job.Repeats) repeat.Readings.resize(p);
}

std::optional<double> ParseNumberText(std::string_view text, std::string_view separator) {
    std::optional<Extended> value = ParseDecimal(text, separator);
    if (!value && separator != ".") value = ParseDecimal(text, ".");
    if (!value) return std::nullopt;
    const double number = static_cast<double>(*value);
    if (!std::isfinite(number)) return std::nullopt;
    return number;
}

}  // namespace balance4::job
