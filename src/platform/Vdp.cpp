#include "platform/Vdp.h"

#include <cstring>

#include "draw/Draw.h"

namespace quenford {

bool Vdp::init(host::Host& screenHost) {
    if (!screenHost.openScreen()) {
        return false;
    }
    host = &screenHost;
    pixels.assign(static_cast<size_t>(screenWidth) * screenHeight, 0);
    buffer = BackBuffer{pixels.data(), screenWidth, screenHeight, screenWidth};
    return true;
}

void Vdp::shutdown() {
    if (host != nullptr) {
        host->closeScreen();
        host = nullptr;
    }
    pixels.clear();
    pixels.shrink_to_fit();
    buffer = BackBuffer{};
}

void Vdp::setPalette(const uint8_t* palette) {
    host::HostPalette colours{};
    for (size_t i = 0; i < colours.size(); ++i) {
        // Six-bit components to eight: the top bits of a value above 63 are lost.
        colours[i] = static_cast<uint8_t>(palette[i] << 2);
    }
    if (host != nullptr) {
        host->setPalette(colours);
    }
}

void Vdp::present() {
    if (host != nullptr && buffer.pixels != nullptr) {
        host->present(buffer.pixels, buffer.pitch);
    }
}

void Vdp::clearScreen(uint8_t colour) {
    for (int32_t row = 0; row < screenHeight && buffer.pixels != nullptr; ++row) {
        std::memset(buffer.pixels + static_cast<ptrdiff_t>(row) * buffer.pitch, colour,
                    screenWidth);
    }
}

void Vdp::loadScreen(const uint8_t* image) {
    if (buffer.pixels == nullptr) {
        return;
    }
    if (buffer.pitch == screenWidth) {
        std::memcpy(buffer.pixels, image, screenBytes);
        return;
    }
    for (int32_t row = 0; row < screenHeight; ++row) {
        std::memcpy(buffer.pixels + static_cast<ptrdiff_t>(row) * buffer.pitch,
                    image + static_cast<ptrdiff_t>(row) * screenWidth, screenWidth);
    }
}

void Vdp::saveScreen(uint8_t* image) const {
    if (buffer.pixels == nullptr) {
        return;
    }
    if (buffer.pitch == screenWidth) {
        std::memcpy(image, buffer.pixels, screenBytes);
        return;
    }
    for (int32_t row = 0; row < screenHeight; ++row) {
        std::memcpy(image + static_cast<ptrdiff_t>(row) * screenWidth,
                    buffer.pixels + static_cast<ptrdiff_t>(row) * buffer.pitch, screenWidth);
    }
}

DrawResult Vdp::drawPicture(int32_t x, int32_t y, const Picture& picture) {
    return quenford::drawPicture(buffer, x, y, picture);
}

DrawResult Vdp::drawPictureShifted(int32_t x, int32_t y, const Picture& picture, uint8_t shift) {
    return quenford::drawPictureShifted(buffer, x, y, picture, shift);
}

DrawResult Vdp::drawRunPicture(int32_t x, int32_t y, const Picture& picture) {
    return quenford::drawRunPicture(buffer, x, y, picture);
}

DrawResult Vdp::drawRunFillPicture(int32_t x, int32_t y, const Picture& picture) {
    return quenford::drawRunFillPicture(buffer, x, y, picture);
}

void Vdp::fillRect(int32_t x, int32_t y, int32_t width, int32_t height, uint8_t colour) {
    quenford::fillRect(buffer, x, y, width, height, colour);
}

}  // namespace quenford
