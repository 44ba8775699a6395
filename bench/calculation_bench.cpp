// How long one calculation takes, and the floor under it: the x87 sine and cosine evaluations the
// method needs.

#include <benchmark/benchmark.h>

#include <complex>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "balancing_calculator.h"
#include "calculate.h"
#include "correction.h"
#include "extended.h"
#include "influence_matrix.h"
#include "reading_fields.h"

namespace {

using namespace balance4;

ReadingTexts ExampleTexts() {
    ReadingTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = kReadingFields[i].DefaultText;
    return texts;
}

// A calculator that has calculated the example once.
void PressExample(BalancingCalculator& calculator) {
    calculator.SetTrialMasses();
    calculator.Press(ExampleTexts(), ",");
}

// (a) One press of F9 on the example: 40 texts in, eight texts out.
void WholePress(benchmark::State& state) {
    const ReadingTexts texts = ExampleTexts();
    BalancingCalculator calculator;
    calculator.SetTrialMasses();
    for (auto _ : state) benchmark::DoNotOptimize(calculator.Press(texts, ","));
}
BENCHMARK(WholePress);

// (b) The calculation alone, from the stored readings to the eight values.
void CalculationAlone(benchmark::State& state) {
    BalancingCalculator calculator;
    PressExample(calculator);
    const MeasurementSet set = calculator.Measurements();
    InfluenceMatrix matrix;
    for (auto _ : state) {
        ComputeInfluenceMatrix(set, matrix);
        benchmark::DoNotOptimize(ComputeCorrection(matrix, set));
    }
}
BENCHMARK(CalculationAlone);

// (c) The floor: sine/cosine evaluations on angles of the example's size. 304 is what the method
// states (64 for the influence matrix, 48 for each of the five determinants); the calculation makes
// 280 of them, as the sine and cosine of run 0 at a point serve all four trial runs there.
void SineCosineFloor(benchmark::State& state) {
    const auto evaluations = static_cast<std::size_t>(state.range(0));
    std::vector<Extended> angles(evaluations / 2);
    for (std::size_t i = 0; i < angles.size(); ++i) angles[i] = 0.37L + 0.071L * i;
    for (auto _ : state) {
        Extended sum = 0;
        for (const Extended angle : angles) sum += Sine(angle) + Cosine(angle);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(SineCosineFloor)->Arg(304)->Arg(280);

// A job of `points` points built from chosen coefficients: run 0 and one run per trial weight,
// each reading rounded to the digits an instrument shows, as a person would type it.
job::Job SyntheticJob(int planes, int points) {
    job::Job job = job::MakeJob(planes, points);
    const auto reading = [](std::complex<double> v) {
        char amplitude[32], phase[32];
        std::snprintf(amplitude, sizeof amplitude, "%.2f", std::abs(v));
        double degrees = std::arg(v) * 180.0 / std::numbers::pi;
        if (degrees < 0) degrees += 360.0;
        std::snprintf(phase, sizeof phase, "%.0f", degrees);
        std::string text = amplitude;
        text[text.find('.')] = ',';  // the job's separator
        return job::ReadingText{text, phase};
    };
    for (int p = 0; p < points; ++p) {
        const std::complex<double> v0 = std::polar(5.0 + p, 0.7 * p + 0.3);
        job.Readings[0][static_cast<std::size_t>(p)] = reading(v0);
        for (int k = 0; k < planes; ++k) {
            // Each trial weight acts most at the points nearest its plane.
            const double near =
                1.0 / (1.0 + std::abs(p * planes / static_cast<double>(points) - k));
            const std::complex<double> effect = std::polar(4.0 * near + 0.5, 1.1 * k - 0.4 * p);
            job.Readings[static_cast<std::size_t>(k + 1)][static_cast<std::size_t>(p)] =
                reading(v0 + effect);
        }
    }
    return job;
}

// (d) A whole 4 × 4 job on the example with its spread, as `balance4-calc job` and the job window
// calculate it.
void FourByFourJob(benchmark::State& state) {
    job::Job example = job::ExampleJob();
    for (job::PlaneSetup& plane : example.Plane) plane.TrialMass = 20;
    for (auto _ : state) benchmark::DoNotOptimize(job::Calculate(example));
}
BENCHMARK(FourByFourJob)->Unit(benchmark::kMillisecond);

// (e) Four planes and eight points by least squares, with its spread.
void FourByEightJob(benchmark::State& state) {
    const job::Job eight = SyntheticJob(4, 8);
    if (job::Calculate(eight).Result != job::Outcome::Calculated) state.SkipWithError("no result");
    for (auto _ : state) benchmark::DoNotOptimize(job::Calculate(eight));
}
BENCHMARK(FourByEightJob)->Unit(benchmark::kMillisecond);

// (f) Eight planes and sixteen points by min-max, the correction alone (no spread): one linear
// program of 17 columns and 1024 rows.
void MinMaxJob(benchmark::State& state) {
    job::Job sixteen = SyntheticJob(8, 16);
    sixteen.Optimise.Goal = job::Objective::MinMax;
    sixteen.Instrument = {0.0, 0.0};
    if (job::Calculate(sixteen).Result != job::Outcome::Calculated)
        state.SkipWithError("no result");
    for (auto _ : state) benchmark::DoNotOptimize(job::Calculate(sixteen));
}
BENCHMARK(MinMaxJob)->Unit(benchmark::kMillisecond);

// (g) Weights from the box «5×4; 10×3; 20×2», two to a hole, into 24 holes in each of four planes
// by min-max: it must end within its time limit of 2 s.
void BoxJob(benchmark::State& state) {
    job::Job box = SyntheticJob(4, 8);
    for (job::PlaneSetup& plane : box.Plane) {
        plane.TrialMass = 10;
        plane.Holes = 24;
    }
    box.Optimise.Goal = job::Objective::MinMax;
    box.Optimise.Box = {{{5, 4}, {10, 3}, {20, 2}}, 2, 2.0};
    box.Instrument = {0.0, 0.0};
    for (auto _ : state) {
        const job::JobResult result = job::Calculate(box);
        if (!result.Box || !result.Box->Found) state.SkipWithError("no weights from the box");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BoxJob)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
