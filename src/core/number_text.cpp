#include "number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace balance4 {

namespace {

constexpr int kExponentDigitLimit = 500;  // exponent digits are taken only while below this

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Powers of ten up to 10^27 are exact in the extended format, so one division or multiplication by
// them rounds correctly.
constexpr int kExactPowerLimit = 27;
constexpr std::array<Extended, kExactPowerLimit + 1> kExactPowers = [] {
    std::array<Extended, kExactPowerLimit + 1> powers{};
    Extended p = 1.0L;
    for (auto& power : powers) {
        power = p;
        p *= 10.0L;
    }
    return powers;
}();

// 10^(2^i): beyond the exact range the power is built from these, a rounding per factor.
constexpr std::array<Extended, 13> kBinaryPowers = {
    1e1L, 1e2L, 1e4L, 1e8L, 1e16L, 1e32L, 1e64L, 1e128L, 1e256L, 1e512L, 1e1024L, 1e2048L, 1e4096L};

Extended PowerOfTen(long exponent) {  // exponent >= 0; infinity when beyond the extended range
    if (exponent <= kExactPowerLimit) return kExactPowers[static_cast<std::size_t>(exponent)];
    Extended power = 1.0L;
    for (std::size_t bit = 0; exponent != 0; ++bit, exponent >>= 1) {
        if (bit >= kBinaryPowers.size()) return HUGE_VALL;
        if (exponent & 1) power *= kBinaryPowers[bit];
    }
    return power;
}

Extended ScaleByPowerOfTen(Extended value, long scale) {
    if (value == 0.0L || scale == 0) return value;
    if (scale > 0) return value * PowerOfTen(scale);
    // Dividing in steps keeps a scale beyond the extended range from turning into 0/inf early:
    // the quotient only underflows, which is no failure.
    long remaining = -scale;
    constexpr long kStep = 4096;
    while (remaining > kStep && value != 0.0L) {
        value /= kBinaryPowers.back();
        remaining -= kStep;
    }
    return value / PowerOfTen(remaining);
}

}  // namespace

std::optional<Extended> ParseDecimal(std::string_view text, std::string_view separator) {
    const ExtendedPrecisionScope precision;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ') ++i;

    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    // The digits are accumulated as they come, value * 10 + digit, in extended precision.
    Extended value = 0.0L;
    long fractionDigits = 0;
    bool consumed = false;
    for (; i < n && IsDigit(text[i]); ++i) {
        value = value * 10.0L + (text[i] - '0');
        consumed = true;
    }
    if (!separator.empty() && text.substr(i).starts_with(separator)) {
        i += separator.size();
        consumed = true;
        for (; i < n && IsDigit(text[i]); ++i) {
            value = value * 10.0L + (text[i] - '0');
            ++fractionDigits;
        }
    }
    if (!consumed || std::isinf(value)) return std::nullopt;

    long exponent = 0;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool exponentNegative = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            exponentNegative = text[i] == '-';
            ++i;
        }
        // A digit left over once the exponent has reached the limit is not taken: the text fails
        // at the end check below.
        for (; i < n && IsDigit(text[i]) && exponent < kExponentDigitLimit; ++i) {
            exponent = exponent * 10 + (text[i] - '0');
        }
        if (exponentNegative) exponent = -exponent;
    }

    while (i < n && text[i] == ' ') ++i;
    if (i != n) return std::nullopt;

    value = ScaleByPowerOfTen(value, exponent - fractionDigits);
    if (std::isinf(value)) return std::nullopt;
    return negative ? -value : value;
}

namespace {

constexpr int kSignificantDigits = 18;  // the rounding to two decimals is decided on these
constexpr int kGeneralDigits = 15;
constexpr double kGeneralFormatFrom = 1e18;

// Value in general format: 15 significant digits, scientific, trailing zeros dropped.
std::string FormatGeneral(double value, std::string_view separator) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                   std::chars_format::scientific, kGeneralDigits - 1)
                         .ptr;
    const std::string_view written(buffer, static_cast<std::size_t>(end - buffer));
    const std::size_t e = written.find('e');
    std::string_view mantissa = written.substr(0, e);
    while (mantissa.ends_with('0')) mantissa.remove_suffix(1);
    if (mantissa.ends_with('.')) mantissa.remove_suffix(1);

    std::string out = value < 0 ? "-" : "";
    out += mantissa.substr(0, 1);
    if (mantissa.size() > 2) {
        out += separator;
        out += mantissa.substr(2);
    }
    const int exponent = std::atoi(std::string(written.substr(e + 1)).c_str());
    out += exponent < 0 ? "E-" : "E+";
    out += std::to_string(std::abs(exponent));
    return out;
}

// Adds one to a string of decimal digits.
void IncrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

}  // namespace

std::string FormatResult(double value, std::string_view separator) {
    const ExtendedPrecisionScope precision;
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    const double magnitude = std::fabs(value);
    if (magnitude >= kGeneralFormatFrom) return FormatGeneral(value, separator);

    // The magnitude as 18 significant digits D and a decimal exponent: magnitude = D[0].D[1..] *
    // 10^exp.
    std::string digits(kSignificantDigits, '0');
    int exponent = 0;
    if (magnitude != 0.0) {
        char buffer[64];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                       std::chars_format::scientific, kSignificantDigits - 1)
                             .ptr;
        const std::string_view written(buffer, static_cast<std::size_t>(end - buffer));
        digits[0] = written[0];
        for (int k = 1; k < kSignificantDigits; ++k) digits[k] = written[k + 1];
        exponent = std::atoi(std::string(written.substr(written.find('e') + 1)).c_str());
    }

    // Hundredths: the digits up to the second decimal, rounded half away from zero on the next one.
    const int kept = exponent + 1 + 2;
    std::string hundredths;
    if (kept >= kSignificantDigits) {
        hundredths = digits + std::string(static_cast<std::size_t>(kept - kSignificantDigits), '0');
    } else if (kept >= 0) {
        hundredths = digits.substr(0, static_cast<std::size_t>(kept));
        if (digits[static_cast<std::size_t>(kept)] >= '5') IncrementDigits(hundredths);
    }
    const std::size_t firstNonZero = hundredths.find_first_not_of('0');
    hundredths = firstNonZero == std::string::npos ? "" : hundredths.substr(firstNonZero);
    const bool isZero = hundredths.empty();
    if (hundredths.size() < 3) hundredths.insert(0, 3 - hundredths.size(), '0');

    std::string out = (value < 0 && !isZero) ? "-" : "";
    out.append(hundredths, 0, hundredths.size() - 2);
    out += separator;
    out.append(hundredths, hundredths.size() - 2, 2);
    return out;
}

}  // namespace balance4
