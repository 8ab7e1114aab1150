#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

// The archives the tests play with: the ones the build wrote into its data folder.
namespace quenford::test {

const std::vector<uint8_t>& gameArchiveBytes();
const std::vector<uint8_t>& introArchiveBytes();
// Both, as DATA10.RES and morva.res in `folder`.
void writeTestArchives(const std::filesystem::path& folder);

}  // namespace quenford::test
