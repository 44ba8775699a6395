#include "coefficient_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "job_text.h"

namespace balance4::job {

namespace {

constexpr std::string_view kMagic = kCoefficientFileMagic;
constexpr int kPlaneCount = 4;

constexpr std::string_view kExplanation =
    "# Коэффициенты влияния для повторной балансировки: balance4-calc trim --coefficients.\n"
    "# coefficient p d: изменение вибрации в плоскости p от пробного груза в плоскости d,\n"
    "# модуль (в единицах амплитуды) и угол (в радианах); пробная масса в них не входит.\n"
    "# trial-mass, trial-angle: пробные массы и их углы от общего нуля (градусы), по плоскостям.\n"
    "# Файл не правьте: контрольная сумма в конце проверяет, что он дошёл целым.\n";

// CRC-32 (the zip and PNG one) over the file's lines, each ended by LF whatever the line ends were.
std::uint32_t Crc32(std::string_view text, std::uint32_t crc = 0) {
    crc = ~crc;
    for (const char c : text) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::string Number(double value) {
    char buffer[64];
    const auto [end, status] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, status == std::errc() ? end : buffer);
}

std::optional<double> ReadNumber(std::string_view token) {
    double value = 0.0;
    const auto [end, status] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (status != std::errc() || end != token.data() + token.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A plane number as written, 1 to 4; 0 for anything else.
int PlaneNumber(std::string_view word) {
    return word.size() == 1 && word[0] >= '1' && word[0] <= '4' ? word[0] - '0' : 0;
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    while (!line.empty()) {
        const std::size_t start = line.find_first_not_of(' ');
        if (start == line.npos) break;
        line.remove_prefix(start);
        const std::size_t end = std::min(line.find(' '), line.size());
        words.push_back(line.substr(0, end));
        line.remove_prefix(end);
    }
    return words;
}

// The part of the file that the checksum covers.
std::string Body(const Coefficients& saved) {
    std::string text = std::string(kMagic) + " " + std::to_string(kCoefficientFileVersion) + "\n";
    text += kExplanation;
    text += "unit " + saved.Unit + "\n";
    const auto planes = [&](std::string_view key, double Weight::*value) {
        text += key;
        for (const Weight& trial : saved.Trial) text += " " + Number(trial.*value);
        text += "\n";
    };
    planes("trial-mass", &Weight::Mass);
    planes("trial-angle", &Weight::AngleDegrees);
    for (int p = 1; p <= kPlaneCount; ++p)
        for (int d = 1; d <= kPlaneCount; ++d) {
            const Coefficient& element =
                saved.Element[static_cast<std::size_t>((p - 1) * 4 + d - 1)];
            text += "coefficient " + std::to_string(p) + " " + std::to_string(d) + " " +
                    Number(element.Magnitude) + " " + Number(element.Angle) + "\n";
        }
    return text;
}

std::string Hex(std::uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%08x", static_cast<unsigned>(value));
    return buffer;
}

}  // namespace

std::string WithChecksum(std::string_view body) {
    std::uint32_t crc = 0;
    for (std::size_t start = 0; start < body.size();) {  // line by line, as the reader sums them
        const std::size_t end = std::min(body.find('\n', start), body.size());
        std::string_view line = body.substr(start, end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        crc = Crc32(std::string(line) + "\n", crc);
        start = end + 1;
    }
    std::string text(body);
    if (!text.empty() && !text.ends_with('\n')) text += '\n';
    return text + "checksum " + Hex(crc) + "\n";
}

std::string FormatCoefficientFile(const Coefficients& saved) {
    return WithChecksum(Body(saved));
}

std::optional<Coefficients> ParseCoefficientFile(std::string_view text, std::string& error) {
    std::string content(text);
    SkipByteOrderMark(content);
    const auto fail = [&](std::string message) {
        error = std::move(message);
        return std::nullopt;
    };
    const auto damaged = [&](int line) {
        return fail("файл повреждён (строка " + std::to_string(line) + ")");
    };
    if (!content.starts_with(std::string(kMagic) + " "))
        return fail("это не файл коэффициентов balance4");

    Coefficients saved{kPlaneCount, kPlaneCount, std::vector<Coefficient>(16),
                       std::vector<Weight>(4), ""};
    bool unit = false, masses = false, angles = false, checked = false;
    bool coefficient[kPlaneCount + 1][kPlaneCount + 1] = {};
    int coefficients = 0;
    std::uint32_t crc = 0;
    std::size_t start = 0;
    for (int number = 1; start < content.size(); ++number) {
        const std::size_t end = std::min(content.find('\n', start), content.size());
        std::string_view line = std::string_view(content).substr(start, end - start);
        start = end + 1;
        if (line.ends_with('\r')) line.remove_suffix(1);
        const std::vector<std::string_view> words = Words(line);

        if (checked) {  // nothing but blank lines after the checksum
            if (!words.empty()) return damaged(number);
            continue;
        }
        if (!words.empty() && words[0] == "checksum") {
            if (words.size() != 2 || words[1] != Hex(crc)) return fail("файл повреждён");
            checked = true;
            continue;
        }
        crc = Crc32(std::string(line) + "\n", crc);
        if (number == 1) {
            if (words.size() != 2) return fail("это не файл коэффициентов balance4");
            if (words[1] != std::to_string(kCoefficientFileVersion))
                return fail("версия файла " + Quoted(words[1]) + ", программа читает версию " +
                            std::to_string(kCoefficientFileVersion));
            continue;
        }
        if (words.empty() || line.starts_with('#')) continue;
        if (words[0] == "unit" && !unit && words.size() >= 2) {
            // The name runs from its first word to its last, blanks inside it kept.
            const auto from = static_cast<std::size_t>(words[1].data() - line.data());
            const auto to =
                static_cast<std::size_t>(words.back().data() - line.data()) + words.back().size();
            saved.Unit = line.substr(from, to - from);
            if (!IsUnitName(saved.Unit)) return damaged(number);
            unit = true;
        } else if ((words[0] == "trial-mass" && !masses) ||
                   (words[0] == "trial-angle" && !angles)) {
            const bool mass = words[0] == "trial-mass";
            if (words.size() != 5) return damaged(number);
            for (std::size_t i = 0; i < 4; ++i) {
                const std::optional<double> value = ReadNumber(words[i + 1]);
                if (!value || (mass && !(*value > 0.0))) return damaged(number);
                (mass ? saved.Trial[i].Mass : saved.Trial[i].AngleDegrees) = *value;
            }
            (mass ? masses : angles) = true;
        } else if (words[0] == "coefficient" && words.size() == 5) {
            const int row = PlaneNumber(words[1]), column = PlaneNumber(words[2]);
            const std::optional<double> magnitude = ReadNumber(words[3]);
            const std::optional<double> angle = ReadNumber(words[4]);
            if (!row || !column || !magnitude || !angle || *magnitude < 0.0 ||
                coefficient[row][column])
                return damaged(number);
            coefficient[row][column] = true;
            saved.Element[static_cast<std::size_t>((row - 1) * 4 + column - 1)] = {*magnitude,
                                                                                   *angle};
            ++coefficients;
        } else {
            return damaged(number);
        }
    }
    if (!checked) return fail("файл обрезан (нет контрольной суммы в конце)");
    if (!unit || !masses || !angles || coefficients != kPlaneCount * kPlaneCount)
        return fail("в файле не хватает данных");
    return saved;
}

}  // namespace balance4::job
