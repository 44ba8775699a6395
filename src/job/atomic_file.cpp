#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string_view>

#include "job_text.h"

namespace balance4::job {

namespace {

bool WriteAll(int descriptor, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(descriptor, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The mode the file is to have: that of the file it replaces, else what a new file gets under the
// process's umask (read from /proc, since umask() itself would change it for every thread).
mode_t ModeFor(const std::string& path) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) return existing.st_mode & 07777;
    mode_t mask = 022;
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("Umask:"))
            mask = static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
    return 0666 & ~mask;
}

}  // namespace

std::string WriteFailureReason(int code, const std::string& path) {
    const std::string folder = Quoted(FolderOf(path));
    switch (code) {
        case EACCES:
        case EPERM:
            return "нет прав на запись в папку " + folder;
        case EROFS:
            return "папка " + folder + " только для чтения";
        case ENOSPC:
        case EDQUOT:
            return "на диске нет места";
        case ENOENT:
        case ENOTDIR:
            return "нет папки " + folder;
        case EISDIR:
            return Quoted(path) + " — это папка";
        case ENAMETOOLONG:
            return "слишком длинное имя файла";
        default:
            return "ошибка записи (код " + std::to_string(code) + ")";
    }
}

bool WriteFileAtomically(const std::string& path, const std::string& text, std::string& error) {
    const auto fail = [&](int code) {
        error = WriteFailureReason(code, path);
        return false;
    };
    // The temporary sits beside the target, so the rename stays within one file system.
    std::string temporary = path + ".XXXXXX";
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) return fail(errno);
    // mkstemp makes the file private; the saved file keeps the mode a plain write would give.
    int code = 0;
    if (::fchmod(descriptor, ModeFor(path)) != 0 || !WriteAll(descriptor, text) ||
        ::fsync(descriptor) != 0)
        code = errno;
    if (::close(descriptor) != 0 && code == 0) code = errno;
    if (code == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) code = errno;
    if (code != 0) {
        std::remove(temporary.c_str());
        return fail(code);
    }
    // The rename itself reaches the disk with the folder.
    const int folder = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t limit,
                                         std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = "файл " + Quoted(path) + " не открывается";
        return std::nullopt;
    }
    std::string text;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        text.append(buffer, got);
        if (text.size() > limit) {
            std::fclose(file);
            error = "файл " + Quoted(path) + " слишком велик";
            return std::nullopt;
        }
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        error = "файл " + Quoted(path) + " не читается";
        return std::nullopt;
    }
    return text;
}

}  // namespace balance4::job
