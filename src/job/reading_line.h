#pragma once
// A job's readings as one line of texts, the order a whole job is pasted or piped in: for each
// point, run 0 and then the trial runs 1..planes, amplitude before phase. For 4 × 4 this is the
// calculator's visiting order.
#include <optional>
#include <string>
#include <vector>

#include "job.h"

namespace balance4::job {

// The texts as [run][point]; empty when there are not 2 · points · (planes + 1) of them. With
// planes 0, the line is one run: a trim's control run.
std::optional<std::vector<std::vector<ReadingText>>> RunsFromReadingLine(
    const std::vector<std::string>& fields, int planes, int points);

}  // namespace balance4::job
