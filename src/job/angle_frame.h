#pragma once
// The frame the engineer counts angles on the rotor in (trial angles, positions, installed weights
// and every result angle). The calculation works opposite to the phase direction; a job whose
// angles run the same way as the phase (as many papers count them) is mirrored into that frame
// before it is solved, and its results mirrored back.
#include <string>
#include <string_view>

#include "job.h"
#include "job_result.h"

namespace balance4::job {

// Whether the job's angles run the same way as the instrument's phase.
bool AnglesAsPhase(const Job& job);

// The job in the calculation's frame: every angle u becomes −u, holes become the listed positions
// they are there, so that their numbers stay the user's.
Job InCalculationFrame(const Job& job);

// A result of the mirrored job back in the job's own frame.
void IntoJobFrame(JobResult& result, const std::string& separator);

// The frame that counts angles with or against the rotation, for the job's phase convention.
AngleFrame FrameCounting(bool withRotation, PhaseConvention convention);

// Which way the job's angles on the rotor run: «по вращению» or «против вращения».
std::string_view AngleDirectionWord(const Job& job);

// An angle's heading with the way it runs, for tables: «От нуля, °, по вращению».
std::string AngleHeading(std::string_view heading, const Job& job);

}  // namespace balance4::job
