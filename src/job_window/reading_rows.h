#pragma once
// The rows of the readings table: the slow roll when the job has one, then each run followed by
// its repeats (in the order they were taken), then repeats of runs the job no longer has.
#include <vector>

#include "job/job.h"

struct ReadingRowContent {
    int Run = 0;      // as in Job::Readings; -1: the slow roll
    int Repeat = -1;  // the index in Job::Repeats; -1: the run's own readings
};

std::vector<ReadingRowContent> ReadingRowContents(const balance4::job::Job& job);
