#include "draw/MaskedRows.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define QUENFORD_MASKED_ROWS 1
#endif

namespace quenford {

#ifdef QUENFORD_MASKED_ROWS

namespace {

// Called while static objects are made, so the processor's features are read first.
bool available() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512bw") != 0;
}

bool inUse = available();

}  // namespace

bool maskedRowsInUse() {
    return inUse;
}

void useMaskedRows(bool wanted) {
    inUse = wanted && available();
}

// Masked loads and stores neither read nor write the bytes left out, so a row's end needs
// no separate pass and nothing past the picture or the screen row is touched.
template <bool Shifted>
__attribute__((target("avx512bw"), always_inline)) inline void drawRows(
    uint8_t* destination, int32_t pitch, const uint8_t* source, uint32_t sourcePitch, int32_t width,
    int32_t height, uint8_t shift) {
    const __m512i shifts = _mm512_set1_epi8(static_cast<char>(shift));
    if (width <= 64) {
        // A row is one load and one store, with the same mask of the picture's columns.
        const __mmask64 inside = width == 64 ? ~__mmask64{0} : (__mmask64{1} << width) - 1;
        for (int32_t row = 0; row < height; ++row) {
            const __m512i pixels = _mm512_maskz_loadu_epi8(inside, source);
            const __mmask64 opaque = _mm512_test_epi8_mask(pixels, pixels);
            _mm512_mask_storeu_epi8(destination, opaque,
                                    Shifted ? _mm512_add_epi8(pixels, shifts) : pixels);
            source += sourcePitch;
            destination += pitch;
        }
        return;
    }
    for (int32_t row = 0; row < height; ++row) {
        for (int32_t column = 0; column < width; column += 64) {
            const int32_t left = width - column;
            const __mmask64 inside = left >= 64 ? ~__mmask64{0} : (__mmask64{1} << left) - 1;
            const __m512i pixels = _mm512_maskz_loadu_epi8(inside, source + column);
            const __mmask64 opaque = _mm512_test_epi8_mask(pixels, pixels);
            _mm512_mask_storeu_epi8(destination + column, opaque,
                                    Shifted ? _mm512_add_epi8(pixels, shifts) : pixels);
        }
        source += sourcePitch;
        destination += pitch;
    }
}

__attribute__((target("avx512bw"))) void drawMaskedRows(uint8_t* destination, int32_t pitch,
                                                        const uint8_t* source, uint32_t sourcePitch,
                                                        int32_t width, int32_t height,
                                                        uint8_t shift) {
    if (shift == 0) {
        drawRows<false>(destination, pitch, source, sourcePitch, width, height, shift);
    } else {
        drawRows<true>(destination, pitch, source, sourcePitch, width, height, shift);
    }
}

#else

bool maskedRowsInUse() {
    return false;
}

void useMaskedRows(bool) {}

void drawMaskedRows(uint8_t*, int32_t, const uint8_t*, uint32_t, int32_t, int32_t, uint8_t) {}

#endif

}  // namespace quenford
