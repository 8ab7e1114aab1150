#pragma once

#include <cstdint>

namespace quenford {

// Plain rows drawn with the processor's byte-masked stores, where it has them (AVX-512BW on
// x86-64): up to 64 pixels of a row are one load, one test and one store, however many runs
// of zeros they hold. Elsewhere the draws use the prepared runs.
bool maskedRowsInUse();

// On by default where the processor has them; tests and benchmarks turn it off to check and
// time the prepared runs on the same machine.
void useMaskedRows(bool wanted);

// Writes source bytes that are not 0, plus `shift` (modulo 256), over the rectangle; rows of
// `width` bytes, `sourcePitch` and `pitch` apart. Only while maskedRowsInUse().
void drawMaskedRows(uint8_t* destination, int32_t pitch, const uint8_t* source,
                    uint32_t sourcePitch, int32_t width, int32_t height, uint8_t shift);

}  // namespace quenford
