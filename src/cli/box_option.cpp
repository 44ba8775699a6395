#include "box_option.h"

#include <cmath>

#include "cli_text.h"
#include "number_text.h"
#include "option_values.h"

namespace balance4::cli {

namespace {

constexpr std::string_view kTimes = "\xC3\x97";  // ×

std::optional<double> Mass(std::string_view text) {
    if (const std::optional<double> number = ParseOptionNumber(text)) return number;
    const std::optional<Extended> comma = ParseDecimal(text, ",");
    if (!comma || !std::isfinite(static_cast<double>(*comma))) return std::nullopt;
    return static_cast<double>(*comma);
}

}  // namespace

std::optional<std::vector<job::BoxMass>> ParseWeightsBox(std::string_view text,
                                                         std::string& error) {
    std::vector<job::BoxMass> box;
    for (std::string part : SplitAt(text, ';')) {
        for (const std::string_view sign :
             {std::string_view("x"), std::string_view("X"), std::string_view("*")})
            for (std::size_t at = part.find(sign); at != std::string::npos; at = part.find(sign))
                part.replace(at, sign.size(), kTimes);
        const std::size_t times = part.find(kTimes);
        std::optional<double> mass;
        std::optional<int> count;
        if (times != std::string::npos) {
            std::string massText = part.substr(0, times);
            while (massText.starts_with(' ')) massText.erase(0, 1);
            while (massText.ends_with(' ')) massText.pop_back();
            mass = Mass(massText);
            count = ParseWholeNumber(part.substr(times + kTimes.size()), 1, 100000);
        }
        if (!mass || !(*mass > 0.0) || !count) {
            error = "--weights-box: нужно «масса×штук; …», например «5×4; 10×3; 20×2», дано " +
                    Quoted(text);
            return std::nullopt;
        }
        box.push_back({*mass, *count});
    }
    return box;
}

}  // namespace balance4::cli
