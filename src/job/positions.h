#pragma once
// Where a plane's weights can go: equally spaced holes or listed angles, one rule for checking,
// reading and writing them wherever a job is typed, loaded or calculated.
#include <optional>
#include <string>
#include <string_view>

#include "job.h"

namespace balance4::job {

// The most holes or listed positions a plane may have: a degree apart, finer than any weight is
// fixed.
inline constexpr int kMaxHoles = 360;

// Empty when the plane's positions can be used: none at all, 2..kMaxHoles holes, or 2..kMaxHoles
// listed angles from 0 to 360°, no two at the same place. Else the reason, in Russian.
std::optional<std::string> PositionsProblem(const PlaneSetup& plane);

// "12": twelve equal holes; "0; 45; 90": listed angles, «;» between them, each with the job's
// separator or a point; "": none. False: `error` says why and the plane is unchanged.
bool ParsePositionsText(std::string_view text, std::string_view separator, PlaneSetup& plane,
                        std::string& error);

// The text that ParsePositionsText reads back to the same positions.
std::string PositionsText(const PlaneSetup& plane, std::string_view separator);

}  // namespace balance4::job
