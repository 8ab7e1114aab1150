#pragma once

#include <optional>
#include <string>

// What the game asks of the system rather than of its devices: the collection's folder,
// the owner's name, the collection's shell, a message box and locks on open files. Beside
// the host (Host.h) and made with it: `common/DesktopServices.h` on the desktop (`sdl/` adds
// the window system's message box, `headless/` records instead of starting or showing),
// `web/` in the browser's page. Nothing here knows the game.
namespace quenford::host {

enum class FileLock { Shared, Exclusive };

// Held: the lock is taken; Busy: another holder has it; Failed: it cannot be taken.
enum class LockResult { Held, Busy, Failed };

class SystemServices {
public:
    virtual ~SystemServices() = default;

    // A message box with one OK button and a stop icon.
    virtual void messageBox(const std::string& caption, const std::string& text) = 0;
    // The collection's folder, ending in '/', or nothing when not known.
    virtual std::optional<std::string> collectionFolder() = 0;
    // The machine owner's name in the game's character set, or nothing.
    virtual std::optional<std::string> registeredOwner() = 0;
    // Starts the collection's shell with the given command line (result ignored).
    virtual void startShell(const std::string& command) = 0;
    // Locks the open file descriptor without waiting; closing it lets the lock go. On
    // failure errno tells why.
    virtual LockResult lockFile(int fd, FileLock lock) = 0;
};

}  // namespace quenford::host
