#include "repeats.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

#include "number_text.h"
#include "readings.h"

namespace balance4::job {

namespace {

std::complex<long double> VectorOf(const PolarReading& reading) {
    return std::polar(static_cast<long double>(reading.Amplitude),
                      static_cast<long double>(reading.Phase));
}

double DegreesApart(double a, double b) {
    const double difference = std::fmod(std::fabs(a - b) * 180.0 / std::numbers::pi, 360.0);
    return std::min(difference, 360.0 - difference);
}

// Every reading of run r at point p: the first one and its repeats.
std::vector<PolarReading> ReadingsOf(const RunReadings& readings,
                                     const std::vector<RepeatRun>& repeats,
                                     const RunReadings& repeated, std::size_t r, std::size_t p) {
    std::vector<PolarReading> all = {readings[r][p]};
    for (std::size_t i = 0; i < repeats.size(); ++i)
        if (static_cast<std::size_t>(repeats[i].Run) == r) all.push_back(repeated[i][p]);
    return all;
}

}  // namespace

std::optional<RunReadings> ReadRepeats(const Job& job, std::vector<CellFailure>& failures) {
    RunReadings repeated;
    bool accepted = true;
    for (int run = 0; run <= job.Planes(); ++run) {
        const auto count =
            std::count_if(job.Repeats.begin(), job.Repeats.end(),
                          [&](const RepeatRun& repeat) { return repeat.Run == run; });
        if (count > kMostRepeats) {
            failures.push_back({Cell::Shape, -1, -1, -1,
                                "Пуск " + std::to_string(run + 1) + " повторён больше " +
                                    std::to_string(kMostRepeats) + " раз"});
            return std::nullopt;
        }
    }
    for (std::size_t i = 0; i < job.Repeats.size(); ++i) {
        const RepeatRun& repeat = job.Repeats[i];
        const std::string name = "Повтор пуска " + std::to_string(repeat.Run + 1);
        if (repeat.Run < 0 || repeat.Run > job.Planes() ||
            repeat.Readings.size() != static_cast<std::size_t>(job.Points)) {
            failures.push_back({Cell::Shape, -1, -1, -1,
                                name + ": такого пуска нет или показаний не по числу точек"});
            accepted = false;
            continue;
        }
        std::vector<PolarReading> run;
        for (std::size_t p = 0; p < repeat.Readings.size(); ++p) {
            const std::optional<PolarReading> reading =
                ReadReading(repeat.Readings[p], job.Separator, Cell::RepeatAmplitude,
                            Cell::RepeatPhase, static_cast<int>(i), static_cast<int>(p),
                            "Неверно задан повтор пуска " + std::to_string(repeat.Run + 1) +
                                ", точка " + std::to_string(p + 1),
                            failures);
            accepted = accepted && reading.has_value();
            run.push_back(reading.value_or(PolarReading{}));
        }
        repeated.push_back(std::move(run));
    }
    if (!accepted) return std::nullopt;
    return repeated;
}

RunReadings MeanRuns(const RunReadings& readings, const std::vector<RepeatRun>& repeats,
                     const RunReadings& repeated) {
    RunReadings mean = readings;
    for (std::size_t r = 0; r < readings.size(); ++r)
        for (std::size_t p = 0; p < readings[r].size(); ++p) {
            const std::vector<PolarReading> all = ReadingsOf(readings, repeats, repeated, r, p);
            if (all.size() == 1) continue;
            std::complex<long double> sum;
            for (const PolarReading& reading : all) sum += VectorOf(reading);
            sum /= static_cast<long double>(all.size());
            mean[r][p] = {static_cast<double>(std::abs(sum)), static_cast<double>(std::arg(sum))};
        }
    return mean;
}

Tolerance MeasuredScatter(const RunReadings& readings, const std::vector<RepeatRun>& repeats,
                          const RunReadings& repeated) {
    Tolerance scatter{0.0, 0.0};
    for (std::size_t r = 0; r < readings.size(); ++r)
        for (std::size_t p = 0; p < readings[r].size(); ++p) {
            const std::vector<PolarReading> all = ReadingsOf(readings, repeats, repeated, r, p);
            for (std::size_t a = 0; a < all.size(); ++a)
                for (std::size_t b = a + 1; b < all.size(); ++b) {
                    const double sum = all[a].Amplitude + all[b].Amplitude;
                    if (sum > 0.0)
                        scatter.AmplitudePercent =
                            std::max(scatter.AmplitudePercent,
                                     std::fabs(all[a].Amplitude - all[b].Amplitude) / sum * 200.0);
                    scatter.PhaseDegrees =
                        std::max(scatter.PhaseDegrees, DegreesApart(all[a].Phase, all[b].Phase));
                }
        }
    return scatter;
}

ReadingScatter ScatterUsed(const Tolerance& instrument, const Tolerance& measured) {
    ReadingScatter used;
    used.AmplitudePercent = std::max(instrument.AmplitudePercent, measured.AmplitudePercent);
    used.PhaseDegrees = std::max(instrument.PhaseDegrees, measured.PhaseDegrees);
    used.FromRepeats = measured.AmplitudePercent > instrument.AmplitudePercent ||
                       measured.PhaseDegrees > instrument.PhaseDegrees;
    return used;
}

std::string ScatterText(const ReadingScatter& scatter, const std::string& separator) {
    return "±" + FormatResult(scatter.AmplitudePercent, separator) + " % по амплитуде и ±" +
           FormatResult(scatter.PhaseDegrees, separator) + "° по фазе — " +
           (scatter.FromRepeats ? "по разбросу повторных показаний (он больше погрешности прибора)"
                                : "по погрешности прибора");
}

}  // namespace balance4::job
