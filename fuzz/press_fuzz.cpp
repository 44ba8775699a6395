// Any bytes as the 40 field texts of successive presses: every press ends in messages, the
// zero-determinant outcome, eight results or a floating-point error, and never crashes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "balancing_calculator.h"
#include "extended.h"
#include "reading_fields.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One calculator for the whole run: readings and matrix carry over, as in the window.
    static balance4::BalancingCalculator calculator = [] {
        balance4::BalancingCalculator c;
        c.SetTrialMasses();
        return c;
    }();

    // Texts separated by TAB; missing ones keep the example's text so most inputs calculate.
    balance4::ReadingTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = balance4::kReadingFields[i].DefaultText;
    std::size_t index = 0;
    std::string current;
    bool any = false;
    for (std::size_t i = 0; i < size && index < texts.size(); ++i) {
        if (data[i] == '\t') {
            texts[index++] = current;
            current.clear();
        } else {
            current += static_cast<char>(data[i]);
            any = true;
        }
    }
    if (any && index < texts.size()) texts[index] = current;

    try {
        const balance4::PressResult result = calculator.Press(texts, size % 2 ? "," : ".");
        if ((result.Outcome == balance4::PressOutcome::Refused) != !result.Failures.empty())
            std::abort();
        int previous = -1;
        for (const balance4::RefusedField& failure : result.Failures) {
            // Visiting order, each field at most once, and its own message.
            if (failure.Field <= previous || failure.Field >= balance4::kReadingFieldCount)
                std::abort();
            previous = failure.Field;
            if (failure.Message.rfind(
                    balance4::FailureMessage(balance4::kReadingFields[std::size_t(failure.Field)],
                                             balance4::FieldFailure::Unreadable),
                    0) != 0)
                std::abort();
        }
        if (result.Outcome == balance4::PressOutcome::Calculated)
            for (const std::string& text : result.Texts)
                if (text.empty()) std::abort();
    } catch (const balance4::FloatingPointError&) {
        // An overflow of the calculation: the action ends with no result.
    }
    return 0;
}
