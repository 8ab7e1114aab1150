#pragma once

#include "host/SystemServices.h"

namespace quenford::host {

// The system's services in the browser's page: the collection's folder kept in IndexedDB,
// the owner's name the page remembers, the page's own message box, no shell (the game ends
// and the page offers to play again), and file locks as the page's Web Locks, which keep a
// copy of the game in another tab off the same files.
class WebServices : public SystemServices {
public:
    void messageBox(const std::string& caption, const std::string& text) override;
    std::optional<std::string> collectionFolder() override;
    std::optional<std::string> registeredOwner() override;
    void startShell(const std::string& /*command*/) override {}
    LockResult lockFile(int fd, FileLock lock) override;
};

}  // namespace quenford::host
