#include "job_file.h"

namespace balance4::job {

std::string FormatJobFile(const Job&) {
    return {};
}

std::optional<Job> ParseJobFile(std::string_view, std::string& error) {
    error = "не реализовано";
    return std::nullopt;
}

bool SaveJobFile(const std::string&, const Job&, std::string& error) {
    error = "не реализовано";
    return false;
}

std::optional<Job> LoadJobFile(const std::string&, std::string& error) {
    error = "не реализовано";
    return std::nullopt;
}

}  // namespace balance4::job
