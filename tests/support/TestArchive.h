#pragma once

#include <cstdint>
#include <vector>

// Tiny but complete archives for tests: every entry the game reads, each group as large as
// the game indexes it, every picture small and told apart by its colour and size.
namespace quenford::test {

// The colour of picture `element` of entry `entry` (its top-left pixel is transparent).
uint8_t testPictureColour(int32_t entry, int32_t element);
// Width and height of that picture (full-screen pictures excepted).
int32_t testPictureWidth(int32_t entry, int32_t element);
int32_t testPictureHeight(int32_t entry, int32_t element);
// Where the run and run-fill pictures of the game archive are placed (their dx, dy).
int32_t testPictureDx(int32_t entry, int32_t element);
int32_t testPictureDy(int32_t entry, int32_t element);

// Font glyph k: width 4 + k % 4, height 8, colour k (255 for k = 0).
int32_t testGlyphWidth(int32_t character);
// Sound k of the sound table: 2 * (k + 1) bytes of 0x80 + k.
uint32_t testSoundLength(int32_t sound);
constexpr int32_t testSoundCount = 13;
constexpr int32_t testTextCount = 8;
// Text k of group 43 is "TEXT k".

// DATA10.RES: 46 entries.
std::vector<uint8_t> makeTestGameArchive();
// morva.res: palette, then 43 run-fill pictures; picture 0 covers the whole screen.
std::vector<uint8_t> makeTestIntroArchive();

}  // namespace quenford::test
