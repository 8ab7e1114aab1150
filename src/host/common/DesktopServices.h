#pragma once

#include "host/SystemServices.h"

namespace quenford::host {

// The system's services on a POSIX desktop: the XDG collection folder, the user database's
// owner, the shell started in a session of its own, flock(2) locks, and message boxes on
// the standard error.
class DesktopServices : public SystemServices {
public:
    void messageBox(const std::string& caption, const std::string& text) override;
    std::optional<std::string> collectionFolder() override;
    std::optional<std::string> registeredOwner() override;
    void startShell(const std::string& command) override;
    LockResult lockFile(int fd, FileLock lock) override;
};

}  // namespace quenford::host
