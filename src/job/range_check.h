#pragma once
// Values no instrument or rotor gives, refused as typing slips before anything is solved: a phase
// or an angle beyond one turn, and a reading so much larger than the rest that the solve would
// lose the others in rounding or overflow.
#include <optional>
#include <string>
#include <vector>

#include "job.h"
#include "job_result.h"

namespace balance4::job {

inline constexpr double kFullTurnDegrees = 360.0;

// A reading this many times the job's median one turns the others into rounding noise at the
// solve's pivot threshold (least_squares.h, kNoiseRatio = 1e-12).
inline constexpr double kLargestReadingRatio = 1e12;

// No instrument's unit gives an amplitude this large. When a job with one fails to solve (no
// solution, an overflow), that reading is the cause, not the trial masses.
inline constexpr double kLargestAmplitude = 1e30;

// Appends a failure for each phase beyond 360° (runs point by point, then the slow roll) and each
// trial angle or listed position outside 0…360°. Negative phases are left to the readings' own
// rule. The messages name run, point and value: «Пуск 2, точка 2: фаза 1040° вне 0…360° —
// опечатка?».
void CheckJobRanges(const Job& job, std::vector<CellFailure>& failures);

// The same for the phases of a trim's new run.
void CheckRunRanges(const std::vector<ReadingText>& run0, const std::string& separator,
                    std::vector<CellFailure>& failures);

// The amplitude of `runs` that dwarfs the rest (kLargestReadingRatio times their median), named
// as a failure; nothing when there is none.
std::optional<CellFailure> OversizedReading(const std::vector<std::vector<ReadingText>>& runs,
                                            const std::string& separator);

// A result without solution whose readings hold an amplitude beyond kLargestAmplitude becomes a
// refusal of the largest one; any other result is returned as it is.
JobResult NameOverflowCause(const std::vector<std::vector<ReadingText>>& runs,
                            const std::string& separator, JobResult result);

}  // namespace balance4::job
