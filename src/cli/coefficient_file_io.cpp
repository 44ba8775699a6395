#include "coefficient_file_io.h"

#include "atomic_file.h"
#include "cli_text.h"

namespace balance4::cli {

namespace {
constexpr std::size_t kLargestFile = 64 * 1024;
}  // namespace

bool SaveCoefficientFile(const std::string& path, const job::Coefficients& saved,
                         std::string& error) {
    if (!job::WriteFileAtomically(path, job::FormatCoefficientFile(saved), error)) {
        error = "не удалось записать файл коэффициентов " + Quoted(path);
        return false;
    }
    return true;
}

std::optional<job::Coefficients> LoadCoefficientFile(const std::string& path, std::string& error) {
    std::string ignored;
    const std::optional<std::string> text = job::ReadWholeFile(path, kLargestFile, ignored);
    if (!text) {
        error = "файл коэффициентов " + Quoted(path) +
                (ignored.ends_with("слишком велик") ? ": это не файл коэффициентов balance4"
                 : ignored.ends_with("не читается") ? " не читается"
                                                    : " не открывается");
        return std::nullopt;
    }
    std::optional<job::Coefficients> saved = job::ParseCoefficientFile(*text, error);
    if (!saved) error = "файл коэффициентов " + Quoted(path) + ": " + error;
    return saved;
}

}  // namespace balance4::cli
