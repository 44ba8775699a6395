// Is it balanced: the vibration over the runs of a published job against a limit, per point and
// for the job.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "acceptance.h"
#include "acceptance_text.h"
#include "calculate.h"
#include "iso_check.h"
#include "refine.h"
#include "vector_texts.h"

namespace balance4::job {
namespace {

using vectors::C;
using vectors::Polar;
using vectors::Text;

// NPTEL "Theory and Practice of Rotor Dynamics" (R. Tiwari), Example 13.5: −30 µm at 230° and
// −70 µm at 330°; 0,3 kg at its 30° changes them by 50 µm at 61° and 42 µm at 130° (near and far
// end), symmetrically. Its correction, 0,3325 kg and 0,1884 kg, fitted as 0,33 kg and 0,19 kg at
// the nearest degree, leaves 0,67 µm at 48,5° and 0,22 µm at 63,5° in the control run.
Job PublishedJobWithAControlRun() {
    const C v1 = -Polar(30, 230), v2 = -Polar(70, 330);
    const C near = Polar(50, 61), far = Polar(42, 130);
    Job job = MakeJob(2, 2);
    job.Separator = ".";
    job.Unit = "кг";
    for (PlaneSetup& plane : job.Plane) {
        plane.TrialMass = 0.3;
        plane.TrialAngle = 330;
    }
    job.Readings = {
        {Text(v1), Text(v2)}, {Text(v1 + near), Text(v2 + far)}, {Text(v1 + far), Text(v2 + near)}};
    job.Saved = Calculate(job).Saved;
    job.TrimHistory = {{"2026-12-10", {{"0.67", "48.5"}, {"0.22", "63.5"}}, {}, {}}};
    return job;
}

TEST(Acceptance, VerdictOnTheLastMeasuredRun) {
    struct Row {
        const char* Name;
        std::vector<double> Limit;
        bool WithControlRun;
        std::optional<bool> Within;
        std::vector<bool> Above;  // of the judged run
        std::string Verdict;
    };
    const std::vector<Row> rows = {
        {"one limit for both points",
         {2.8},
         true,
         true,
         {false, false},
         "Итог: вибрация в норме во всех точках (контрольный пуск 1)."},
        // The prediction is all but zero: a verdict on it would pass point 1.
        {"a limit per point, point 1 past it",
         {0.5, 0.5},
         true,
         false,
         {true, false},
         "Итог: вибрация выше нормы в точке 1 (контрольный пуск 1)."},
        {"at the limit is within it",
         {0.67, 0.22},
         true,
         true,
         {false, false},
         "Итог: вибрация в норме во всех точках (контрольный пуск 1)."},
        {"no control run: run 0 is judged",
         {2.8},
         false,
         false,
         {true, true},
         "Итог: вибрация выше нормы в точках 1, 2 (пуск 0)."},
        {"no limit, no verdict", {}, true, std::nullopt, {}, ""},
    };
    for (const Row& row : rows) {
        Job job = PublishedJobWithAControlRun();
        job.Limit = row.Limit;
        if (!row.WithControlRun) job.TrimHistory.clear();
        const Acceptance acceptance = AcceptanceOfJob(job);
        ASSERT_EQ(acceptance.Runs.size(), row.WithControlRun ? 3u : 2u) << row.Name;
        EXPECT_EQ(acceptance.Runs.back().Kind, RunKind::Predicted) << row.Name;
        EXPECT_NEAR(acceptance.Runs[0].Amplitude[1], 70, 1e-9) << row.Name;
        EXPECT_EQ(acceptance.Within, row.Within) << row.Name;
        if (acceptance.Judged) {
            EXPECT_EQ(acceptance.Runs[*acceptance.Judged].Above, row.Above) << row.Name;
        }
        EXPECT_EQ(VerdictText(acceptance), row.Verdict) << row.Name;
    }
}

// A trim just made adds its own run as the next control run, and its prediction.
TEST(Acceptance, TrimAddsItsRunAndTable) {
    Job job = PublishedJobWithAControlRun();
    job.Limit = {0.5};
    const std::vector<ReadingText> run0 = {{"0.31", "12"}, {"0.12", "200"}};
    const Acceptance acceptance = AcceptanceOfTrim(job, run0, Trim(job, run0));
    ASSERT_EQ(acceptance.Runs.size(), 4u);
    EXPECT_EQ(acceptance.Runs[2].Number, 2);
    EXPECT_EQ(acceptance.Within, true);
    const std::vector<std::vector<std::string>> table = VibrationTable(acceptance, ",");
    const std::vector<std::vector<std::string>> expected = {
        {"Пуск", "точка 1", "точка 2"},
        {"пуск 0", "30,00", "70,00"},
        {"контрольный пуск 1", "0,67", "0,22"},
        {"контрольный пуск 2", "0,31", "0,12"},
        {"прогноз", "0,00", "0,00"},
        {"Норма", "0,50", "0,50"},
        {"Оценка", "в норме", "в норме"},
    };
    EXPECT_EQ(table, expected);
    const std::vector<std::vector<std::string>> summary = {
        {"Точка", "пуск 0", "контрольный пуск 2", "прогноз", "норма", "оценка"},
        {"1", "30,00", "0,31", "0,00", "0,50", "в норме"},
        {"2", "70,00", "0,12", "0,00", "0,50", "в норме"},
    };
    EXPECT_EQ(BeforeAfterTable(acceptance, ","), summary);
}

// A record with a reading missing is shown without its numbers, and judged on the run before.
TEST(Acceptance, DamagedControlRunIsSkipped) {
    Job job = PublishedJobWithAControlRun();
    job.Limit = {2.8};
    job.TrimHistory[0].Readings.pop_back();
    job.TrimHistory[0].Correction = {{0.01, 0}, {0.01, 0}};
    const Acceptance acceptance = AcceptanceOfJob(job);
    ASSERT_EQ(acceptance.Runs.size(), 2u);  // no prediction: the trim refuses the record too
    EXPECT_TRUE(acceptance.Runs[1].Amplitude.empty());
    EXPECT_EQ(acceptance.Judged, 0u);
    EXPECT_FALSE(RefineCoefficients(job));
}

// The window and the report hand in the calculation they already have: it stands for the first
// correction only while no control run is recorded, and a trim's result for that run.
TEST(Acceptance, FromACalculationAlreadyMade) {
    for (const bool withControlRun : {false, true}) {
        Job job = PublishedJobWithAControlRun();
        job.Limit = {2.8};
        job.TrimHistory[0].Correction = {{0.004, 10}, {0.002, 200}};
        for (PlaneSetup& plane : job.Plane) plane.CorrectionRadius = 100;
        if (!withControlRun) job.TrimHistory.clear();
        const JobResult calculated = Calculate(job);
        const Acceptance alone = AcceptanceOfJob(job);
        const Acceptance handed = AcceptanceOfJob(job, calculated);
        ASSERT_EQ(handed.Runs.size(), alone.Runs.size()) << withControlRun;
        for (std::size_t r = 0; r < alone.Runs.size(); ++r)
            EXPECT_EQ(handed.Runs[r].Amplitude, alone.Runs[r].Amplitude) << withControlRun;
        EXPECT_EQ(handed.Within, alone.Within) << withControlRun;

        const IsoSetup setup = {120, 3000, 6.3, {}, {}, {}};
        std::string error;
        const std::optional<std::vector<Weight>> remaining = RemainingCorrection(job, error);
        ASSERT_TRUE(remaining) << error;
        const std::optional<IsoCheck> expected = CheckIso(job, setup, *remaining, error);
        const std::optional<IsoCheck> check = CheckJobIso(job, setup, calculated, error);
        ASSERT_TRUE(expected && check) << error;
        EXPECT_DOUBLE_EQ(check->ResidualA, expected->ResidualA) << withControlRun;
        EXPECT_DOUBLE_EQ(check->ResidualB, expected->ResidualB) << withControlRun;
    }
    // A job whose calculation was refused: no prediction, its reason, nothing calculated again.
    {
        Job refused = PublishedJobWithAControlRun();
        refused.TrimHistory.clear();
        JobResult failed;
        failed.Failures.push_back({Cell::Amplitude, 0, 0, -1, "пуск 0: не число"});
        EXPECT_EQ(AcceptanceOfJob(refused, failed).Runs.size(), 1u);
        std::string why;
        EXPECT_FALSE(CheckJobIso(refused, {120, 3000, 6.3, {}, {}, {}}, failed, why));
        EXPECT_EQ(why, "пуск 0: не число");
    }
    // A control run not yet recorded: its trim's correction is what remains.
    Job job = PublishedJobWithAControlRun();
    for (PlaneSetup& plane : job.Plane) plane.CorrectionRadius = 100;
    const JobResult trim = Trim(job, {{"0.31", "12"}, {"0.12", "200"}});
    std::string error;
    const std::optional<IsoCheck> check =
        CheckJobIso(job, {120, 3000, 6.3, {}, {}, {}}, trim, error);
    ASSERT_TRUE(check) << error;
    EXPECT_NEAR(check->ResidualA, trim.Planes[0].Mass * 1000 * 100, 1e-6);
}

TEST(Acceptance, LimitProblems) {
    Job job = MakeJob(2, 3);
    const std::vector<std::pair<std::vector<double>, const char*>> rows = {
        {{1, 2}, "по одному на каждую из 3 точек"},
        {{1, 0, 2}, "больше нуля"},
        {{NAN}, "больше нуля"},
    };
    for (const auto& [limit, says] : rows) {
        job.Limit = limit;
        const std::optional<std::string> problem = LimitProblem(job);
        ASSERT_TRUE(problem) << says;
        EXPECT_NE(problem->find(says), std::string::npos) << *problem;
        EXPECT_FALSE(AcceptanceOfJob(job).Within);
    }
}

}  // namespace
}  // namespace balance4::job
