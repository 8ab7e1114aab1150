#include "host/sdl/WindowSettings.h"

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace quenford::host {

namespace {

// Sizes outside these are a damaged file rather than a window anyone had.
constexpr int smallestSide = 160;
constexpr int largestSide = 16384;

std::optional<int> side(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        value < smallestSide || value > largestSide) {
        return std::nullopt;
    }
    return value;
}

std::optional<WindowSettings> parse(std::istream& in) {
    WindowSettings settings;
    bool haveMode = false;
    std::optional<int> width;
    std::optional<int> height;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos) {
            return std::nullopt;
        }
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        if (key == "mode" && (value == "fullscreen" || value == "window")) {
            settings.fullscreen = value == "fullscreen";
            haveMode = true;
        } else if (key == "width") {
            width = side(value);
        } else if (key == "height") {
            height = side(value);
        } else {
            return std::nullopt;
        }
    }
    if (!haveMode || !width || !height) {
        return std::nullopt;
    }
    settings.width = *width;
    settings.height = *height;
    return settings;
}

}  // namespace

std::optional<std::string> windowSettingsPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && *config == '/') {
        return std::string(config) + "/quenford/window.conf";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        return std::string(home) + "/.config/quenford/window.conf";
    }
    return std::nullopt;
}

WindowSettings readWindowSettings(const std::string& path) {
    std::ifstream file(path);
    if (!file) {
        return {};
    }
    return parse(file).value_or(WindowSettings{});
}

bool writeWindowSettings(const std::string& path, const WindowSettings& settings) {
    const std::filesystem::path target(path);
    std::error_code error;
    std::filesystem::create_directories(target.parent_path(), error);
    const std::filesystem::path partial = target.string() + ".new";
    {
        std::ofstream file(partial, std::ios::trunc);
        file << "# The Quenford window as it was left\n"
             << "mode=" << (settings.fullscreen ? "fullscreen" : "window") << '\n'
             << "width=" << settings.width << '\n'
             << "height=" << settings.height << '\n';
        file.close();
        if (!file) {
            std::filesystem::remove(partial, error);
            return false;
        }
    }
    std::filesystem::rename(partial, target, error);
    return !error;
}

}  // namespace quenford::host
