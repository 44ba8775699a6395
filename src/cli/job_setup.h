#pragma once
// The job that `job` and `trim` work on: the built-in example, a job file or a new job read from
// standard input, with the command line's settings over it.
#include <iosfwd>
#include <optional>
#include <string>

#include "job.h"
#include "options.h"

namespace balance4::cli {

// `job`: the example, the --job file, or a job of the options' shape whose readings are the one
// line on `in`. Empty optional: `error` is one Russian line (exit status 2).
std::optional<job::Job> JobToCalculate(const Options& options, std::istream& in,
                                       std::string& error);

// `trim`: the job file or old coefficient file, which must hold coefficients.
std::optional<job::Job> JobToTrim(const Options& options, std::string& error);

// The command line's trial masses and angles, unit, holes or positions, tolerance and separator
// over what the job holds. False: `error` is one Russian line naming the option.
bool ApplyOptions(const Options& options, job::Job& job, std::string& error);

}  // namespace balance4::cli
