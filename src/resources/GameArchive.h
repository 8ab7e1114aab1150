#pragma once

#include <cstdint>

#include "resources/Archive.h"

namespace quenford {

// Archive entry numbers of DATA10.RES.
namespace res {
constexpr int32_t gamePalette = 0;
constexpr int32_t growthFrames = 1;     // 1..5, one group per kind
constexpr int32_t highlightFrames = 6;  // 6..10
constexpr int32_t fieldBackdrop = 11;
constexpr int32_t menuButton = 12;
constexpr int32_t menuItemHighlights = 13;  // 13..16
constexpr int32_t soundToken = 17;
constexpr int32_t backgroundPictures = 18;
constexpr int32_t basketPictures = 19;  // 19..23
constexpr int32_t cursor = 24;
constexpr int32_t scoreDigits = 25;
constexpr int32_t font = 26;
constexpr int32_t soundTable = 27;
constexpr int32_t newScoreMarker = 30;
constexpr int32_t highScoreHeading = 31;
constexpr int32_t lossPicture = 32;
constexpr int32_t speedSlider = 33;
constexpr int32_t ambientFrames = 34;  // 34..40
constexpr int32_t menuFrames = 41;
constexpr int32_t transitionPictures = 42;
constexpr int32_t texts = 43;
constexpr int32_t titlePicture = 44;
constexpr int32_t titlePalette = 45;
constexpr int32_t minimumEntries = 46;
}  // namespace res

}  // namespace quenford
