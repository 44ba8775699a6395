#include "reading_line.h"

namespace balance4::job {

std::optional<std::vector<std::vector<ReadingText>>> RunsFromReadingLine(
    const std::vector<std::string>& fields, int planes, int points) {
    if (planes < 0 || points < 0) return std::nullopt;
    const auto runs = static_cast<std::size_t>(planes) + 1;
    const auto count = static_cast<std::size_t>(points);
    if (fields.size() != 2 * runs * count) return std::nullopt;
    std::vector<std::vector<ReadingText>> readings(runs, std::vector<ReadingText>(count));
    std::size_t next = 0;
    for (std::size_t p = 0; p < count; ++p)
        for (std::vector<ReadingText>& run : readings) {
            run[p].Amplitude = fields[next++];
            run[p].Phase = fields[next++];
        }
    return readings;
}

}  // namespace balance4::job
