#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orbxmps {

// One bit for each of the 64 bytes at window that equals c (64 bytes readable there).
inline std::uint64_t bytesEqualMask64(const char* window, char c) {
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi8(c);
    std::uint64_t bits = 0;
    for (std::size_t part = 0; part < 4; ++part) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(window + 16 * part));
        const auto found = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, wanted)));
        bits |= static_cast<std::uint64_t>(found) << (16 * part);
    }
    return bits;
#else
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < 64; ++i) bits |= static_cast<std::uint64_t>(window[i] == c) << i;
    return bits;
#endif
}

}  // namespace orbxmps
