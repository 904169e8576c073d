#pragma once

#include "core/colour.h"

#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorvex {

// Bit masks over up to 64 adjacent pixels (bit i for p[i]) by the scan's colour rules, four
// pixels per instruction where SSE2 is there (always on x86-64), one by one elsewhere; both give
// the same bits.

// Pixels equal to a value.
inline std::uint64_t equalMask(const Colour* p, int n, Colour value) {
    std::uint64_t m = 0;
    int i = 0;
#if defined(__SSE2__)
    const __m128i v = _mm_set1_epi32(static_cast<int>(value));
    for (; i + 4 <= n; i += 4) {
        const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const int eq = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(px, v)));
        m |= std::uint64_t(eq) << i;
    }
#endif
    for (; i < n; ++i)
        m |= std::uint64_t(p[i] == value) << i;
    return m;
}

// Pixels whose whole value lies in lo .. hi (pixels are 0x00BBGGRR, so the bounds are clamped to
// just outside that range and compared as signed 32-bit values).
inline std::uint64_t rangeMask(const Colour* p, int n, std::int64_t lo, std::int64_t hi) {
    const auto clampBound = [](std::int64_t v) {
        return static_cast<std::int32_t>(v < -1 ? -1 : (v > 0x1000000 ? 0x1000000 : v));
    };
    const std::int32_t low = clampBound(lo), high = clampBound(hi);
    std::uint64_t m = 0;
    int i = 0;
#if defined(__SSE2__)
    const __m128i below = _mm_set1_epi32(low - 1), above = _mm_set1_epi32(high + 1);
    for (; i + 4 <= n; i += 4) {
        const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i in = _mm_and_si128(_mm_cmpgt_epi32(px, below), _mm_cmplt_epi32(px, above));
        m |= std::uint64_t(_mm_movemask_ps(_mm_castsi128_ps(in))) << i;
    }
#endif
    for (; i < n; ++i) {
        const auto v = static_cast<std::int32_t>(p[i]);
        m |= std::uint64_t(low <= v && v <= high) << i;
    }
    return m;
}

// Grey pixels (R = G = B) no brighter than a limit.
inline std::uint64_t greyMask(const Colour* p, int n, int limit) {
    std::uint64_t m = 0;
    int i = 0;
#if defined(__SSE2__)
    const __m128i low8 = _mm_set1_epi32(0xFF), bright = _mm_set1_epi32(limit + 1);
    for (; i + 4 <= n; i += 4) {
        const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i r = _mm_and_si128(px, low8);
        const __m128i grey =
            _mm_or_si128(_mm_or_si128(r, _mm_slli_epi32(r, 8)), _mm_slli_epi32(r, 16));
        const __m128i in = _mm_and_si128(_mm_cmpeq_epi32(px, grey), _mm_cmplt_epi32(r, bright));
        m |= std::uint64_t(_mm_movemask_ps(_mm_castsi128_ps(in))) << i;
    }
#endif
    for (; i < n; ++i) {
        const Colour r = p[i] & 0xFF;
        m |= std::uint64_t(p[i] == (r | (r << 8) | (r << 16)) && int(r) <= limit) << i;
    }
    return m;
}

} // namespace quorvex
