#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

// Tiny but complete archives for tests: every entry the game reads, each group as large as
// the game indexes it, every picture small and told apart by its colour and size.
namespace quenford::test {

// The colour of picture `element` of entry `entry` (its top-left pixel is transparent).
inline uint8_t testPictureColour(int32_t entry, int32_t element) {
    return static_cast<uint8_t>(1 + (entry * 37 + element * 11) % 254);
}
// Font glyph k: width 4 + k % 4, height 8, colour k (255 for k = 0).
inline int32_t testGlyphWidth(int32_t character) {
    return 4 + character % 4;
}
// Sound k of the sound table: 2 * (k + 1) bytes of 0x80 + k.
constexpr int32_t testSoundCount = 13;
constexpr int32_t testTextCount = 8;
// Text k of group 43 is "TEXT k".

// DATA10.RES: 46 entries.
std::vector<uint8_t> makeTestGameArchive();
// morva.res: palette, then 43 run-fill pictures; picture 0 covers the whole screen.
std::vector<uint8_t> makeTestIntroArchive();
// Both, as DATA10.RES and morva.res in `folder`.
void writeTestArchives(const std::filesystem::path& folder);

}  // namespace quenford::test
