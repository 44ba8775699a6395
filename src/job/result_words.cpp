#include "result_words.h"

#include "job_text.h"
#include "split.h"

namespace balance4::job {

namespace {

constexpr std::size_t kCalculatorPlanes = 4;  // the calculator's texts: M1..M4, then F1..F4

// «больше 30 % самой поправки», or «больше самой поправки» for the whole of it.
std::string AboveCorrection(double fraction, std::string_view separator) {
    if (fraction == 1.0) return "разброс больше самой поправки";
    return "разброс больше " + ShortestNumberText(fraction * 100.0, separator) +
           " % самой поправки";
}

}  // namespace

std::string_view RunQualityWord(const RunQuality& run) {
    return run.Weak ? "слабый" : run.Large ? "велик" : "достаточно";
}

std::string WeakRunRule(std::string_view separator) {
    return "меньше " + ShortestNumberText(kWeakRunPercent, separator) + " % — слабый отклик";
}

std::string DoubtfulRule(std::string_view separator) {
    return AboveCorrection(kDoubtfulSpread, separator);
}

std::string UnreliableRule(std::string_view separator) {
    return AboveCorrection(kUnreliableSpread, separator);
}

std::string SplitRefusalText() {
    return "разбить нельзя — соседние места отстоят на " +
           ShortestNumberText(kSplitRefusedDegrees, ",") + "° и больше";
}

std::string SplitWarningText() {
    return "соседние места отстоят больше чем на " + ShortestNumberText(kSplitWarnedDegrees, ",") +
           "°: грузы выходят большими";
}

bool ShowsCalculatorTexts(const JobResult& result, std::size_t plane) {
    return result.Exact && plane < kCalculatorPlanes;
}

const std::string& CalculatorPercentText(const JobResult& result, std::size_t plane) {
    return result.WindowTexts[plane];
}

const std::string& CalculatorAngleText(const JobResult& result, std::size_t plane) {
    return result.WindowTexts[kCalculatorPlanes + plane];
}

}  // namespace balance4::job
