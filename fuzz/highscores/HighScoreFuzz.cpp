// libFuzzer target: any bytes as HIGH10. A table that loads has at most 15 rows, every name
// ends inside its field, the rows stand highest first, and what is saved loads back the same;
// a file that is refused is kept as HIGH10.bad and leaves an empty table.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "ScratchFolder.h"
#include "frontend/HighScoreTable.h"
#include "platform/FramePump.h"
#include "platform/Platform.h"
#include "support/FakeHost.h"
#include "support/FakeServices.h"

namespace quenford {

namespace {

const std::string& fuzzFolder() {
    static const std::string folder = [] {
        const std::string path =
            scratchFolder() + "quenford-high-fuzz-" + std::to_string(::getpid()) + "/";
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

}  // namespace quenford

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quenford;
    static test::FakeHost host;
    static test::FakeServices system;
    static Platform game;
    // The table lives in the fuzzer's own folder, not the collection's.
    system.folder = fuzzFolder();
    game.system = &system;
    attachFramePump(game, host);
    const std::string path = fuzzFolder() + "HIGH10";
    std::filesystem::remove(fuzzFolder() + "HIGH10.bad");
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    } else {
        return 0;
    }
    HighScoreTable table{game};
    const HighScoreLoad loaded = table.load();
    check(loaded != LoadBusy);
    check(table.count >= 0 && table.count <= HighScoreCapacity);
    if (loaded == LoadReset) {
        check(table.count == 0 && std::filesystem::exists(fuzzFolder() + "HIGH10.bad"));
        table.closeFile();
        return 0;
    }
    check(table.count * static_cast<size_t>(highScoreRecordBytes) == size);
    for (int32_t i = 0; i < table.count; ++i) {
        check(std::memchr(table.records[i].name.data(), 0, highScoreNameBytes) != nullptr);
        check(i == 0 || table.records[i - 1].score >= table.records[i].score);
    }
    const auto before = table.records;
    const int32_t rows = table.count;
    check(table.save());
    HighScoreTable again{game};
    check(again.load() == LoadOk && again.count == rows);
    for (int32_t i = 0; i < rows; ++i) {
        check(again.records[i].score == before[i].score &&
              std::strcmp(again.records[i].name.data(), before[i].name.data()) == 0);
    }
    again.closeFile();
    return 0;
}
