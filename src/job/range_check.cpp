#include "range_check.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "number_text.h"

namespace balance4::job {

namespace {

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A set-up number as the user would have typed it, with the job's separator.
std::string Shown(double value, const std::string& separator) {
    char text[40];
    std::snprintf(text, sizeof text, "%.10g", value);
    std::string shown = text;
    if (const std::size_t dot = shown.find('.'); dot != std::string::npos)
        shown.replace(dot, 1, separator);
    return shown;
}

bool OutsideTurn(double degrees) {
    return !(degrees >= 0.0 && degrees <= kFullTurnDegrees);
}

std::string Beyond(const std::string& where, const std::string& value) {
    return where + value + "° вне 0…360° — опечатка?";
}

// A number the readings' own rule accepts: not one beyond the double range, which that rule
// refuses in its own words.
std::optional<long double> Usable(const std::string& text, const std::string& separator) {
    const std::optional<Extended> value = ParseDecimal(text, separator);
    if (!value || !(std::fabs(*value) <= std::numeric_limits<double>::max())) return std::nullopt;
    return *value;
}

bool PhaseBeyondTurn(const std::string& text, const std::string& separator) {
    const std::optional<long double> phase = Usable(text, separator);
    return phase && *phase > kFullTurnDegrees;
}

void CheckPhases(const std::vector<std::vector<ReadingText>>& runs, const std::string& separator,
                 std::vector<CellFailure>& failures) {
    const std::size_t points = runs.empty() ? 0 : runs.front().size();
    for (std::size_t p = 0; p < points; ++p)
        for (std::size_t r = 0; r < runs.size(); ++r)
            if (PhaseBeyondTurn(runs[r][p].Phase, separator))
                failures.push_back({Cell::Phase, static_cast<int>(r), static_cast<int>(p), -1,
                                    Beyond("Пуск " + std::to_string(r + 1) + ", точка " +
                                               std::to_string(p + 1) + ": фаза ",
                                           Trimmed(runs[r][p].Phase))});
}

struct Amplitude {
    long double Value;
    std::size_t Run, Point;
};

// The positive amplitudes the readings' rule accepts, with their places.
std::vector<Amplitude> Amplitudes(const std::vector<std::vector<ReadingText>>& runs,
                                  const std::string& separator) {
    std::vector<Amplitude> amplitudes;
    for (std::size_t r = 0; r < runs.size(); ++r)
        for (std::size_t p = 0; p < runs[r].size(); ++p) {
            const std::optional<long double> value = Usable(runs[r][p].Amplitude, separator);
            if (value && *value > 0.0L) amplitudes.push_back({*value, r, p});
        }
    return amplitudes;
}

Amplitude Largest(const std::vector<Amplitude>& amplitudes) {
    return *std::max_element(
        amplitudes.begin(), amplitudes.end(),
        [](const Amplitude& a, const Amplitude& b) { return a.Value < b.Value; });
}

CellFailure Named(const std::vector<std::vector<ReadingText>>& runs, const Amplitude& amplitude,
                  const std::string& why) {
    return {Cell::Amplitude, static_cast<int>(amplitude.Run), static_cast<int>(amplitude.Point), -1,
            "Пуск " + std::to_string(amplitude.Run + 1) + ", точка " +
                std::to_string(amplitude.Point + 1) + ": амплитуда " +
                Trimmed(runs[amplitude.Run][amplitude.Point].Amplitude) + why + " — опечатка?"};
}

}  // namespace

void CheckJobRanges(const Job& job, std::vector<CellFailure>& failures) {
    CheckPhases(job.Readings, job.Separator, failures);
    for (std::size_t p = 0; p < job.SlowRoll.size(); ++p)
        if (PhaseBeyondTurn(job.SlowRoll[p].Phase, job.Separator))
            failures.push_back({Cell::SlowRollPhase, -1, static_cast<int>(p), -1,
                                Beyond("Биение, точка " + std::to_string(p + 1) + ": фаза ",
                                       Trimmed(job.SlowRoll[p].Phase))});
    for (std::size_t i = 0; i < job.Repeats.size(); ++i)
        for (std::size_t p = 0; p < job.Repeats[i].Readings.size(); ++p)
            if (PhaseBeyondTurn(job.Repeats[i].Readings[p].Phase, job.Separator))
                failures.push_back(
                    {Cell::RepeatPhase, static_cast<int>(i), static_cast<int>(p), -1,
                     Beyond("Повтор пуска " + std::to_string(job.Repeats[i].Run + 1) + ", точка " +
                                std::to_string(p + 1) + ": фаза ",
                            Trimmed(job.Repeats[i].Readings[p].Phase))});
    for (std::size_t k = 0; k < job.Plane.size(); ++k) {
        const PlaneSetup& plane = job.Plane[k];
        const std::string name = "Плоскость " + std::to_string(k + 1);
        if (OutsideTurn(plane.TrialAngle))
            failures.push_back(
                {Cell::TrialAngle, -1, -1, static_cast<int>(k),
                 Beyond(name + ": угол пробного груза ", Shown(plane.TrialAngle, job.Separator))});
        for (std::size_t i = 0; i < plane.Positions.size(); ++i)
            if (OutsideTurn(plane.Positions[i])) {
                failures.push_back({Cell::Positions, -1, -1, static_cast<int>(k),
                                    Beyond(name + ", место " + std::to_string(i + 1) + ": ",
                                           Shown(plane.Positions[i], job.Separator))});
                break;
            }
    }
}

void CheckRunRanges(const std::vector<ReadingText>& run0, const std::string& separator,
                    std::vector<CellFailure>& failures) {
    CheckPhases({run0}, separator, failures);
}

std::optional<CellFailure> OversizedReading(const std::vector<std::vector<ReadingText>>& runs,
                                            const std::string& separator) {
    const std::vector<Amplitude> amplitudes = Amplitudes(runs, separator);
    if (amplitudes.empty()) return std::nullopt;
    std::vector<long double> values;
    for (const Amplitude& a : amplitudes) values.push_back(a.Value);
    std::nth_element(values.begin(), values.begin() + static_cast<long>(values.size() / 2),
                     values.end());
    const long double median = values[values.size() / 2];
    const Amplitude largest = Largest(amplitudes);
    if (largest.Value <= median * kLargestReadingRatio) return std::nullopt;
    return Named(runs, largest,
                 " несоизмеримо больше остальных показаний: с ней расчёт теряет точность");
}

JobResult NameOverflowCause(const std::vector<std::vector<ReadingText>>& runs,
                            const std::string& separator, JobResult result) {
    if (result.Result != Outcome::NoSolution) return result;
    const std::vector<Amplitude> amplitudes = Amplitudes(runs, separator);
    if (amplitudes.empty()) return result;
    const Amplitude largest = Largest(amplitudes);
    if (largest.Value <= kLargestAmplitude) return result;
    result.Result = Outcome::Refused;
    result.Message.clear();
    result.Failures = {Named(runs, largest, " слишком велика: расчёт с ней переполняется")};
    return result;
}

}  // namespace balance4::job
