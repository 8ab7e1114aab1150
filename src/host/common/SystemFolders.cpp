#include "host/common/SystemFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace quenford::host {

namespace {

std::optional<std::string> environmentValue(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::string(value);
}

std::string withSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

}  // namespace

std::optional<std::string> homeFolder() {
    if (auto home = environmentValue("HOME")) {
        return home;
    }
    const passwd* entry = getpwuid(getuid());
    if (entry == nullptr || entry->pw_dir == nullptr || *entry->pw_dir == '\0') {
        return std::nullopt;
    }
    return std::string(entry->pw_dir);
}

std::optional<std::string> collectionDataFolder() {
    std::optional<std::string> folder = environmentValue("TAMBERLY_HOME");
    if (!folder) {
        if (auto dataHome = environmentValue("XDG_DATA_HOME")) {
            folder = withSlash(*dataHome) + "tamberly";
        } else if (auto home = homeFolder()) {
            folder = withSlash(*home) + ".local/share/tamberly";
        } else {
            return std::nullopt;
        }
    }
    std::error_code error;
    std::filesystem::create_directories(*folder, error);
    if (!std::filesystem::is_directory(*folder, error)) {
        return std::nullopt;
    }
    return withSlash(*folder);
}

std::optional<std::string> executableFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !program.has_parent_path()) {
        return std::nullopt;
    }
    return withSlash(program.parent_path().string());
}

}  // namespace quenford::host
