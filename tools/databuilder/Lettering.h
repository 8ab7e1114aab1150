#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/ArchiveWriter.h"

namespace quenford::tools {

// The game's texts are single bytes of the Windows-1252 character set.
std::string toWindows1252(const std::string& utf8);
// The character of a Windows-1252 code as UTF-8; empty for a code that has none.
std::string fromWindows1252(uint8_t code);
// The codes 0x81, 0x8D, 0x8F, 0x90 and 0x9D are left undefined by the character set.
bool undefinedInWindows1252(uint8_t code);

// The font: one plain picture per code, placed by its offsets on the baseline.
std::vector<Bytes> fontGlyphs();
// The game's texts, zero-terminated.
std::vector<Bytes> gameTexts();
// The banner over the high-score table, placed around its centre (320, 36).
Bytes highScoreHeading();
// The sign shown at (320, 240) when a game is lost.
Bytes lossPicture();

}  // namespace quenford::tools
