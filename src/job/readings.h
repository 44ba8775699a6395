#pragma once
// Reading the typed texts of a job the way the calculator reads its fields.
#include <optional>
#include <string>
#include <vector>

#include "job.h"
#include "job_result.h"
#include "spread.h"

namespace balance4::job {

// The message of a refused reading: "Неверно задан Vo5, пуск 2", with " !!!" for a negative value.
std::string ReadingMessage(bool amplitude, int point, int run, bool negative);

// Converts one typed reading; a failure is appended to `failures` for each refused text.
std::optional<PolarReading> ReadReading(const ReadingText& text, const std::string& separator,
                                        Cell amplitudeCell, Cell phaseCell, int run, int point,
                                        const std::string& what,
                                        std::vector<CellFailure>& failures);

// Whether the solve accepts a typed reading, for those who draw or list readings without solving:
// the same conversion and the same refusals as ReadReading.
bool AcceptedReading(const ReadingText& text, const std::string& separator);

// Runs 0..runs.size()−1 of the given texts, point by point and run by run, amplitude before phase:
// the calculator's visiting order. Empty optional when some text was refused.
std::optional<RunReadings> ReadRuns(const std::vector<std::vector<ReadingText>>& runs, int points,
                                    const std::string& separator,
                                    std::vector<CellFailure>& failures);

}  // namespace balance4::job
