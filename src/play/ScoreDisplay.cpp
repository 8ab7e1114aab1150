#include "play/ScoreDisplay.h"

#include <charconv>
#include <cstdint>
#include <string_view>

#include "platform/Vdp.h"
#include "play/GameState.h"
#include "play/PlayPictures.h"

namespace quenford {

namespace {

constexpr int32_t centreX = 170;
constexpr int32_t baseY = 78;
constexpr int32_t digitGap = 2;

Picture digitPicture(PlayState& game, char digit) {
    return groupPicture(game, res::scoreDigits, digit - '0');
}

}  // namespace

void drawScore(PlayState& game) {
    char buffer[12];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, game.board.score).ptr;
    // The score never goes below 0; a sign would have no picture, so only digits count.
    std::string_view text(buffer, static_cast<size_t>(end - buffer));
    if (!text.empty() && text.front() == '-') {
        text.remove_prefix(1);
    }
    int32_t width = 0;
    for (char c : text) {
        width += digitPicture(game, c).width;
    }
    const int32_t half = width / 2;
    int32_t x = centreX - half;
    int32_t y = baseY + half / 10;
    for (char c : text) {
        const Picture digit = digitPicture(game, c);
        game.vdp.drawPicture(x, y, digit);
        y -= 1;
        x += digit.width + digitGap;
    }
}

}  // namespace quenford
