#pragma once
// The permissible residual unbalance of a rigid rotor by its balance grade (ISO 21940-11), shared
// between two bearings, and a job's remaining correction checked against it.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "job.h"
#include "job_result.h"

namespace balance4::job {

// The standard's series of balance grades G, mm/s.
inline constexpr std::array<double, 11> kBalanceGrades = {0.4, 1,   2.5, 6.3,  16,  40,
                                                          100, 250, 630, 1600, 4000};

// A bearing's share of the permissible unbalance stays within these fractions of the whole.
inline constexpr double kLeastBearingShare = 0.3;
inline constexpr double kMostBearingShare = 0.7;

bool IsBalanceGrade(double grade);

struct PermissibleUnbalance {
    double Total = 0.0;        // U_per, g·mm
    double PerKilogram = 0.0;  // e_per, g·mm/kg
    double BearingA = 0.0;     // g·mm
    double BearingB = 0.0;     // g·mm
    bool ByLevers = false;     // false: the centre of mass taken midway, half on each bearing
};

// Empty optional: `error` is one Russian line naming the input out of range.
std::optional<PermissibleUnbalance> Permissible(const IsoSetup& setup, std::string& error);

struct IsoCheck {
    PermissibleUnbalance Limit;
    // One plane: its residual against the whole U_per in ResidualA, and ResidualB unused.
    bool WholeRotor = false;
    bool ByStatics = false;  // moved onto the bearings from the planes' axial positions
    double ResidualA = 0.0;  // g·mm
    double ResidualB = 0.0;  // g·mm
    bool Within = false;
};

// The remaining correction per plane (the job's unit, at the correction radius, angles from the
// zero mark) taken as residual unbalance and compared with the permissible one. Empty optional:
// `error` says which input is missing or out of range.
std::optional<IsoCheck> CheckIso(const Job& job, const IsoSetup& setup,
                                 const std::vector<Weight>& remaining, std::string& error);

// What is still to correct on the rotor: after a control run, that run's trim correction; before
// any, the job's first correction. Empty optional: `error` says why there is none.
std::optional<std::vector<Weight>> RemainingCorrection(const Job& job, std::string& error);

// The job's check with the remaining correction taken from a result already made: a trim's
// result (no trial runs) is that control run's correction; the job's own calculation stands for
// the first correction of a job with no control run recorded; a result not calculated gives its
// own reason, and the job is not calculated again. Empty optional: `error` says why.
std::optional<IsoCheck> CheckJobIso(const Job& job, const IsoSetup& setup, const JobResult& result,
                                    std::string& error);

}  // namespace balance4::job
