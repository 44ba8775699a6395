#pragma once
// The influence coefficients of a complete job, kept for trim runs on the same machine: a small
// versioned text file that also records the trial masses and angles the coefficients came from.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "influence_matrix.h"

namespace balance4::cli {

inline constexpr int kCoefficientFileVersion = 1;

struct SavedCoefficients {
    InfluenceMatrix Matrix;
    std::array<double, 4> TrialMass = {};   // by plane 1..4 at index 0..3
    std::array<double, 4> TrialAngle = {};  // degrees from the common zero
    std::string Unit;
};

// The file's text. Numbers are written in the shortest form that reads back to the same double.
std::string FormatCoefficientFile(const SavedCoefficients& saved);

// The body followed by the checksum line that a file with this body ends with.
std::string WithChecksum(std::string_view body);

// Empty optional: `error` says in Russian why the text is not a whole, undamaged file of this
// version (foreign, newer, truncated, damaged at a line, checksum wrong).
std::optional<SavedCoefficients> ParseCoefficientFile(std::string_view text, std::string& error);

// Writes through a temporary file and a rename, so an existing file is never left half written.
bool SaveCoefficientFile(const std::string& path, const SavedCoefficients& saved,
                         std::string& error);
std::optional<SavedCoefficients> LoadCoefficientFile(const std::string& path, std::string& error);

}  // namespace balance4::cli
