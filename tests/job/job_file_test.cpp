// The job file: a whole job read back unchanged, and every kind of bad file refused in one line.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

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
                        {{1, 2}, {3, 4}, {5, 6}, {7, 8}},
                        {}}};
    job.Saved = Calculate(ExampleJob()).Saved;
    job.Limit = {2.8, 2.8, 4.5, 7.1};
    job.Refine = false;
    job.Refined = job.Saved;
    job.Refined->Element[5].Magnitude *= 1.25;
    job.Iso = IsoSetup{3600, 3000, 2.5, {900, 1500}, {0, 2400}, {300, 800, 1600, 2100}};
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
    Job extended = TwoSpeedJob();
    extended.ControlRun = {{"4,1", "35"}, {"", ""}, {"0,9", "110"}, {"2,2", ""}};
    extended.Repeats = {{1, {{"1", "2"}, {"3", "4"}, {"5", "6"}, {"7", "8"}}}};
    extended.TrimHistory[0].OnRotor = {{{4.11, 270}}, {}, {}, {{0.1, 0.3}, {2, 45}}};
    for (const Job& each : {FullJob(), TwoSpeedJob(), extended}) {
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
    // Further speeds and the optimisation carry versions of their own: the file stays version 1.
    EXPECT_NE(FormatJobFile(TwoSpeedJob()).find("\"version\": 1,"), std::string::npos);
    const Job job = FullJob();
    std::string error;
    // A job without the acceptance inputs writes its file as before they existed.
    EXPECT_EQ(FormatJobFile(ExampleJob()).find("acceptance"), std::string::npos);

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

// A file of the first format, committed: every key it holds still reads to the same value, and the
// job is written back to the same bytes, so a key renamed in both writer and reader shows here.
TEST(JobFile, FirstFormatFileReadsAndWritesBackUnchanged) {
    std::ifstream in(BALANCE4_TEST_DATA_DIR "/job_v1.json", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    ASSERT_NE(text.find("\"version\": 1,"), std::string::npos);
    std::string error;
    const std::optional<Job> job = ParseJobFile(text, error);
    ASSERT_TRUE(job) << error;
    Job expected = FullJob();
    expected.Saved = job->Saved;  // checked by its shape: the digits are the calculation's
    // The first format has none of the acceptance inputs.
    expected.Limit.clear();
    expected.Refine = true;
    expected.Refined.reset();
    expected.Iso.reset();
    EXPECT_TRUE(*job == expected);
    ASSERT_TRUE(job->Saved);
    EXPECT_EQ(job->Saved->Element.size(), 16u);
    EXPECT_EQ(job->Saved->Unit, "%");
    EXPECT_EQ(job->Plane[1].TrialMass, 100.0);
    EXPECT_TRUE(job->ControlRun.empty());
    EXPECT_EQ(FormatJobFile(*job), text);
}

// A control run makes the file version 2 and comes back; without one nothing of it is written.
TEST(JobFile, ControlRunIsKeptInVersionTwo) {
    Job job = FullJob();
    job.ControlRun = {{"4,1", "35"}, {"", ""}, {"0,9", "110"}, {"2,2", ""}};
    const std::string text = FormatJobFile(job);
    EXPECT_NE(text.find("\"version\": 2,"), std::string::npos);
    std::string error;
    const std::optional<Job> back = ParseJobFile(text, error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(back->ControlRun, job.ControlRun);
    EXPECT_EQ(FormatJobFile(*back), text);

    job.ControlRun.clear();
    const std::string plain = FormatJobFile(job);
    EXPECT_NE(plain.find("\"version\": 1,"), std::string::npos);
    EXPECT_EQ(plain.find("control_run"), std::string::npos);
}

// Repeats are written only when there are some, in a version older programs refuse.
TEST(JobFile, RepeatsRoundTripInTheirOwnVersion) {
    Job job = FullJob();
    EXPECT_NE(FormatJobFile(job).find("\"version\": 1,"), std::string::npos);
    EXPECT_EQ(FormatJobFile(job).find("repeats"), std::string::npos);
    job.Angles = AngleFrame::AsPhase;
    job.Repeats = {{0, {{"7,5", "240"}, {"1", "2"}, {"3", "4"}, {"5", "6"}}},
                   {4, {{"1", "2"}, {"3", "4"}, {"5", "6"}, {"7", "8"}}}};
    const std::string text = FormatJobFile(job);
    EXPECT_NE(text.find("\"version\": 2,"), std::string::npos);
    std::string error;
    const std::optional<Job> back = ParseJobFile(text, error);
    ASSERT_TRUE(back) << error;
    EXPECT_TRUE(*back == job);
    std::string old = text;
    old.replace(old.find("\"version\": 2"), 12, "\"version\": 1");
    EXPECT_FALSE(ParseJobFile(old, error));
    EXPECT_EQ(error, "файл повреждён (angles)");
    std::string beyond = text;
    beyond.replace(beyond.find("\"run\": 4"), 8, "\"run\": 5");
    EXPECT_FALSE(ParseJobFile(beyond, error));
    EXPECT_EQ(error, "файл повреждён (repeats[1].run)");
}

// The reading unit is a label: written only when named, so older files stay as they were, and
// read back in any version.
TEST(JobFile, ReadingUnitOnlyWhenNamed) {
    Job job = FullJob();
    EXPECT_EQ(FormatJobFile(job).find("reading_unit"), std::string::npos);
    job.ReadingUnit = "мм/с";
    const std::string text = FormatJobFile(job);
    EXPECT_NE(text.find("\"version\": 1,"), std::string::npos);
    std::string error;
    const std::optional<Job> back = ParseJobFile(text, error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(back->ReadingUnit, "мм/с");
}

// A save replaces a file keeping its mode, gives a new one the mode of a plain write, and when it
// fails leaves nothing behind and says why.
TEST(JobFile, AtomicSave) {
    namespace fs = std::filesystem;
    const std::string folder = testing::TempDir() + "/atomic-save";
    fs::remove_all(folder);
    fs::create_directories(folder + "/a folder");
    std::ofstream(folder + "/kept.json") << "old";
    fs::permissions(folder + "/kept.json", fs::perms(0604));
    const mode_t umaskBefore = ::umask(027);
    struct Row {
        const char* Name;
        std::string Path;
        bool Saved;
        unsigned Mode;
        std::string Says;
    };
    const std::vector<Row> rows = {
        {"a new file gets the umask's mode", folder + "/new.json", true, 0640, ""},
        {"a replaced file keeps its mode", folder + "/kept.json", true, 0604, ""},
        {"onto a folder", folder + "/a folder", false, 0,
         "не записан: «" + folder + "/a folder» — это папка"},
        {"into a missing folder", folder + "/none/job.json", false, 0, "не записан: нет папки"},
    };
    for (const Row& row : rows) {
        std::string error;
        EXPECT_EQ(SaveJobFile(row.Path, FullJob(), error), row.Saved) << row.Name;
        EXPECT_NE(error.find(row.Says), std::string::npos) << row.Name << ": " << error;
        if (row.Saved) {
            EXPECT_EQ(static_cast<unsigned>(fs::status(row.Path).permissions()), row.Mode)
                << row.Name;
        }
    }
    ::umask(umaskBefore);
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"a folder", "kept.json", "new.json"}));
    fs::remove_all(folder);
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
        {"newer version", replaced("\"version\": 1", "\"version\": 3"), "версия файла «3»"},
        {"a control run in a version-1 file",
         replaced("\"installed\"", "\"control_run\": [], \"installed\""), "control_run"},
        {"broken in the middle", replaced("\"planes\": [", "\"planes\": [}"), "строка"},
        {"a trial mass as text", replaced("\"trial_mass\": 20.5", "\"trial_mass\": \"20,5\""),
         "planes[0].trial_mass"},
        {"a run missing", replaced("\"readings\": [", "\"readings\": [[],"), "readings"},
        {"a number beyond the double range",
         replaced("\"trial_mass\": 20.5", "\"trial_mass\": 1e999"), "пределов"},
        {"unknown key", replaced("\"title\"", "\"titel\""), "titel"},
        {"one hole", replaced("\"holes\": 12", "\"holes\": 1"), "planes[0].holes"},
        {"a million holes", replaced("\"holes\": 12", "\"holes\": 1000000"), "planes[0].holes"},
        {"a grade as text", replaced("\"grade\": 2.5", "\"grade\": \"G 2,5\""),
         "acceptance.iso.grade"},
        {"plane positions of another count", replaced("\"planes_mm\": [", "\"planes_mm\": [1,"),
         "acceptance.iso.planes_mm"},
        {"a limit per point of another count", replaced("\"limit\": [", "\"limit\": [1,"),
         "acceptance.limit"},
        {"refining as a word", replaced("\"refine\": false", "\"refine\": \"нет\""),
         "acceptance.refine"},
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
