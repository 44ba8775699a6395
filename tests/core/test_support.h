#pragma once
#include <string>
#include <vector>

#include "balancing_calculator.h"
#include "measurement_set.h"

namespace balance4::test {

// The 40 built-in example texts, in visiting order.
std::vector<std::string> DefaultTexts();

// The 40 texts as the press takes them; the test fails unless there are 40.
ReadingTexts AsReadingTexts(const std::vector<std::string>& texts);

// A measurement set read from texts with a decimal comma; the test fails on any refused field.
MeasurementSet ReadSet(const std::vector<std::string>& texts);

// One press with the given texts: the messages joined by " | ", the zero-determinant message, the
// eight results joined by TAB, or the floating-point error text with its full stop.
std::string PressLine(BalancingCalculator& calculator, const std::vector<std::string>& texts,
                      const std::string& separator = ",");

// The value written to n significant digits, for comparing with numbers given to that many.
std::string Digits(double value, int n);

// Texts for a set given as amplitude/phase (degrees) per [run][plane 1..4].
std::vector<std::string> TextsFor(const double (&amplitude)[5][4], const double (&phase)[5][4]);

}  // namespace balance4::test
