#include <emscripten.h>
#include <sys/file.h>

#include <cerrno>

// The browser has no file locks between its tabs: a copy of the game in another tab holds
// its files through the page's Web Locks instead. The link replaces flock() with this one
// (--wrap=flock). 0: held; 1: another holder has it; 2: no such descriptor.

// clang-format off
EM_ASYNC_JS(int, pageFileLock, (int fd, int operation), {
    return await quenfordWebHost.fileLock(fd, operation);
});
// clang-format on

extern "C" int __wrap_flock(int fd, int operation) {
    switch (pageFileLock(fd, operation)) {
        case 0:
            return 0;
        case 1:
            errno = EWOULDBLOCK;
            return -1;
        default:
            errno = EBADF;
            return -1;
    }
}
