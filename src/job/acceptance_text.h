#pragma once
// The texts the tool, the window and the report show for the acceptance of a job: the
// balance-grade check. Numbers with the job's decimal separator.
#include <string>
#include <string_view>
#include <vector>

#include "iso_check.h"

namespace balance4::job {

// Four significant digits, at least one decimal, thousands grouped by no-break spaces:
// «12,03», «6,016», «28 647,9».
std::string UnbalanceText(double value, std::string_view separator);

// «G 6,3».
std::string GradeText(double grade, std::string_view separator);

// «Допуск ISO 21940-11, G 2,5: выполнен» (or «не выполнен»).
std::string IsoVerdictText(double grade, bool within, std::string_view separator);

// The permissible unbalance, and with a check its residuals and verdict, one line each.
std::vector<std::string> IsoLines(const IsoSetup& setup, const PermissibleUnbalance& limit,
                                  const IsoCheck* check, std::string_view separator);

}  // namespace balance4::job
