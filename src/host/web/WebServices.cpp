#include "host/web/WebServices.h"

#include <emscripten.h>
#include <sys/file.h>

#include <cerrno>
#include <cstdlib>

namespace quenford::host {

namespace {

// clang-format off
EM_JS(void, pageMessageBox, (const char* caption, const char* text), {
    quenfordWebHost.messageBox(UTF8ToString(caption), UTF8ToString(text));
});
// The name as bytes of the game's character set, zero-terminated.
EM_JS(char*, pageOwnerName, (), {
    const name = quenfordWebHost.ownerName();
    if (!name) return 0;
    const text = _malloc(name.length + 1);
    for (let i = 0; i < name.length; ++i) HEAPU8[text + i] = name[i];
    HEAPU8[text + name.length] = 0;
    return text;
});
EM_JS(char*, pageCollectionFolder, (), {
    const folder = quenfordWebHost.collectionFolder;
    if (!folder) return 0;
    const bytes = lengthBytesUTF8(folder) + 1;
    const text = _malloc(bytes);
    stringToUTF8(folder, text, bytes);
    return text;
});
// operation as flock(2) takes it. 0: held; 1: another holder has it; 2: no such descriptor.
EM_ASYNC_JS(int, pageFileLock, (int fd, int operation), {
    return await quenfordWebHost.fileLock(fd, operation);
});
// clang-format on

// A string the page allocated with malloc, taken over and freed; null: none.
std::optional<std::string> takePageString(char* text) {
    if (text == nullptr) {
        return std::nullopt;
    }
    std::string result(text);
    std::free(text);
    return result;
}

}  // namespace

void WebServices::messageBox(const std::string& caption, const std::string& text) {
    pageMessageBox(caption.c_str(), text.c_str());
}

std::optional<std::string> WebServices::collectionFolder() {
    return takePageString(pageCollectionFolder());
}

std::optional<std::string> WebServices::registeredOwner() {
    return takePageString(pageOwnerName());
}

LockResult WebServices::lockFile(int fd, FileLock lock) {
    switch (pageFileLock(fd, lock == FileLock::Exclusive ? LOCK_EX : LOCK_SH)) {
        case 0:
            return LockResult::Held;
        case 1:
            errno = EWOULDBLOCK;
            return LockResult::Busy;
        default:
            errno = EBADF;
            return LockResult::Failed;
    }
}

}  // namespace quenford::host
