#pragma once
// The job file: one versioned JSON document holding a whole job. Old coefficient files load too.
#include <optional>
#include <string>
#include <string_view>

#include "job.h"

namespace balance4::job {

// The highest version the reader knows. A file is written with the lowest version that holds
// all it carries, so that a job without a control run stays readable by older programs.
inline constexpr int kJobFileVersion = 2;
// The version that added the control run, repeated readings and angles counted as the phase.
inline constexpr int kExtendedFileVersion = 2;

std::string FormatJobFile(const Job& job);

// Empty optional: `error` is one line in Russian naming the place (a key, a line) where the text
// is damaged, truncated, foreign or of a newer version. A coefficient file gives a 4 × 4 job
// holding only its unit, trial weights and coefficients.
std::optional<Job> ParseJobFile(std::string_view text, std::string& error);

// Through a temporary file in the same folder, flushed to disk and renamed over the target: an
// existing file is either replaced whole or left as it was.
bool SaveJobFile(const std::string& path, const Job& job, std::string& error);
std::optional<Job> LoadJobFile(const std::string& path, std::string& error);

}  // namespace balance4::job
