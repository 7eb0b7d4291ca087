#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Scans over elements stored column by column, each column's from its start on: the rows of
// all elements in one array, the columns' starts in another.

namespace orbxmps {

// The column, from k on, whose coefficients [starts[c], starts[c + 1]) hold position e, below
// starts[columns]: steps of growing length, then a search between the last two, so that
// neighbouring matches cost a step or two and far ones a few dozen.
inline std::size_t columnHolding(const std::uint32_t* starts, std::size_t columns, std::size_t k,
                                 std::uint32_t e) {
    std::size_t low = k + 1;  // the first start above e is at low or after
    std::size_t high = low;
    for (std::size_t step = 1; high <= columns && starts[high] <= e; step *= 2) {
        low = high + 1;
        high += step;
    }
    const std::uint32_t* const after =
        std::upper_bound(starts + low, starts + std::min(high, columns) + 1, e);
    return static_cast<std::size_t>(after - starts) - 1;
}

// Calls match(e) for each position e in [begin, end) whose row is target, in order. Most rows
// are sparse: sixteen positions are compared at once and passed over when none matches; the
// matches of a block come from its mask, without a branch per position that a dense row
// would mispredict.
template <typename Match>
void forEachMatch(const std::uint32_t* rows, std::uint32_t begin, std::uint32_t end,
                  std::uint32_t target, const Match& match) {
    std::uint32_t e = begin;
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi32(static_cast<int>(target));
    const auto equal = [wanted](const std::uint32_t* four) {
        return _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(four)), wanted);
    };
    for (; end - e >= 16; e += 16) {
        const std::uint32_t* block = rows + e;
        // Saturating packs keep each lane's all-ones or zero, in position order.
        const __m128i bytes = _mm_packs_epi16(_mm_packs_epi32(equal(block), equal(block + 4)),
                                              _mm_packs_epi32(equal(block + 8), equal(block + 12)));
        for (auto bits = static_cast<unsigned>(_mm_movemask_epi8(bytes)); bits != 0;
             bits &= bits - 1)
            match(e + static_cast<std::uint32_t>(__builtin_ctz(bits)));
    }
#endif
    for (; e < end; ++e)
        if (rows[e] == target) match(e);
}

// As forEachMatch, but the scan reads tags, each position's row cut to its low 16 bits, and
// the rows only where a tag matches: half the bytes, for a walk that memory's speed bounds.
template <typename Match>
void forEachTaggedMatch(const std::uint16_t* tags, const std::uint32_t* rows, std::uint32_t begin,
                        std::uint32_t end, std::uint32_t target, const Match& match) {
    const auto tag = static_cast<std::uint16_t>(target);
    const auto take = [rows, target, &match](std::uint32_t e) {
        if (rows[e] == target) match(e);
    };
    std::uint32_t e = begin;
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi16(static_cast<short>(tag));
    const auto equal = [wanted](const std::uint16_t* eight) {
        return _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(eight)), wanted);
    };
    for (; end - e >= 32; e += 32) {
        const std::uint16_t* block = tags + e;
        const auto low = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_packs_epi16(equal(block), equal(block + 8))));
        const auto high = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_packs_epi16(equal(block + 16), equal(block + 24))));
        for (unsigned bits = low | (high << 16); bits != 0; bits &= bits - 1)
            take(e + static_cast<std::uint32_t>(__builtin_ctz(bits)));
    }
#endif
    for (; e < end; ++e)
        if (tags[e] == tag) take(e);
}

}  // namespace orbxmps
