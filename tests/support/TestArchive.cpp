#include "support/TestArchive.h"

#include <string>

#include "support/TestFiles.h"

namespace quenford::test {

namespace {

std::vector<uint8_t> readBuilt(const char* name) {
    return readBytes(std::filesystem::path(QUENFORD_BUILT_DATA) / name);
}

}  // namespace

const std::vector<uint8_t>& gameArchiveBytes() {
    static const std::vector<uint8_t> bytes = readBuilt("DATA10.RES");
    return bytes;
}

const std::vector<uint8_t>& introArchiveBytes() {
    static const std::vector<uint8_t> bytes = readBuilt("morva.res");
    return bytes;
}

void writeTestArchives(const std::filesystem::path& folder) {
    writeBytes(folder / "DATA10.RES", gameArchiveBytes());
    writeBytes(folder / "morva.res", introArchiveBytes());
}

}  // namespace quenford::test
