#include "reading_rows.h"

std::vector<ReadingRowContent> ReadingRowContents(const balance4::job::Job& job) {
    std::vector<ReadingRowContent> rows;
    if (!job.SlowRoll.empty()) rows.push_back({-1, -1});
    const int repeats = int(job.Repeats.size());
    for (int run = 0; run <= job.Planes(); ++run) {
        rows.push_back({run, -1});
        for (int i = 0; i < repeats; ++i)
            if (job.Repeats[std::size_t(i)].Run == run) rows.push_back({run, i});
    }
    for (int i = 0; i < repeats; ++i) {
        const int run = job.Repeats[std::size_t(i)].Run;
        if (run < 0 || run > job.Planes()) rows.push_back({run, i});
    }
    return rows;
}
