#pragma once

// For loops bound by memory traffic: where the processor has wider registers, copies of the
// function built for them move 32 or 64 bytes a step; the copy is picked once, when the
// program loads. Elsewhere the function is built once, as usual. What such a function calls
// must be inlined into it ([[gnu::always_inline]]) to profit.
#if defined(__x86_64__) && defined(__linux__) && defined(__GNUC__)
#define QUENFORD_WIDE_VECTORS \
    __attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#else
#define QUENFORD_WIDE_VECTORS
#endif
