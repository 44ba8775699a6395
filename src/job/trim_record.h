#pragma once
// Writing a trim run into the job once it has been made: one rule for every program.
#include <string>

#include "job.h"
#include "job_result.h"

namespace balance4::job {

// Whether the weights the trim gave have been fitted to the rotor.
enum class TrimFitted { Yes, No };

// What a plane carries once its result is fitted: the split parts where the weight was split,
// else the one weight to place.
std::vector<Weight> PlacedWeights(const PlaneResult& plane);

// The job's control run goes into the history with the trim's correction per plane, and is cleared:
// its readings were taken before the new weights went on. Fitted: each plane's installed weights
// become what is now on the rotor. Does nothing for a trim that was not calculated.
void RecordTrim(Job& job, const JobResult& trim, const std::string& date, TrimFitted fitted);

// Now, in local time, as a record's date: "dd.MM.yyyy HH:MM".
std::string RecordDate();

}  // namespace balance4::job
