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
    Job job = MakeJob(4, 4);
    job.Unit = "%";
    for (const ReadingField& field : kReadingFields) {
        ReadingText& reading = job.Readings[static_cast<std::size_t>(field.Run)]
                                           [static_cast<std::size_t>(field.Plane - 1)];
        (field.Kind == ReadingKind::Amplitude ? reading.Amplitude : reading.Phase) =
            field.DefaultText;
    }
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
    if (!job.Installed.empty()) job.Installed.resize(static_cast<std::size_t>(planes));
    for (SpeedReadings& speed : job.MoreSpeeds) {
        speed.Readings.resize(static_cast<std::size_t>(planes + 1));
        for (std::vector<ReadingText>& run : speed.Readings) run.resize(p);
    }
    if (!job.Optimise.PointLimit.empty()) job.Optimise.PointLimit.resize(p);
    if (!job.Optimise.MassLimit.empty())
        job.Optimise.MassLimit.resize(static_cast<std::size_t>(planes));
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
