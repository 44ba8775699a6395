// The permissible residual unbalance by balance grade against figures worked by hand, and a job's
// remaining correction checked against it.
#include <gtest/gtest.h>

#include <cmath>

#include "acceptance_text.h"
#include "iso_check.h"
#include "units.h"

namespace balance4::job {
namespace {

TEST(Iso, PermissibleUnbalance) {
    struct Row {
        const char* Name;
        IsoSetup Setup;
        double Total, PerKilogram, BearingA, BearingB;  // to the digits given
        double Digits;
    };
    const std::vector<Row> rows = {
        {"2 kg, G 6,3, 10 000 rpm", {2, 10000, 6.3, {}, {}, {}}, 12.03, 6.016, 6.016, 6.016, 0.01},
        {"3600 kg, G 2,5, 3000 rpm",
         {3600, 3000, 2.5, {}, {}, {}},
         28647.9,
         7.958,
         14323.9,
         14323.9,
         0.1},
        {"centre of mass 900 mm from A, 1500 from B: the nearer bearing takes more",
         {3600, 3000, 2.5, {900, 1500}, {}, {}},
         28647.9,
         7.958,
         17904.9,
         10743.0,
         0.1},
        // Catches the shares left unclamped: 2300/2400 of U_per would go to bearing A.
        {"a share past 0,7 is held at 0,7 and the other at 0,3",
         {3600, 3000, 2.5, {100, 2300}, {}, {}},
         28647.9,
         7.958,
         20053.5,
         8594.4,
         0.1},
    };
    for (const Row& row : rows) {
        std::string error;
        const std::optional<PermissibleUnbalance> limit = Permissible(row.Setup, error);
        ASSERT_TRUE(limit) << row.Name << ": " << error;
        EXPECT_NEAR(limit->Total, row.Total, row.Digits / 2) << row.Name;
        EXPECT_NEAR(limit->PerKilogram, row.PerKilogram, 5e-4) << row.Name;
        EXPECT_NEAR(limit->BearingA, row.BearingA, row.Digits / 2) << row.Name;
        EXPECT_NEAR(limit->BearingB, row.BearingB, row.Digits / 2) << row.Name;
    }
}

TEST(Iso, RefusedInputs) {
    const std::vector<std::pair<IsoSetup, const char*>> rows = {
        {{2, 10000, 5, {}, {}, {}}, "ряда"},  // not a grade of the series
        {{0, 10000, 6.3, {}, {}, {}}, "масса ротора"},
        {{2, -1, 6.3, {}, {}, {}}, "частота"},
        {{2, 10000, 6.3, {900}, {}, {}}, "расстояния"},
        {{1e308, 1e-300, 4000, {}, {}, {}}, "масса ротора"},
        {{2, 10000, 6.3, {1e308, 1e308}, {}, {}}, "расстояния"},
    };
    for (const auto& [setup, says] : rows) {
        std::string error;
        EXPECT_FALSE(Permissible(setup, error)) << says;
        EXPECT_NE(error.find(says), std::string::npos) << error;
    }
}

// Residuals of 1000 g·mm at 0°, 1000 g·mm at 180° and 500 g·mm at 90° in planes at 100, 500 and
// 900 mm between bearings at 0 and 1000 mm: on A 400 − 50i, on B −400 − 450i, by hand.
TEST(Iso, ResidualsMovedOntoTheBearings) {
    Job job = MakeJob(3, 3);
    for (PlaneSetup& plane : job.Plane) plane.CorrectionRadius = 100;
    const IsoSetup setup = {3600, 3000, 2.5, {}, {0, 1000}, {100, 500, 900}};
    const std::vector<Weight> remaining = {{10, 0}, {10, 180}, {5, 90}};
    struct Row {
        const char* Name;
        std::string Unit;
        double Scale;  // of the masses
        IsoSetup Setup;
        double A, B;
        bool WholeRotor;
    };
    const std::vector<Row> rows = {
        {"three planes by statics, as vectors", "г", 1, setup, std::hypot(400, 50),
         std::hypot(400, 450), false},
        {"the same in kilograms", "кг", 0.001, setup, std::hypot(400, 50), std::hypot(400, 450),
         false},
        {"the same in ounces", "oz", 1 / kGramsPerOunce, setup, std::hypot(400, 50),
         std::hypot(400, 450), false},
    };
    for (const Row& row : rows) {
        job.Unit = row.Unit;
        std::vector<Weight> scaled = remaining;
        for (Weight& w : scaled) w.Mass *= row.Scale;
        std::string error;
        const std::optional<IsoCheck> check = CheckIso(job, row.Setup, scaled, error);
        ASSERT_TRUE(check) << row.Name << ": " << error;
        EXPECT_TRUE(check->ByStatics) << row.Name;
        EXPECT_NEAR(check->ResidualA, row.A, 1e-9) << row.Name;
        EXPECT_NEAR(check->ResidualB, row.B, 1e-9) << row.Name;
        EXPECT_TRUE(check->Within) << row.Name;
    }

    // Two planes without positions: each plane on its own bearing; one plane: the whole rotor.
    Job two = MakeJob(2, 2);
    two.Plane[0].TrialRadius = 200;  // no correction radius: the weight sits at the trial radius
    two.Plane[1].CorrectionRadius = 100;
    const IsoSetup grade = {100, 3000, 2.5, {}, {}, {}};  // 795,8 g·mm, 397,9 on each bearing
    std::string error;
    std::optional<IsoCheck> check = CheckIso(two, grade, {{1.9, 10}, {3.98, 20}}, error);
    ASSERT_TRUE(check) << error;
    EXPECT_DOUBLE_EQ(check->ResidualA, 380);
    EXPECT_DOUBLE_EQ(check->ResidualB, 398);
    EXPECT_FALSE(check->Within);  // 398 g·mm on B is past its 397,9
    Job one = MakeJob(1, 1);
    one.Plane[0].CorrectionRadius = 100;
    check = CheckIso(one, grade, {{7.9, 0}}, error);
    ASSERT_TRUE(check) << error;
    EXPECT_TRUE(check->WholeRotor);
    EXPECT_TRUE(check->Within);  // 790 of 795,8: one plane takes the whole U_per
}

TEST(Iso, CheckRefusals) {
    const IsoSetup setup = {100, 3000, 2.5, {}, {}, {}};
    Job job = MakeJob(3, 3);
    for (PlaneSetup& plane : job.Plane) plane.CorrectionRadius = 100;
    const std::vector<Weight> three = {{1, 0}, {1, 0}, {1, 0}};
    std::string error;
    EXPECT_FALSE(CheckIso(job, setup, three, error));
    EXPECT_NE(error.find("осевые положения"), std::string::npos) << error;
    job.Unit = "%";
    EXPECT_FALSE(CheckIso(job, {100, 3000, 2.5, {}, {0, 1}, {0, 0, 1}}, three, error));
    EXPECT_NE(error.find("«%»"), std::string::npos) << error;
    job.Unit = "г";
    job.Plane[2].CorrectionRadius = 0;
    EXPECT_FALSE(CheckIso(job, {100, 3000, 2.5, {}, {0, 1}, {0, 0, 1}}, three, error));
    EXPECT_NE(error.find("плоскость 3"), std::string::npos) << error;
}

TEST(Iso, Texts) {
    const std::vector<std::pair<double, std::string>> numbers = {
        {12.0321, "12,03"},
        {6.01597, "6,016"},
        {28647.89, "28\u00A0647,9"},
        {10743.0, "10\u00A0743,0"},
        {1234567.8, "1\u00A0234\u00A0567,8"},
        {0.03819, "0,03819"},
    };
    for (const auto& [value, text] : numbers) EXPECT_EQ(UnbalanceText(value, ","), text);
    EXPECT_EQ(IsoVerdictText(2.5, true, ","), "Допуск ISO 21940-11, G 2,5: выполнен");
    EXPECT_EQ(IsoVerdictText(6.3, false, "."), "Допуск ISO 21940-11, G 6.3: не выполнен");
}

}  // namespace
}  // namespace balance4::job
