#pragma once
// What `job` and `trim` print: a job's results as a Russian table, or as one JSON object.
#include <iosfwd>
#include <string>
#include <string_view>

#include "acceptance.h"
#include "iso_check.h"
#include "job.h"
#include "job_result.h"
#include "options.h"

namespace balance4::cli {

struct JobReport {
    Command From = Command::Job;
    const job::Job* Job = nullptr;  // set-up, unit and separator the results were made with
    const job::JobResult* Result = nullptr;
    std::string CoefficientFile;  // job: saved to; trim: read from; empty if none
    std::string JobFile;          // job: saved to (--save-job); empty if none
    // trim --save-job: the run was recorded, with the installed weights updated when fitted.
    bool Recorded = false;
    bool Fitted = false;
    const job::Acceptance* Acceptance = nullptr;  // the vibration by run, when there is any to show
    const job::IsoCheck* Iso = nullptr;  // the balance-grade check of a job that asks for it
    std::string IsoProblem{};            // why a job that asks for it could not be checked
};

std::string FormatTable(const JobReport& report);
std::string FormatJson(const JobReport& report);

// A job or trim that gave no result: its messages on `err`, and the exit status: 1 for refused
// readings or no solution, 2 for a set-up the options or a file gave (one line, after `name`).
int ReportRefusal(std::string_view name, const job::JobResult& result, std::ostream& err);

// 3 when the results were printed but the whole solution is «недостоверно», else 0.
int ExitStatus(const job::JobResult& result);

}  // namespace balance4::cli
