// How long one calculation takes, and the floor under it: the x87 sine and cosine evaluations the
// method needs (64 for the influence matrix, 48 for each of the five determinants).

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "balancing_calculator.h"
#include "correction.h"
#include "extended.h"
#include "influence_matrix.h"
#include "reading_fields.h"
#include "tolerance.h"

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

// (c) The floor: 304 sine/cosine evaluations on angles of the example's size.
void SineCosineFloor(benchmark::State& state) {
    constexpr int kEvaluations = 304;
    std::vector<Extended> angles(kEvaluations / 2);
    for (std::size_t i = 0; i < angles.size(); ++i) angles[i] = 0.37L + 0.071L * i;
    for (auto _ : state) {
        Extended sum = 0;
        for (const Extended angle : angles) sum += Sine(angle) + Cosine(angle);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(SineCosineFloor);

// (d) How far a job's result can be trusted: the example repeated with perturbed readings, as
// `balance4-calc job` does for every job.
void JobSpread(benchmark::State& state) {
    BalancingCalculator calculator;
    PressExample(calculator);
    const CorrectionResult nominal =
        *ComputeCorrection(calculator.Matrix(), calculator.Measurements());
    for (auto _ : state)
        benchmark::DoNotOptimize(cli::EstimateSpread(calculator.Measurements(), calculator.Matrix(),
                                                     true, nominal, {20, 20, 20, 20}, {}));
}
BENCHMARK(JobSpread)->Unit(benchmark::kMillisecond);

}  // namespace
