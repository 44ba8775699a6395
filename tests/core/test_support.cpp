#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <sstream>

#include "extended.h"
#include "reading_fields.h"

namespace balance4::test {

std::vector<std::string> DefaultTexts() {
    std::vector<std::string> texts;
    for (const ReadingField& field : kReadingFields) texts.emplace_back(field.DefaultText);
    return texts;
}

ReadingTexts AsReadingTexts(const std::vector<std::string>& texts) {
    ReadingTexts fixed;
    EXPECT_EQ(texts.size(), fixed.size());
    std::copy_n(texts.begin(), std::min(texts.size(), fixed.size()), fixed.begin());
    return fixed;
}

MeasurementSet ReadSet(const std::vector<std::string>& texts) {
    MeasurementSet set;
    for (const RefusedField& failure : ReadMeasurements(set, AsReadingTexts(texts), ","))
        ADD_FAILURE() << failure.Message;
    return set;
}

std::string PressLine(BalancingCalculator& calculator, const std::vector<std::string>& texts,
                      const std::string& separator) {
    try {
        const PressResult result = calculator.Press(AsReadingTexts(texts), separator);
        std::string line;
        if (result.Outcome == PressOutcome::InvalidTrialMass)
            return std::string(kInvalidTrialMassMessage);
        if (result.Outcome == PressOutcome::Refused) {
            for (const RefusedField& failure : result.Failures)
                line += (line.empty() ? "" : " | ") + failure.Message;
            return line;
        }
        for (const auto& text : result.Texts) line += (line.empty() ? "" : "\t") + text;
        return line;
    } catch (const FloatingPointError& error) {
        return std::string(error.what()) + ".";
    }
}

std::string Digits(double value, int n) {
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, n - 1)
            .ptr;
    return std::string(buffer, end);
}

std::vector<std::string> TextsFor(const double (&amplitude)[5][4], const double (&phase)[5][4]) {
    std::vector<std::string> texts;
    for (const ReadingField& field : kReadingFields) {
        const double value = field.Kind == ReadingKind::Amplitude
                                 ? amplitude[field.Run][field.Plane - 1]
                                 : phase[field.Run][field.Plane - 1];
        std::ostringstream out;
        out.imbue(std::locale::classic());
        out.precision(17);
        out << value;
        std::string text = out.str();
        for (char& c : text)
            if (c == '.') c = ',';
        texts.push_back(text);
    }
    return texts;
}

}  // namespace balance4::test
