#include "host/sdl/Screenshot.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "host/common/PngFrameWriter.h"
#include "host/common/SystemFolders.h"

namespace quenford::host {

namespace {

std::optional<std::string> environmentValue(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::string(value);
}

bool isFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

std::string withSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

}  // namespace

std::string screenshotName(const std::tm& time, int sequence) {
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &time);
    std::string name = std::string("quenford-") + stamp;
    if (sequence > 1) {
        name += "-" + std::to_string(sequence);
    }
    return name + ".png";
}

// The line looks like XDG_PICTURES_DIR="$HOME/Pictures" (or an absolute path).
std::optional<std::string> picturesFolderIn(std::string_view userDirs, const std::string& home) {
    constexpr std::string_view key = "XDG_PICTURES_DIR=\"";
    std::istringstream lines{std::string(userDirs)};
    std::string line;
    while (std::getline(lines, line)) {
        const size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, key.size(), key) != 0) {
            continue;
        }
        const size_t valueStart = start + key.size();
        const size_t quote = line.find('"', valueStart);
        if (quote == std::string::npos) {
            return std::nullopt;
        }
        std::string value = line.substr(valueStart, quote - valueStart);
        if (value.rfind("$HOME", 0) == 0) {
            value = home + value.substr(5);
        }
        if (value.empty() || value[0] != '/') {
            return std::nullopt;
        }
        return value;
    }
    return std::nullopt;
}

std::string screenshotFolder() {
    if (auto folder = environmentValue("XDG_PICTURES_DIR"); folder && isFolder(*folder)) {
        return withSlash(*folder);
    }
    const auto home = environmentValue("HOME");
    auto config = environmentValue("XDG_CONFIG_HOME");
    if (!config && home) {
        config = *home + "/.config";
    }
    if (config && home) {
        std::ifstream file(*config + "/user-dirs.dirs");
        std::stringstream text;
        text << file.rdbuf();
        if (auto folder = picturesFolderIn(text.str(), *home); folder && isFolder(*folder)) {
            return withSlash(*folder);
        }
    }
    return withSlash(homeFolder().value_or(""));
}

std::optional<std::string> saveScreenshot(const std::string& folder, const uint8_t* indices,
                                          const HostPalette& palette) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    for (int sequence = 1; sequence < 100; ++sequence) {
        const std::string path = folder + screenshotName(local, sequence);
        std::error_code error;
        if (std::filesystem::exists(path, error)) {
            continue;
        }
        if (!writeFramePng(path, indices, palette)) {
            std::filesystem::remove(path, error);
            return std::nullopt;
        }
        return path;
    }
    return std::nullopt;
}

}  // namespace quenford::host
