#pragma once
// The words and sentences every program shows about a result: run quality, trust thresholds, the
// split's refusal and warning, and which texts stand for a plane's M and F. Each threshold in a
// sentence comes from its constant.
#include <cstddef>
#include <string>
#include <string_view>

#include "job_result.h"

namespace balance4::job {

// «слабый» for a trial run that moved the vibration less than kWeakRunPercent, «велик» above
// kLargeRunPercent (as its warning says), else «достаточно».
std::string_view RunQualityWord(const RunQuality& run);

// «меньше 25 % — слабый отклик»: the rule of thumb behind RunQualityWord.
std::string WeakRunRule(std::string_view separator);

// «разброс больше 30 % самой поправки» and «разброс больше самой поправки»: what makes a plane
// «сомнительно» and «недостоверно».
std::string DoubtfulRule(std::string_view separator);
std::string UnreliableRule(std::string_view separator);

// What SplitResult says when the neighbours are too far apart to split, or far enough apart to
// need large parts.
std::string SplitRefusalText();
std::string SplitWarningText();

// On the calculator's exact path a plane's M and F are the calculator's own texts, to the digit;
// elsewhere they are formatted from Percent and AngleFromTrial.
bool ShowsCalculatorTexts(const JobResult& result, std::size_t plane);
const std::string& CalculatorPercentText(const JobResult& result, std::size_t plane);
const std::string& CalculatorAngleText(const JobResult& result, std::size_t plane);

}  // namespace balance4::job
