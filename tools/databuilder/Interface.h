#pragma once

#include <vector>

#include "common/ArchiveWriter.h"

namespace quenford::tools {

// The mouse pointer; its tip is the point it is drawn at.
Bytes cursorPicture();
// Digits 0..9 of the score, drawn left to right from their top-left point on the sign.
std::vector<Bytes> scoreDigits();
// 0 the track, drawn at (550, 30); 1 the knob, drawn at x 523..579, y 30.
std::vector<Bytes> speedSlider();
// The animated marker beside a new high score, drawn at (245, 93 + 24 * row).
std::vector<Bytes> newScoreMarker();

}  // namespace quenford::tools
