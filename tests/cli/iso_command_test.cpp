// balance4-calc iso: the permissible residual unbalance to the digits of the worked figures, a
// job's check from its file, and the inputs that must be refused.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "cli_run.h"
#include "job_file.h"

namespace balance4::test {
namespace {

double Rounded(double value, double step) {
    return std::round(value / step) * step;
}

TEST(IsoCommand, PermissibleUnbalanceToTheDigitsGiven) {
    struct Row {
        std::vector<std::string> Args;
        const char* Key;
        double Expected, Step;
    };
    const std::vector<Row> rows = {
        {{"--rotor-mass", "2", "--speed", "10000", "--grade", "6,3"}, "u_per_gmm", 12.03, 0.01},
        {{"--rotor-mass", "2", "--speed", "10000", "--grade", "6.3"},
         "e_per_gmm_per_kg",
         6.016,
         0.001},
        {{"--rotor-mass", "3600", "--speed", "3000", "--grade", "2,5"}, "u_per_gmm", 28647.9, 0.1},
        {{"--rotor-mass=3600", "--speed=3000", "--grade=2.5", "--bearing-distances", "900;1500"},
         "bearing_a_gmm",
         17904.9,
         0.1},
        {{"--rotor-mass=3600", "--speed=3000", "--grade=2.5", "--bearing-distances", "900;1500"},
         "bearing_b_gmm",
         10743.0,
         0.1},
    };
    for (const Row& row : rows) {
        std::vector<std::string> args = {"iso", "--json"};
        args.insert(args.end(), row.Args.begin(), row.Args.end());
        const CliRun run = RunCli(args);
        ASSERT_EQ(run.Status, 0) << row.Key << "\n" << run.Err;
        const nlohmann::json json = nlohmann::json::parse(run.Out);
        EXPECT_NEAR(Rounded(json[row.Key].get<double>(), row.Step), row.Expected, row.Step / 10)
            << row.Key << " " << run.Out;
        EXPECT_FALSE(json.contains("within"));  // no job, no verdict
    }
    const CliRun text = RunCli({"iso", "--rotor-mass", "3600", "--speed", "3000", "--grade", "2,5",
                                "--bearing-distances", "900;1500", "--separator", ","});
    EXPECT_NE(text.Out.find("на опору A 17\u00A0904,9 г·мм, на опору B 10\u00A0743,0 г·мм"),
              std::string::npos)
        << text.Out;
}

// A job whose last control run left 1,9 g at 200 mm and 3,98 g at 100 mm: 380 and 398 g·mm,
// against 397,9 g·mm per bearing for 100 kg, G 2,5 at 3000 rpm.
TEST(IsoCommand, ChecksAJobFromItsFile) {
    job::Job job = job::MakeJob(2, 2);
    job.Plane[0].TrialRadius = 200;
    job.Plane[1].CorrectionRadius = 100;
    job.TrimHistory = {{"2026-12-10", {{"1", "0"}, {"1", "0"}}, {{1.9, 10}, {3.98, 20}}, {}}};
    job.Iso = job::IsoSetup{100, 3000, 2.5, {}, {}, {}};
    const std::string path = TempPath("iso-job.json");
    std::string error;
    ASSERT_TRUE(job::SaveJobFile(path, job, error)) << error;

    const CliRun json = RunCli({"iso", "--job", path, "--json"});
    ASSERT_EQ(json.Status, 0) << json.Err;
    const nlohmann::json result = nlohmann::json::parse(json.Out);
    EXPECT_NEAR(result["residual_a_gmm"].get<double>(), 380, 1e-9);
    EXPECT_NEAR(result["residual_b_gmm"].get<double>(), 398, 1e-9);
    EXPECT_EQ(result["within"], false);
    const CliRun text = RunCli({"iso", "--job", path, "--grade", "6,3"});
    EXPECT_NE(text.Out.find("Допуск ISO 21940-11, G 6,3: выполнен\n"), std::string::npos)
        << text.Out;
    // Saved with another grade, the job keeps it for the next check.
    const std::string saved = TempPath("iso-saved.json");
    ASSERT_EQ(RunCli({"iso", "--job", path, "--grade", "6,3", "--save-job", saved}).Status, 0);
    EXPECT_EQ(nlohmann::json::parse(RunCli({"iso", "--job", saved, "--json"}).Out)["within"], true);
    std::remove(saved.c_str());
    std::remove(path.c_str());
}

TEST(IsoCommand, BadInputGetsOneLine) {
    const std::vector<std::pair<std::vector<std::string>, const char*>> rows = {
        {{"iso", "--rotor-mass", "2", "--speed", "10000", "--grade", "5"}, "0,4; 1; 2,5"},
        {{"iso", "--rotor-mass", "2", "--speed", "10000"}, "класс точности"},
        {{"iso", "--rotor-mass", "два", "--speed", "10000", "--grade", "1"}, "--rotor-mass"},
        {{"iso", "--rotor-mass", "2", "--speed", "0", "--grade", "1"}, "частота"},
        {{"iso", "--rotor-mass=2", "--speed=1", "--grade=1", "--bearing-distances=900"},
         "два расстояния"},
        {{"iso", "--rotor-mass=2", "--speed=1", "--grade=1", "--job", "/no/such/job.json"},
         "не открывается"},
        {{"iso", "--rotor-mass=2", "--speed=1", "--grade=1", "--holes", "12"}, "--holes"},
        {{"iso", "--rotor-mass=2", "--speed=1", "--grade=1", "--save-job", "x.json"}, "--job"},
    };
    for (const auto& [args, says] : rows) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.Status, 2) << says << "\n" << run.Err;
        EXPECT_EQ(run.Out, "");
        EXPECT_NE(run.Err.find(says), std::string::npos) << run.Err;
        EXPECT_EQ(run.Err.find('\n'), run.Err.size() - 1) << run.Err;
    }
}

}  // namespace
}  // namespace balance4::test
