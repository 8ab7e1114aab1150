#include "app/FirstStart.h"

#include <filesystem>
#include <optional>
#include <system_error>

namespace quenford {

bool firstStart(const std::string& settingsFile, host::SystemServices& system) {
    if (settingsFile.empty()) {
        return false;
    }
    std::error_code error;
    if (std::filesystem::exists(settingsFile, error) || error) {
        return false;
    }
    const std::optional<std::string> folder = system.collectionFolder();
    return !folder || !std::filesystem::exists(*folder + "HIGH10", error);
}

bool rulesAtStart(const ProgramOptions& options, const std::string& settingsFile,
                  host::SystemServices& system) {
    if (options.rules) {
        return true;
    }
    const bool unread =
        options.frames > 0 || options.autoplay || demoChosen(options) != DemoChoice::Off;
    return !unread && firstStart(settingsFile, system);
}

}  // namespace quenford
