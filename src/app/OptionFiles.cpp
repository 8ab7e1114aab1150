#include "app/OptionFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace quenford {

namespace {

namespace fs = std::filesystem;

bool allowed(const std::string& path, int mode) {
    return ::faccessat(AT_FDCWD, path.c_str(), mode, AT_EACCESS) == 0;
}

// Why the file cannot be written (made, or replaced), or nothing when it can.
std::optional<std::string> unwritable(const std::string& path) {
    std::error_code error;
    if (fs::is_directory(path, error)) {
        return "is a folder";
    }
    if (fs::exists(path, error)) {
        return allowed(path, W_OK) ? std::nullopt
                                   : std::optional<std::string>(std::strerror(errno));
    }
    std::string folder = fs::path(path).parent_path().string();
    folder = folder.empty() ? "." : folder;
    if (!fs::is_directory(folder, error)) {
        return "the folder " + folder + " does not exist";
    }
    if (!allowed(folder, W_OK | X_OK)) {
        return "the folder " + folder + " cannot be written (" + std::strerror(errno) + ")";
    }
    return std::nullopt;
}

std::optional<std::string> unreadable(const std::string& path) {
    std::error_code error;
    if (fs::is_directory(path, error)) {
        return "is a folder";
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::string(std::strerror(errno));
    }
    ::close(fd);
    return std::nullopt;
}

std::optional<std::string> refusal(const std::string& option, const std::string& path,
                                   const std::optional<std::string>& why) {
    if (!why) {
        return std::nullopt;
    }
    return option + " " + path + ": " + *why;
}

}  // namespace

std::optional<std::string> refuseOptionFiles(const ProgramOptions& o) {
    std::error_code error;
    if (o.dataFolder && !fs::is_directory(*o.dataFolder, error)) {
        return refusal("--data", *o.dataFolder, "no such folder");
    }
    if (!o.demoFile.empty() && o.demo == DemoChoice::Playback) {
        if (auto why = refusal("--play-demo", o.demoFile, unreadable(o.demoFile))) {
            return why;
        }
    }
    if (!o.demoFile.empty() && o.demo == DemoChoice::Record) {
        if (auto why = refusal("--record-demo", o.demoFile, unwritable(o.demoFile))) {
            return why;
        }
    }
    if (!o.reportFile.empty()) {
        if (auto why = refusal("--report", o.reportFile, unwritable(o.reportFile))) {
            return why;
        }
    }
    if (!o.dumpFolder.empty()) {
        fs::create_directories(o.dumpFolder, error);
        if (!fs::is_directory(o.dumpFolder, error)) {
            return refusal("--dump", o.dumpFolder, "cannot be made a folder");
        }
        if (!allowed(o.dumpFolder, W_OK | X_OK)) {
            return refusal("--dump", o.dumpFolder, std::strerror(errno));
        }
    }
    return std::nullopt;
}

}  // namespace quenford
