#include "option_values.h"

#include <algorithm>
#include <cmath>

#include "cli_text.h"
#include "extended.h"
#include "number_text.h"
#include "positions.h"
#include "split.h"

namespace balance4::cli {

namespace {

constexpr std::string_view kDegreeSign = "\xC2\xB0";

std::optional<double> Finite(std::optional<Extended> value) {
    if (!value) return std::nullopt;
    const double number = static_cast<double>(*value);
    if (!std::isfinite(number)) return std::nullopt;
    return number;
}

// A part of a «;»-separated list: the decimal sign is a point or a comma.
std::optional<double> ParseEitherSign(std::string_view text) {
    return ParseOptionQuantity(text);
}

std::string CountWords(int planes) {
    return planes == 1 ? "одно число" : "одно число или " + std::to_string(planes);
}

// The parts of a list: at «;» when there is one (numbers may then carry a decimal comma), else at
// commas.
std::vector<std::string> ListParts(std::string_view text, bool& semicolons) {
    semicolons = text.find(';') != std::string_view::npos;
    return SplitAt(text, semicolons ? ';' : ',');
}

}  // namespace

std::optional<double> ParseOptionNumber(std::string_view text) {
    return Finite(ParseDecimal(text, "."));
}

std::optional<double> ParseOptionQuantity(std::string_view text) {
    if (const std::optional<double> number = ParseOptionNumber(text)) return number;
    return Finite(ParseDecimal(text, ","));
}

std::optional<int> ParseWholeNumber(std::string_view text, int least, int most) {
    while (text.starts_with(' ')) text.remove_prefix(1);
    while (text.ends_with(' ')) text.remove_suffix(1);
    if (text.empty() || text.size() > 9) return std::nullopt;
    int number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
    }
    if (number < least || number > most) return std::nullopt;
    return number;
}

std::optional<std::vector<double>> ParsePlaneNumbers(std::string_view option, std::string_view text,
                                                     int planes, std::string& error) {
    const std::string name(option);
    bool semicolons = false;
    const std::vector<std::string> parts = ListParts(text, semicolons);
    const auto fits = [&](std::size_t count) {
        return count == 1 || count == static_cast<std::size_t>(planes);
    };

    std::vector<double> numbers;
    bool allNumbers = true;
    for (const std::string& part : parts) {
        const std::optional<double> number =
            semicolons ? ParseEitherSign(part) : ParseOptionNumber(part);
        if (!number) allNumbers = false;
        numbers.push_back(number.value_or(0.0));
    }
    // Without «;», a single comma may also be a decimal comma: «20,5».
    std::optional<double> decimalComma;
    if (!semicolons && parts.size() == 2) decimalComma = Finite(ParseDecimal(text, ","));

    const bool asList = allNumbers && fits(numbers.size());
    if (asList && decimalComma) {
        error = name + ": " + Quoted(text) + " — это два числа или одно с десятичной запятой? " +
                "Разделяйте числа списка точкой с запятой (" + name + " '" + parts[0] + ";" +
                parts[1] + "'), а в одном числе пишите точку (" + name + " " + parts[0] + "." +
                parts[1] + ")";
        return std::nullopt;
    }
    if (!asList && decimalComma) numbers.assign(1, *decimalComma);
    if (!asList && !decimalComma) {
        if (!fits(parts.size())) {
            error = name + ": нужно " + CountWords(planes) + " через «;» или запятую, дано " +
                    Quoted(text);
            if (!semicolons && parts.size() == 2 * static_cast<std::size_t>(planes))
                error += "; если запятая здесь десятичная, разделяйте числа «;»";
            return std::nullopt;
        }
        for (const std::string& part : parts)
            if (!(semicolons ? ParseEitherSign(part) : ParseOptionNumber(part))) {
                error = name + ": не число: " + Quoted(part);
                return std::nullopt;
            }
    }
    if (numbers.size() == 1) numbers.assign(static_cast<std::size_t>(planes), numbers[0]);
    return numbers;
}

std::optional<std::vector<int>> ParseHoles(std::string_view text, int planes, std::string& error) {
    bool semicolons = false;
    const std::vector<std::string> parts = ListParts(text, semicolons);
    if (parts.size() != 1 && parts.size() != static_cast<std::size_t>(planes)) {
        error =
            "--holes: нужно " + CountWords(planes) + " через «;» или запятую, дано " + Quoted(text);
        return std::nullopt;
    }
    std::vector<int> holes;
    for (const std::string& part : parts) {
        const std::optional<int> count = ParseWholeNumber(part, 1, 999999999);
        if (!count) {
            error = "--holes: число отверстий должно быть целым, дано " + Quoted(part);
            return std::nullopt;
        }
        job::PlaneSetup plane;
        plane.Holes = *count;
        if (const std::optional<std::string> problem = job::PositionsProblem(plane)) {
            error = "--holes: " + *problem;
            return std::nullopt;
        }
        holes.push_back(*count);
    }
    if (holes.size() == 1) holes.assign(static_cast<std::size_t>(planes), holes[0]);
    return holes;
}

std::optional<std::vector<double>> ParsePositions(std::string_view text, std::string& error) {
    bool semicolons = false;
    const std::vector<std::string> parts = ListParts(text, semicolons);
    std::vector<double> angles;
    for (const std::string& part : parts) {
        const std::optional<double> angle =
            semicolons ? ParseEitherSign(part) : ParseOptionNumber(part);
        if (!angle) {
            error = "--positions: не число: " + Quoted(part);
            return std::nullopt;
        }
        angles.push_back(*angle);
    }
    // An angle past a turn or below zero is most likely a typo, and is refused like any other.
    job::PlaneSetup plane;
    plane.Positions = angles;
    if (const std::optional<std::string> problem = job::PositionsProblem(plane)) {
        error = "--positions: " + *problem;
        return std::nullopt;
    }
    return angles;
}

std::optional<ToleranceValues> ParseTolerance(std::string_view text, std::string& error) {
    bool semicolons = false;
    std::vector<std::string> parts = ListParts(text, semicolons);
    const auto strip = [](std::string& part, std::string_view sign) {
        while (part.ends_with(' ')) part.pop_back();
        if (part.ends_with(sign)) part.erase(part.size() - sign.size());
    };
    std::optional<double> amplitude, phase;
    if (parts.size() == 2) {
        strip(parts[0], "%");
        strip(parts[1], kDegreeSign);
        amplitude = semicolons ? ParseEitherSign(parts[0]) : ParseOptionNumber(parts[0]);
        phase = semicolons ? ParseEitherSign(parts[1]) : ParseOptionNumber(parts[1]);
    }
    // Amplitudes must stay positive, and a phase off by more than half a turn means nothing.
    if (!amplitude || !phase || !(*amplitude >= 0.0 && *amplitude < 100.0) ||
        !(*phase >= 0.0 && *phase <= 180.0)) {
        error = "--tolerance: нужно «A%,P°» (амплитуда от 0 до 100 %, фаза от 0 до 180°), дано " +
                Quoted(text);
        if (!semicolons && parts.size() == 4)
            error += "; если запятая здесь десятичная, разделяйте числа «;»: «2,5;1,5»";
        return std::nullopt;
    }
    return ToleranceValues{*amplitude, *phase};
}

}  // namespace balance4::cli
