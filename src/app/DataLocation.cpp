#include "app/DataLocation.h"

#include <filesystem>
#include <system_error>

#include "host/common/SystemFolders.h"

namespace quenford {

std::vector<std::string> dataFolderCandidates() {
    std::vector<std::string> folders{""};
    if (auto programFolder = host::executableFolder()) {
        folders.push_back(*programFolder);
    }
    folders.push_back(std::string(QUENFORD_DATA_DIR) + "/");
    return folders;
}

std::optional<std::string> findDataFolder(const std::vector<std::string>& candidates) {
    for (const std::string& folder : candidates) {
        std::error_code error;
        if (std::filesystem::is_regular_file(folder + "DATA10.RES", error)) {
            return folder;
        }
    }
    return std::nullopt;
}

std::string demoFileToPlay(const std::string& dataFolder) {
    std::error_code error;
    if (std::filesystem::is_regular_file("DATA12.RES", error)) {
        return "DATA12.RES";
    }
    return dataFolder + "DATA12.RES";
}

}  // namespace quenford
