#include "host/common/DesktopServices.h"

#include <sys/file.h>

#include <cerrno>
#include <cstdio>

#include "host/common/RegisteredOwner.h"
#include "host/common/ShellLauncher.h"
#include "host/common/SystemFolders.h"

namespace quenford::host {

void DesktopServices::messageBox(const std::string& caption, const std::string& text) {
    std::fprintf(stderr, "%s %s\n", caption.c_str(), text.c_str());
}

std::optional<std::string> DesktopServices::collectionFolder() {
    return collectionDataFolder();
}

std::optional<std::string> DesktopServices::registeredOwner() {
    return systemOwnerName();
}

void DesktopServices::startShell(const std::string& command) {
    startCollectionShell(command);
}

LockResult DesktopServices::lockFile(int fd, FileLock lock) {
    if (::flock(fd, (lock == FileLock::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0) {
        return LockResult::Held;
    }
    return errno == EWOULDBLOCK ? LockResult::Busy : LockResult::Failed;
}

}  // namespace quenford::host
