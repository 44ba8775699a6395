#include "readings.h"

#include "extended.h"
#include "number_text.h"

namespace balance4::job {

namespace {

// As the calculator stores a field: amplitudes as typed, phases from degrees to radians, rounded
// to double. Empty when the text is not a number or the value does not fit a double.
std::optional<double> Convert(const std::string& text, const std::string& separator,
                              bool amplitude) {
    const std::optional<Extended> value = ParseDecimal(text, separator);
    if (!value) return std::nullopt;
    try {
        return Store(amplitude ? *value : *value * kDegreesToRadians);
    } catch (const FloatingPointError&) {
        return std::nullopt;
    }
}

}  // namespace

bool AcceptedReading(const ReadingText& text, const std::string& separator) {
    const ExtendedPrecisionScope precision;
    std::vector<CellFailure> failures;
    return ReadReading(text, separator, Cell::Amplitude, Cell::Phase, 0, 0, {}, failures)
        .has_value();
}

std::string ReadingMessage(bool amplitude, int point, int run, bool negative) {
    return std::string("Неверно задан ") + (amplitude ? "Vo" : "Fo") + std::to_string(point + 1) +
           ", пуск " + std::to_string(run + 1) + (negative ? " !!!" : "");
}

std::optional<PolarReading> ReadReading(const ReadingText& text, const std::string& separator,
                                        Cell amplitudeCell, Cell phaseCell, int run, int point,
                                        const std::string& what,
                                        std::vector<CellFailure>& failures) {
    PolarReading reading;
    bool accepted = true;
    for (const bool amplitude : {true, false}) {
        const std::optional<double> value =
            Convert(amplitude ? text.Amplitude : text.Phase, separator, amplitude);
        if (value) (amplitude ? reading.Amplitude : reading.Phase) = *value;
        if (!value || *value < 0.0) {
            accepted = false;
            failures.push_back({amplitude ? amplitudeCell : phaseCell, run, point, -1,
                                what.empty()
                                    ? ReadingMessage(amplitude, point, run, value.has_value())
                                    : what + (amplitude ? " (амплитуда)" : " (фаза)")});
        }
    }
    if (!accepted) return std::nullopt;
    return reading;
}

std::optional<RunReadings> ReadRuns(const std::vector<std::vector<ReadingText>>& runs, int points,
                                    const std::string& separator,
                                    std::vector<CellFailure>& failures) {
    RunReadings readings(runs.size(), std::vector<PolarReading>(static_cast<std::size_t>(points)));
    bool accepted = true;
    for (int p = 0; p < points; ++p)
        for (std::size_t r = 0; r < runs.size(); ++r) {
            const auto point = static_cast<std::size_t>(p);
            const std::optional<PolarReading> reading =
                ReadReading(runs[r][point], separator, Cell::Amplitude, Cell::Phase,
                            static_cast<int>(r), p, "", failures);
            if (reading)
                readings[r][point] = *reading;
            else
                accepted = false;
        }
    if (!accepted) return std::nullopt;
    return readings;
}

}  // namespace balance4::job
