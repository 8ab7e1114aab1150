#include "resources/DataFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include <utility>

namespace quenford {

DataFile::DataFile(DataFile&& other) noexcept
    : fd(std::exchange(other.fd, -1)), wasBusy(other.wasBusy) {}

DataFile& DataFile::operator=(DataFile&& other) noexcept {
    if (this != &other) {
        close();
        fd = std::exchange(other.fd, -1);
        wasBusy = other.wasBusy;
    }
    return *this;
}

DataFile::~DataFile() {
    close();
}

bool DataFile::open(const std::string& path, FileMode mode, host::SystemServices& system) {
    close();
    wasBusy = false;
    int flags = O_RDONLY;
    host::FileLock lock = host::FileLock::Shared;
    if (mode != FileMode::ReadShared) {
        flags = mode == FileMode::CreateReadWrite ? O_RDWR | O_CREAT : O_RDWR;
        lock = host::FileLock::Exclusive;
    }
    const int handle = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
    if (handle < 0) {
        return false;
    }
    // The lock comes before emptying, so that a file another opener holds is never cut.
    const host::LockResult locked = system.lockFile(handle, lock);
    if (locked != host::LockResult::Held) {
        wasBusy = locked == host::LockResult::Busy;
        ::close(handle);
        return false;
    }
    if (mode == FileMode::CreateReadWrite && ::ftruncate(handle, 0) != 0) {
        ::close(handle);
        return false;
    }
    fd = handle;
    return true;
}

uint32_t DataFile::read(void* buffer, uint32_t count) {
    if (fd < 0) {
        return 0;
    }
    auto* bytes = static_cast<uint8_t*>(buffer);
    uint32_t done = 0;
    while (done < count) {
        const ssize_t got = ::read(fd, bytes + done, count - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<uint32_t>(got);
    }
    return done;
}

bool DataFile::write(const void* buffer, uint32_t count) {
    if (fd < 0) {
        return false;
    }
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    uint32_t done = 0;
    while (done < count) {
        const ssize_t put = ::write(fd, bytes + done, count - done);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        done += static_cast<uint32_t>(put);
    }
    return true;
}

bool DataFile::seek(uint64_t position) {
    return fd >= 0 && ::lseek(fd, static_cast<off_t>(position), SEEK_SET) >= 0;
}

int64_t DataFile::position() const {
    return fd >= 0 ? static_cast<int64_t>(::lseek(fd, 0, SEEK_CUR)) : -1;
}

bool DataFile::truncate(uint64_t length) {
    return fd >= 0 && ::ftruncate(fd, static_cast<off_t>(length)) == 0;
}

int64_t DataFile::size() const {
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0) {
        return -1;
    }
    return info.st_size;
}

void DataFile::close() {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

}  // namespace quenford
