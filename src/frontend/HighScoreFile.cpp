#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "frontend/HighScoreTable.h"
#include "platform/Platform.h"
#include "resources/LittleEndian.h"

namespace quenford {

namespace {

namespace fs = std::filesystem;

using FileBytes = std::array<uint8_t, highScoreFileMaxBytes>;

void decodeRecord(const uint8_t* bytes, HighScoreRecord& record) {
    std::memcpy(record.name.data(), bytes, highScoreNameBytes);
    // A name without its terminator is cut at 35 characters, never read past its field.
    if (std::memchr(record.name.data(), 0, highScoreNameBytes) == nullptr) {
        record.name[highScoreNameBytes - 1] = '\0';
    }
    record.score = static_cast<int32_t>(readWord(bytes + highScoreNameBytes));
}

void encodeRecord(const HighScoreRecord& record, uint8_t* bytes) {
    std::memcpy(bytes, record.name.data(), highScoreNameBytes);
    writeWord(bytes + highScoreNameBytes, static_cast<uint32_t>(record.score));
}

void closeDescriptor(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

std::string folderOf(const std::string& path) {
    const std::string parent = fs::path(path).parent_path().string();
    return parent.empty() ? "." : parent;
}

// Makes a rename in the folder survive a power cut.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool sameFile(int fd, const std::string& path) {
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

bool writable(const std::string& path) {
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// The file a path names, through any links (a table shared between folders).
std::string linkTarget(const std::string& path) {
    fs::path at = path;
    std::error_code error;
    for (int hop = 0; hop < 40 && fs::is_symlink(at, error); ++hop) {
        const fs::path target = fs::read_symlink(at, error);
        if (error) {
            break;
        }
        at = target.is_absolute() ? target : at.parent_path() / target;
    }
    return at.string();
}

// Moves a damaged table aside under the first free name, so that no earlier copy is lost.
void keepDamaged(const std::string& path) {
    for (int n = 0; n < 1000; ++n) {
        const std::string kept = n == 0 ? path + ".bad" : path + ".bad." + std::to_string(n);
        // A hard link never replaces a file; where links are refused, look before renaming.
        bool moved = ::link(path.c_str(), kept.c_str()) == 0 && ::unlink(path.c_str()) == 0;
        if (!moved && errno != EEXIST && ::access(kept.c_str(), F_OK) != 0) {
            moved = ::rename(path.c_str(), kept.c_str()) == 0;
        }
        if (moved) {
            syncFolder(folderOf(path));
            std::fprintf(stderr, "%s is damaged; kept as %s, starting a new table\n", path.c_str(),
                         kept.c_str());
            return;
        }
        if (::access(kept.c_str(), F_OK) != 0) {
            return;
        }
    }
}

// An exclusive lock that does not wait.
host::LockResult lockNow(Platform& game, int fd) {
    return game.systemServices().lockFile(fd, host::FileLock::Exclusive);
}

}  // namespace

HighScoreTable::Hold HighScoreTable::acquire() {
    if (lockFd >= 0) {
        return Hold::Held;
    }
    folder = findHighScoreFolder(game, reportedFallback);
    const std::string lockPath = folder + "HIGH10.lock";
    // Someone may have removed the lock file while another copy held it: only a lock on the
    // file that is still at the path keeps the copies apart.
    for (int attempt = 0; attempt < 3; ++attempt) {
        int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS)) {
            // A lock file another user made in a shared folder locks just as well read-only.
            fd = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC);
        }
        if (fd < 0) {
            return Hold::None;
        }
        const host::LockResult locked = lockNow(game, fd);
        if (locked != host::LockResult::Held) {
            ::close(fd);
            return locked == host::LockResult::Busy ? Hold::Busy : Hold::None;
        }
        if (sameFile(fd, lockPath)) {
            lockFd = fd;
            return Hold::Held;
        }
        ::close(fd);
    }
    return Hold::None;
}

// Locks the table file itself, so that another program that locks it is never overwritten.
HighScoreTable::Hold HighScoreTable::holdTable(const std::string& path) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            return Hold::None;
        }
        if (lockNow(game, fd) == host::LockResult::Busy) {
            ::close(fd);
            return Hold::Busy;
        }
        // A copy that saved meanwhile put a new file at the path: read that one.
        if (sameFile(fd, path)) {
            tableFd = fd;
            return Hold::Held;
        }
        ::close(fd);
    }
    return Hold::None;
}

