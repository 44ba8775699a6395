// The job file: a whole job read back unchanged, and every kind of bad file refused in one line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "calculate.h"
#include "coefficient_file.h"
#include "job_file.h"

namespace balance4::job {
namespace {

Job FullJob() {
    Job job = ExampleJob();
    job.Title = "Дымосос №2";
    job.Machine = "ДН-17";
    job.Date = "2026-12-09";
    job.Speed = "980 об/мин";
    job.Who = "Иванов";
    job.Unit = "г";
    job.Convention = PhaseConvention::WithRotation;
    job.Rotation = RotationDirection::CounterClockwise;
    job.Instrument = {1.5, 3};
    job.Plane[0] = {20.5, 15, 300, 250, 12, {}};
    job.Plane[1].Positions = {0, 72.5, 144, 216.25};
    job.SlowRoll = {{"0,3", "12"}, {"", ""}, {"", ""}, {"0,1", "359,9"}};
    job.Installed = {{{4.11, 270}, {2.84, 300}}, {}, {}, {{0.1, 0.30000000000000004}}};
    job.TrimHistory = {{"2026-12-10",
                        {{"1,2", "40"}, {"1", "2"}, {"3", "4"}, {"5", "6"}},
                        {{1, 2}, {3, 4}, {5, 6}, {7, 8}}}};
    job.Saved = Calculate(ExampleJob()).Saved;
    return job;
}

// Readings at a second speed, min-max with every limit and a box of weights.
Job TwoSpeedJob() {
    Job job = FullJob();
    job.MoreSpeeds = {{"1200 об/мин", job.Readings}};
    job.MoreSpeeds[0].Readings[1][2] = {"7,5", "11"};
    job.Optimise = {
        Objective::MinMax, {0, 50, 0, 40}, {10, 0, 12, 5}, {1, 2.5}, {{{5, 4}, {10, 3}}, 2, 1.5}};
    return job;
}

TEST(JobFile, RoundTrip) {
    for (const Job& each : {FullJob(), TwoSpeedJob()}) {
        const std::string text = FormatJobFile(each);
        std::string error;
        const std::optional<Job> back = ParseJobFile(text, error);
        ASSERT_TRUE(back) << error;
        EXPECT_TRUE(*back == each);
        EXPECT_EQ(FormatJobFile(*back), text);
    }
    // A job of one speed and least squares is written as it always was.
    EXPECT_EQ(FormatJobFile(FullJob()).find("more_speeds"), std::string::npos);
    EXPECT_EQ(FormatJobFile(FullJob()).find("optimisation"), std::string::npos);
    const Job job = FullJob();
    std::string error;

    // Saved atomically, and loaded again; a failed save leaves the old file whole.
    const std::string path = testing::TempDir() + "/job-file-test.json";
    ASSERT_TRUE(SaveJobFile(path, job, error)) << error;
    const std::optional<Job> loaded = LoadJobFile(path, error);
    ASSERT_TRUE(loaded) << error;
    EXPECT_TRUE(*loaded == job);
    EXPECT_FALSE(SaveJobFile(testing::TempDir() + "/no-such-folder/job.json", job, error));
    for (const auto& entry : std::filesystem::directory_iterator(testing::TempDir()))
        EXPECT_EQ(entry.path().filename().string().find("job-file-test.json."), std::string::npos)
            << "temporary left behind: " << entry.path();
}

TEST(JobFile, OldCoefficientFileLoadsAsA4x4Job) {
    const Coefficients saved = *Calculate(ExampleJob()).Saved;
    std::string error;
    const std::optional<Job> job = ParseJobFile(FormatCoefficientFile(saved), error);
    ASSERT_TRUE(job) << error;
    ASSERT_TRUE(job->Saved);
    EXPECT_TRUE(*job->Saved == saved);
    EXPECT_EQ(job->Planes(), 4);
}

TEST(JobFile, BadFilesGetOneLineNamingThePlace) {
    const std::string good = FormatJobFile(TwoSpeedJob());
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    struct Row {
        const char* Name;
        std::string Text;
        const char* Says;
    };
    const std::vector<Row> rows = {
        {"empty", "", "пуст"},
        {"truncated", good.substr(0, good.size() / 2), "обрезан"},
        {"foreign", "\x89PNG\r\n\x1a\n", "не файл задания"},
        {"another JSON document", "{\"name\": \"x\"}", "не файл задания"},
        {"newer version", replaced("\"version\": 1", "\"version\": 2"), "версия файла «2»"},
        {"broken in the middle", replaced("\"planes\": [", "\"planes\": [}"), "строка"},
        {"a trial mass as text", replaced("\"trial_mass\": 20.5", "\"trial_mass\": \"20,5\""),
         "planes[0].trial_mass"},
        {"a run missing", replaced("\"readings\": [", "\"readings\": [[],"), "readings"},
        {"a number beyond the double range",
         replaced("\"trial_mass\": 20.5", "\"trial_mass\": 1e999"), "пределов"},
        {"unknown key", replaced("\"title\"", "\"titel\""), "titel"},
        {"nine planes", replaced("\"points\": 4", "\"points\": 17"), "points"},
        {"a second speed of another shape",
         replaced("\"speed\": \"1200 об/мин\",\n\t\t\t\"readings\": [",
                  "\"speed\": \"1200 об/мин\",\n\t\t\t\"readings\": [[],"),
         "more_speeds[0].readings"},
        {"newer further speeds",
         replaced("\"more_speeds_version\": 1", "\"more_speeds_version\": 2"),
         "more_speeds_version"},
        {"further speeds without their version", replaced("\"more_speeds_version\": 1,", ""),
         "more_speeds_version"},
        {"an objective of another name", replaced("\"min-max\"", "\"minimax\""),
         "optimisation.objective"},
    };
    for (const Row& row : rows) {
        std::string error;
        EXPECT_FALSE(ParseJobFile(row.Text, error)) << row.Name;
        EXPECT_NE(error.find(row.Says), std::string::npos) << row.Name << ": " << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << row.Name;
    }
}

}  // namespace
}  // namespace balance4::job
