#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstring>

#include "frontend/HighScoreTable.h"
#include "resources/LittleEndian.h"

namespace quenford {

namespace {

std::array<uint8_t, highScoreFileMaxBytes> fileBytes;

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

std::string folderForSync(const std::string& folder) {
    return folder.empty() ? "." : folder;
}

// Makes a rename in the folder survive a power cut.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folderForSync(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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

}  // namespace

bool HighScoreTable::acquire() {
    if (lockFile.isOpen()) {
        return true;
    }
    folder = findHighScoreFolder();
    const std::string lockPath = folder + "HIGH10.lock";
    // Someone may have removed the lock file while another copy held it: only a lock on the
    // file that is still at the path keeps the copies apart.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!lockFile.open(lockPath, FileMode::CreateReadWrite)) {
            return false;
        }
        if (sameFile(lockFile.descriptor(), lockPath)) {
            return true;
        }
        lockFile.close();
    }
    return false;
}

HighScoreLoad HighScoreTable::load() {
    const bool held = acquire();
    if (!held && lockFile.busy()) {
        return LoadBusy;
    }
    if (readTable(folder + "HIGH10")) {
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
    DataFile file;
    if (file.open(path, FileMode::ReadShared)) {
        const int64_t size = file.size();
        if (size >= 0 && size % highScoreRecordBytes == 0 && size <= highScoreFileMaxBytes &&
            file.read(fileBytes.data(), static_cast<uint32_t>(size)) == size) {
            count = static_cast<int32_t>(size / highScoreRecordBytes);
            for (int32_t i = 0; i < count; ++i) {
                decodeRecord(fileBytes.data() + i * highScoreRecordBytes, records[i]);
            }
            return true;
        }
        file.close();
    }
    // The empty table that replaces a damaged one must not destroy what the player had.
    if (isOpen() && ::rename(path.c_str(), (folder + "HIGH10.bad").c_str()) == 0) {
        syncFolder(folder);
        std::fprintf(stderr, "%s is damaged; kept as HIGH10.bad, starting a new table\n",
                     path.c_str());
    }
    return false;
}

bool HighScoreTable::replaceTable(int32_t rows) {
    const std::string path = folder + "HIGH10";
    const std::string newPath = path + ".new";
    for (int32_t i = 0; i < rows; ++i) {
        encodeRecord(records[i], fileBytes.data() + i * highScoreRecordBytes);
    }
    const auto size = static_cast<uint32_t>(rows * highScoreRecordBytes);
    DataFile out;
    if (!out.open(newPath, FileMode::CreateReadWrite)) {
        return false;
    }
    bool ok = (size == 0 || out.write(fileBytes.data(), size)) && ::fsync(out.descriptor()) == 0;
    out.close();
    ok = ok && ::rename(newPath.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(newPath.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}

bool HighScoreTable::create() {
    return acquire() && replaceTable(0);
}

bool HighScoreTable::save() {
    // Without the hold taken at load, another copy may have written since: never overwrite.
    bool ok = isOpen() && replaceTable(count);
    if (ok) {
        keepStored();
    } else {
        std::fprintf(stderr, "The high-score table could not be stored in %sHIGH10\n",
                     folder.c_str());
    }
    closeFile();
    return ok;
}

void HighScoreTable::closeFile() {
    lockFile.close();
}

}  // namespace quenford
