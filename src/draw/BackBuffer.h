#pragma once

#include <cstdint>
#include <memory>

namespace quenford {

constexpr int32_t screenWidth = 640;
constexpr int32_t screenHeight = 480;
constexpr int32_t screenBytes = screenWidth * screenHeight;

// The picture of the screen in ordinary memory: one palette index per pixel, row r at
// pixels + r * pitch. Every draw writes here; only Vdp::present shows it.
struct BackBuffer {
    uint8_t* pixels = nullptr;
    int32_t width = screenWidth;
    int32_t height = screenHeight;
    int32_t pitch = screenWidth;
};

// A whole-screen image, rows of 640 bytes without gaps (the game's savedScreen blocks and
// the field backdrop). Owned, so that every way out of a screen frees it.
using ScreenImage = std::unique_ptr<uint8_t[]>;
inline ScreenImage makeScreenImage() {
    return std::make_unique<uint8_t[]>(screenBytes);
}

}  // namespace quenford
