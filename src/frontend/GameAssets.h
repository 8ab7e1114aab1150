#pragma once

#include <cstdint>

#include "play/PlayPictures.h"
#include "resources/GameArchive.h"

namespace quenford {

// Texts of archive group 43 the front end shows.
namespace text {
constexpr int32_t defaultName = 0;
constexpr int32_t youWin = 1;
constexpr int32_t busyFirstLine = 2;
constexpr int32_t busySecondLine = 3;
constexpr int32_t emptyTable = 7;
}  // namespace text

inline const char* gameText(const GameResources& game, int32_t k) {
    return reinterpret_cast<const char*>(game.resources->group(res::texts).element(k));
}

}  // namespace quenford