HighScoreLoad HighScoreTable::load() {
    if (acquire() == Hold::Busy) {
        return LoadBusy;
    }
    const std::string path = linkTarget(folder + "HIGH10");
    closeDescriptor(tableFd);
    if (holdTable(path) == Hold::Busy) {
        closeFile();
        return LoadBusy;
    }
    if (readTable(path)) {
        sortDescending();
        keepStored();
        return LoadOk;
    }
    clear();
    keepStored();
    return LoadReset;
}

bool HighScoreTable::readTable(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return false;
    }
    if (tableFd >= 0 && ::fstat(tableFd, &status) == 0 && status.st_size >= 0 &&
        status.st_size % highScoreRecordBytes == 0 && status.st_size <= highScoreFileMaxBytes) {
        const auto size = static_cast<size_t>(status.st_size);
        FileBytes fileBytes;
        if (::pread(tableFd, fileBytes.data(), size, 0) == static_cast<ssize_t>(size)) {
            count = static_cast<int32_t>(size / highScoreRecordBytes);
            for (int32_t i = 0; i < count; ++i) {
                decodeRecord(fileBytes.data() + i * highScoreRecordBytes, records[i]);
            }
            return true;
        }
    }
    // The empty table that replaces a damaged one must not destroy what the player had; a
    // file the player may not write is not replaced at all.
    if (isOpen() && writable(path)) {
        keepDamaged(path);
    }
    return false;
}

bool HighScoreTable::replaceTable(int32_t rows) {
    const std::string path = linkTarget(folder + "HIGH10");
    struct stat old {};
    const bool hadTable = ::stat(path.c_str(), &old) == 0;
    if (hadTable && !writable(path)) {
        std::fprintf(stderr, "%s is read-only: it is kept as it is, nothing is stored\n",
                     path.c_str());
        return false;
    }
    FileBytes fileBytes;
    for (int32_t i = 0; i < rows; ++i) {
        encodeRecord(records[i], fileBytes.data() + i * highScoreRecordBytes);
    }
    const auto size = static_cast<size_t>(rows * highScoreRecordBytes);
    const std::string newPath = path + ".new";
    ::unlink(newPath.c_str());
    const int fd = ::open(newPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        std::fprintf(stderr, "The high-score table could not be stored in %s: %s\n", path.c_str(),
                     std::strerror(errno));
        return false;
    }
    if (hadTable) {
        // The new table keeps the old one's permissions and, where allowed, its group.
        ::fchmod(fd, old.st_mode & 07777);
        if (::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
            ::fchmod(fd, old.st_mode & 0777);
        }
    }
    bool ok = ::write(fd, fileBytes.data(), size) == static_cast<ssize_t>(size) &&
              ::fsync(fd) == 0 && lockNow(game, fd) == host::LockResult::Held &&
              ::rename(newPath.c_str(), path.c_str()) == 0;
    if (!ok) {
        std::fprintf(stderr, "The high-score table could not be stored in %s: %s\n", path.c_str(),
                     std::strerror(errno));
        ::close(fd);
        ::unlink(newPath.c_str());
        return false;
    }
    syncFolder(folderOf(path));
    // The new file is the one held from now on.
    closeDescriptor(tableFd);
    tableFd = fd;
    return true;
}

bool HighScoreTable::create() {
    return acquire() == Hold::Held && replaceTable(0);
}

bool HighScoreTable::save() {
    // Without the hold taken at load, another copy may have written since: never overwrite.
    if (!isOpen()) {
        std::fprintf(stderr,
                     "The high-score table could not be stored in %sHIGH10: it could not be "
                     "locked\n",
                     folder.c_str());
    }
    const bool ok = isOpen() && replaceTable(count);
    if (ok) {
        keepStored();
    }
    closeFile();
    return ok;
}

void HighScoreTable::closeFile() {
    closeDescriptor(tableFd);
    closeDescriptor(lockFd);
}

}  // namespace quenford
