#pragma once
// The values options take: numbers with a decimal point, lists of them, holes, a tolerance. A list
// may be separated by «;», and then its numbers may carry a decimal comma; a list separated by
// commas holds numbers with a decimal point. Every refusal is a one-line Russian message that names
// the option.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace balance4::cli {

// A number given in an option (decimal point, no grouping); empty when it is not a finite number.
std::optional<double> ParseOptionNumber(std::string_view text);

// One number standing alone in an option, with a decimal point or a decimal comma: «6,3».
std::optional<double> ParseOptionQuantity(std::string_view text);

// A whole number from `least` to `most`.
std::optional<int> ParseWholeNumber(std::string_view text, int least, int most);

// One value for every plane, or one per plane (`planes` of them). «20,5» is one number or two
// («20» and «5»); where both readings fit the plane count it is refused as ambiguous, and where
// only one of them fits, that one is taken.
std::optional<std::vector<double>> ParsePlaneNumbers(std::string_view option, std::string_view text,
                                                     int planes, std::string& error);

// Whole numbers of holes, one for every plane or one per plane, each a count a plane may have.
std::optional<std::vector<int>> ParseHoles(std::string_view text, int planes, std::string& error);

// Positions in degrees in the order given (numbered 1, 2, …), as many as a plane may have, no two
// at the same place.
std::optional<std::vector<double>> ParsePositions(std::string_view text, std::string& error);

struct ToleranceValues {
    double AmplitudePercent = 2.0;
    double PhaseDegrees = 2.0;
};

// «2,2», «2%,2°», «2 %, 2 °», «2,5;1,5».
std::optional<ToleranceValues> ParseTolerance(std::string_view text, std::string& error);

}  // namespace balance4::cli
