#pragma once
// The job file's "acceptance" object: what the customer accepts the rotor by. It has a version of
// its own and is written only when something in it is given, so that jobs without it keep their
// files as they were.
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "job.h"

namespace balance4::job {

inline constexpr int kAcceptanceVersion = 1;

// Null when the job holds nothing of it. The refined coefficients are the job file's to add, in
// the form of its own coefficients.
nlohmann::ordered_json AcceptanceJson(const Job& job);

// Fills the job's acceptance fields from the object. Empty optional when it reads; else the
// damaged place, e.g. "acceptance.iso.grade".
std::optional<std::string> ReadAcceptance(const nlohmann::ordered_json& json, Job& job);

}  // namespace balance4::job
