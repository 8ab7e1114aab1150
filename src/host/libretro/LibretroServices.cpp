#include "host/libretro/LibretroServices.h"

#include <filesystem>
#include <system_error>

namespace quenford::host {

void LibretroServices::messageBox(const std::string& caption, const std::string& text) {
    DesktopServices::messageBox(caption, text);
    boxes.push_back(text);
}

std::optional<std::string> LibretroServices::collectionFolder() {
    if (saveFolder.empty()) {
        return DesktopServices::collectionFolder();
    }
    std::error_code error;
    std::filesystem::create_directories(saveFolder, error);
    if (!std::filesystem::is_directory(saveFolder, error)) {
        return std::nullopt;
    }
    return saveFolder.back() == '/' ? saveFolder : saveFolder + "/";
}

}  // namespace quenford::host
