#include "positions.h"

#include <charconv>
#include <cmath>
#include <vector>

#include "job_text.h"

namespace balance4::job {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The place an angle names, in hundredths of a degree (the last digit an angle is shown with):
// 0 and 360 are one place.
long long PlaceOf(double degrees) {
    return std::llround(degrees * 100.0) % 36000;
}

std::string Count(std::size_t count) {
    return std::to_string(count);
}

// A whole number of holes: digits only, no more than fit.
std::optional<int> HoleCount(std::string_view text) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != text.npos)
        return std::nullopt;
    int count = 0;
    std::from_chars(text.data(), text.data() + text.size(), count);
    return count;
}

}  // namespace

std::optional<std::string> PositionsProblem(const PlaneSetup& plane) {
    const std::string range = "от 2 до " + std::to_string(kMaxHoles);
    if (plane.Holes != 0 && !plane.Positions.empty())
        return "заданы и отверстия, и места: нужно что-то одно";
    if (plane.Holes != 0) {
        if (plane.Holes >= 2 && plane.Holes <= kMaxHoles) return std::nullopt;
        return "отверстий нужно " + range + ", дано " + std::to_string(plane.Holes);
    }
    const std::vector<double>& angles = plane.Positions;
    if (angles.empty()) return std::nullopt;
    if (angles.size() < 2 || angles.size() > static_cast<std::size_t>(kMaxHoles))
        return "нужно " + range + " позиций, дано " + Count(angles.size());
    for (std::size_t a = 0; a < angles.size(); ++a)
        if (!(std::isfinite(angles[a]) && angles[a] >= 0.0 && angles[a] <= 360.0))
            return "позиция " + Count(a + 1) + " — не угол от 0 до 360°";
    for (std::size_t a = 0; a < angles.size(); ++a)
        for (std::size_t b = a + 1; b < angles.size(); ++b)
            if (PlaceOf(angles[a]) == PlaceOf(angles[b]))
                return "позиции " + Count(a + 1) + " и " + Count(b + 1) + " совпадают";
    return std::nullopt;
}

bool ParsePositionsText(std::string_view text, std::string_view separator, PlaneSetup& plane,
                        std::string& error) {
    text = Trimmed(text);
    PlaneSetup read = plane;
    read.Holes = 0;
    read.Positions.clear();
    if (const std::optional<int> holes = HoleCount(text)) {
        read.Holes = *holes;
    } else {
        while (!text.empty()) {
            const std::size_t end = std::min(text.find(';'), text.size());
            const std::string_view part = Trimmed(text.substr(0, end));
            text.remove_prefix(std::min(end + 1, text.size()));
            if (part.empty()) continue;
            const std::optional<double> angle = ParseNumberText(part, separator);
            if (!angle) {
                error = "не число: " + Quoted(part) + "; места разделяйте «;»";
                return false;
            }
            read.Positions.push_back(*angle);
        }
    }
    if (const std::optional<std::string> problem = PositionsProblem(read)) {
        error = *problem;
        return false;
    }
    plane = std::move(read);
    return true;
}

std::string PositionsText(const PlaneSetup& plane, std::string_view separator) {
    if (plane.Holes != 0) return std::to_string(plane.Holes);
    std::string text;
    for (const double angle : plane.Positions)
        text += (text.empty() ? "" : "; ") + ShortestNumberText(angle, separator);
    return text;
}

}  // namespace balance4::job
