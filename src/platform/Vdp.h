#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "draw/BackBuffer.h"
#include "draw/Picture.h"
#include "host/Host.h"

namespace quenford {

// 256 colours of red, green, blue, each 0..63.
constexpr int gamePaletteBytes = 768;
using GamePalette = std::array<uint8_t, gamePaletteBytes>;

// The display service ("VDP"): owns the back buffer and shows it on the host's screen.
class Vdp {
public:
    bool init(host::Host& host);
    void shutdown();

    // Components are shifted left by two bits within a byte (63 -> 252, 64 -> 0).
    void setPalette(const uint8_t* palette);
    void present();
    void clearScreen(uint8_t colour);
    void loadScreen(const uint8_t* image);
    void saveScreen(uint8_t* image) const;

    DrawResult drawPicture(int32_t x, int32_t y, const Picture& picture);
    DrawResult drawPictureShifted(int32_t x, int32_t y, const Picture& picture, uint8_t shift);
    DrawResult drawRunPicture(int32_t x, int32_t y, const Picture& picture);
    DrawResult drawRunFillPicture(int32_t x, int32_t y, const Picture& picture);
    void fillRect(int32_t x, int32_t y, int32_t width, int32_t height, uint8_t colour);

    BackBuffer& backBuffer() { return buffer; }

private:
    host::Host* host = nullptr;
    std::vector<uint8_t> pixels;
    BackBuffer buffer;
};

}  // namespace quenford
