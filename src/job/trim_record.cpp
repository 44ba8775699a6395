#include "trim_record.h"

#include <ctime>

namespace balance4::job {

std::vector<Weight> PlacedWeights(const PlaneResult& plane) {
    if (!plane.SplitAsked || plane.Split.Refused) return {WeightToPlace(plane)};
    std::vector<Weight> parts;
    for (const SplitPart& part : plane.Split.Parts)
        parts.push_back({part.Mass, part.At.AngleDegrees});
    return parts;
}

void RecordTrim(Job& job, const JobResult& trim, const std::string& date, TrimFitted fitted) {
    if (trim.Result != Outcome::Calculated) return;
    TrimRecord record{date, job.ControlRun, {}, job.Installed};
    for (const PlaneResult& plane : trim.Planes)
        record.Correction.push_back({plane.Mass, plane.AngleFromZero});
    if (fitted == TrimFitted::Yes) {
        job.Installed.resize(trim.Planes.size());
        for (std::size_t k = 0; k < trim.Planes.size(); ++k)
            job.Installed[k] = PlacedWeights(trim.Planes[k]);
    }
    job.TrimHistory.push_back(std::move(record));
    job.ControlRun.clear();
}

std::string RecordDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[32] = {};
    if (localtime_r(&now, &local) == nullptr ||
        std::strftime(text, sizeof text, "%d.%m.%Y %H:%M", &local) == 0)
        return {};
    return text;
}

}  // namespace balance4::job
