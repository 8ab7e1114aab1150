#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quenford {

struct Platform;

constexpr int32_t HighScoreCapacity = 15;
constexpr int32_t highScoreNameBytes = 36;
constexpr int32_t highScoreRecordBytes = 40;
constexpr int32_t highScoreFileMaxBytes = HighScoreCapacity * highScoreRecordBytes;

// One row as HIGH10 stores it: a zero-terminated name in Windows-1252 (35 characters at
// most) and a signed score, 40 bytes little-endian.
struct HighScoreRecord {
    std::array<char, highScoreNameBytes> name{};
    int32_t score = 0;

    void setName(const char* text);
};

enum HighScoreLoad : int32_t { LoadOk = 0, LoadReset = 1, LoadBusy = 2 };

// The folder of HIGH10 as the collection registered it, ending in '/'; else "./". Why it
// fell back is said once for each reason: `reported` holds the last one said.
std::string findHighScoreFolder(Platform& game, std::string& reported);

// The best 15 results and, while the table is open, the exclusive hold on HIGH10 that keeps
// other running copies out until the new table is written back or the table is closed.
//
// The hold is a lock on HIGH10.lock beside the table, a file the save never replaces (it
// also keeps two copies apart while there is no HIGH10 yet), and a lock on HIGH10 itself,
// which keeps out any other program that locks the table file. The table is only ever
// replaced whole (written to HIGH10.new, flushed, renamed over HIGH10, folder flushed), so
// a crash at any moment leaves either the old or the new table. A HIGH10 that is a link
// stays one: its target is replaced, in the target's folder.
class HighScoreTable {
public:
    // The table of the game on this platform (its system services find the folder and lock
    // the file).
    explicit HighScoreTable(Platform& owner) : game(owner) {}
    HighScoreTable(const HighScoreTable&) = delete;
    HighScoreTable& operator=(const HighScoreTable&) = delete;
    ~HighScoreTable() { closeFile(); }

    // LoadOk: read and open. LoadReset: no usable file, the table is now empty (a damaged
    // file is kept as HIGH10.bad, HIGH10.bad.1, ...). LoadBusy: another copy or program
    // holds it; nothing changed.
    HighScoreLoad load();
    // Writes an empty HIGH10 and keeps the table open.
    bool create();
    // Writes the rows in use and closes the table; false when nothing could be stored (a
    // HIGH10 this user may not write is never replaced).
    bool save();
    // Closes without writing.
    void closeFile();
    bool isOpen() const { return lockFd >= 0; }

    void clear();
    // Selection sort, highest first; a row displaces the candidate only with a strictly
    // greater score.
    void sortDescending();
    bool qualifies(int32_t score) const;

    std::array<HighScoreRecord, HighScoreCapacity> records{};
    int32_t count = 0;

    // The rows as last read from or written to HIGH10.
    std::array<HighScoreRecord, HighScoreCapacity> storedRecords{};
    int32_t storedCount = 0;

private:
    enum class Hold { Held, Busy, None };

    Hold acquire();
    Hold holdTable(const std::string& path);
    bool readTable(const std::string& path);
    bool replaceTable(int32_t rows);
    void keepStored();

    Platform& game;
    std::string reportedFallback;
    int lockFd = -1;   // HIGH10.lock, locked
    int tableFd = -1;  // HIGH10 as read, locked
    std::string folder;
};

}  // namespace quenford
