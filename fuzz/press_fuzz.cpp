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
    std::vector<std::string> texts;
    for (const auto& field : balance4::kReadingFields) texts.emplace_back(field.DefaultText);
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

    int messages = 0;
    try {
        const balance4::PressResult result = calculator.Press(
            size % 2 ? "," : ".",
            [&](const balance4::ReadingField& f) {
                return texts[static_cast<std::size_t>(&f - balance4::kReadingFields.data())];
            },
            [&](const balance4::ReadingField&, const std::string& message) {
                if (message.rfind("Неверно задан ", 0) != 0) std::abort();
                ++messages;
            });
        if ((result.Outcome == balance4::PressOutcome::Refused) != (messages > 0)) std::abort();
        if (result.Outcome == balance4::PressOutcome::Calculated)
            for (const std::string& text : result.Texts)
                if (text.empty()) std::abort();
    } catch (const balance4::FloatingPointError&) {
        if (messages != 0) std::abort();  // only an accepted press calculates
    }
    return 0;
}
