#include "host/common/ShellLauncher.h"

#include <spawn.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <vector>

#include "host/common/SystemFolders.h"

extern char** environ;

namespace quenford::host {

namespace {

constexpr const char* shellName = "tamberly";

bool isExecutableFile(const std::string& path) {
    return access(path.c_str(), X_OK) == 0 && access((path + "/.").c_str(), F_OK) != 0;
}

}  // namespace

std::optional<std::string> findCollectionShell() {
    if (auto folder = executableFolder()) {
        const std::string beside = *folder + shellName;
        if (isExecutableFile(beside)) {
            return beside;
        }
    }
    const char* path = std::getenv("PATH");
    if (path == nullptr) {
        return std::nullopt;
    }
    std::istringstream folders(path);
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        if (folder.empty()) {
            continue;
        }
        const std::string candidate = folder + "/" + shellName;
        if (isExecutableFile(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

void startCollectionShell(const std::string& command) {
    const auto shell = findCollectionShell();
    if (!shell) {
        return;
    }
    std::string argument = command.substr(command.find_last_of(' ') + 1);
    std::string program = *shell;
    std::vector<char*> argv{program.data(), argument.data(), nullptr};

    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0) {
        return;
    }
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t child = 0;
    posix_spawn(&child, program.c_str(), nullptr, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
}

}  // namespace quenford::host
