#include "OrbChecks.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace orbxmps::orb {

namespace {

std::string text(std::uint64_t value) { return std::to_string(value); }

std::string hex(std::uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%X", value);
    return buffer;
}

// The first index in [begin, end) for which bad(i), returning 0 or 1, is 1; or end. These scans
// cover every element of every load, so each block is first tested without branches (which the
// compiler vectorises) and searched only when it holds a bad item. bad() returns an integer as
// wide as the item it tests, so that a vector lane's answer needs no widening or narrowing.
template <typename Bad>
std::size_t firstBad(std::size_t begin, std::size_t end, Bad bad) {
    constexpr std::size_t kBlock = 4096;
    for (std::size_t block = begin; block < end; block += kBlock) {
        const std::size_t stop = std::min(end, block + kBlock);
        decltype(bad(begin)) any = 0;
        for (std::size_t i = block; i < stop; ++i) any |= bad(i);
        if (any == 0) continue;
        for (std::size_t i = block; i < stop; ++i)
            if (bad(i)) return i;
    }
    return end;
}

// Bytes a name may not hold; NUL ends a name and is checked apart.
std::uint8_t isControl(char c) {
    const auto byte = static_cast<std::uint8_t>(c);
    const bool control = static_cast<std::uint8_t>(byte - 1u) < 0x1Fu && byte != '\t';
    return static_cast<std::uint8_t>(control | (byte == 0x7F));
}

// What one pass over a name block finds: its NULs, and whether any byte is a control one.
struct CharacterScan {
    std::size_t nuls = 0;
    bool control = false;
};

// Sixteen bytes at a time where SSE2 is there (every x86-64): the NULs counted in byte lanes,
// summed before a lane could overflow; the control bytes (1 to 31 but the tab, and 127)
// gathered in a lane-wise OR.
CharacterScan scanCharacters(const char* bytes, std::size_t size) {
    CharacterScan scan;
    std::size_t i = 0;
#ifdef __SSE2__
    constexpr std::size_t kLaneLimit = 255 * 16;
    const __m128i zero = _mm_setzero_si128();
    const __m128i one = _mm_set1_epi8(1);
    const __m128i highestControl = _mm_set1_epi8(0x1E);  // byte - 1 up to this: 1 to 31
    const __m128i tab = _mm_set1_epi8('\t');
    const __m128i del = _mm_set1_epi8(0x7F);
    __m128i control = zero;
    while (i + 16 <= size) {
        const std::size_t stop = i + std::min(kLaneLimit, (size - i) & ~std::size_t{15});
        __m128i nuls = zero;
        for (; i < stop; i += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
            nuls = _mm_sub_epi8(nuls, _mm_cmpeq_epi8(v, zero));
            const __m128i less = _mm_sub_epi8(v, one);
            const __m128i low = _mm_cmpeq_epi8(_mm_min_epu8(less, highestControl), less);
            control = _mm_or_si128(control, _mm_andnot_si128(_mm_cmpeq_epi8(v, tab), low));
            control = _mm_or_si128(control, _mm_cmpeq_epi8(v, del));
        }
        const __m128i sums = _mm_sad_epu8(nuls, zero);
        scan.nuls += static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
                     static_cast<std::size_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
    }
    scan.control = _mm_movemask_epi8(control) != 0;
#endif
    for (; i < size; ++i) {
        scan.nuls += bytes[i] == '\0';
        scan.control = scan.control || isControl(bytes[i]) != 0;
    }
    return scan;
}

// The name whose characters hold byte at: the one starting last at or before it, in either
// layout. Only a damaged file comes here, so a pass over the offsets is cheap enough.
std::size_t nameHolding(const PodVector<NameOffset>& offsets, std::size_t at) {
    std::size_t holder = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < offsets.size(); ++i)
        if (offsets[i] <= at && offsets[i] >= start) {
            holder = i;
            start = offsets[i];
        }
    return holder;
}

std::string controlDamage(const char* kind, const PodVector<char>& characters,
                          const PodVector<NameOffset>& offsets) {
    const char* c = characters.data();
    const std::size_t at =
        firstBad(0, characters.size(), [c](std::size_t i) { return isControl(c[i]); });
    if (at == characters.size()) return {};
    return std::string(kind) + " " + text(nameHolding(offsets, at) + 1) +
           "'s name holds the control character " + hex(static_cast<unsigned char>(c[at]));
}

// Names in the order they were added: each starts right behind the one before it.
std::string addedLayoutDamage(const std::string& names, const char* kind, const char* c,
                              std::size_t size, const PodVector<NameOffset>& offsets,
                              std::size_t nuls) {
    const NameOffset* o = offsets.data();
    if (o[0] != 0) return names + " do not start at offset 0";
    // Each name starts inside the block, after the previous one, right behind a NUL.
    const std::size_t i = firstBad(1, offsets.size(), [o, c, size](std::size_t n) -> unsigned {
        const std::uint64_t at = o[n];
        const std::uint64_t before = at - 1 < size ? at - 1 : 0;
        return (at >= size) | (at <= o[n - 1]) | (c[before] != '\0');
    });
    if (i != offsets.size()) {
        if (o[i] >= size) return names + ": " + kind + " " + text(i + 1) + " starts past their end";
        if (o[i] <= o[i - 1])
            return names + ": offsets do not increase at " + kind + " " + text(i + 1);
        return names + ": " + kind + " " + text(i) + " is not NUL-terminated";
    }
    if (c[size - 1] != '\0')
        return names + ": " + kind + " " + text(offsets.size()) + " is not NUL-terminated";
    // Every name ends in a NUL; any further NUL would sit inside a name.
    if (nuls != offsets.size()) return names + ": a name holds a NUL character";
    return {};
}

// Names in name order: every offset inside the block, which ends in a NUL, and a NUL a name.
std::string nameOrderLayoutDamage(const std::string& names, const char* kind, const char* c,
                                  std::size_t size, const PodVector<NameOffset>& offsets,
                                  std::size_t nuls) {
    const NameOffset* o = offsets.data();
    const std::size_t i =
        firstBad(0, offsets.size(), [o, size](std::size_t n) -> unsigned { return o[n] >= size; });
    if (i != offsets.size())
        return names + ": " + kind + " " + text(i + 1) + " starts past their end";
    if (c[size - 1] != '\0') return names + ": the last name in their order is not NUL-terminated";
    if (nuls != offsets.size())
        return names + ": their characters hold " + text(nuls) + " NULs for " +
               text(offsets.size()) + " names";
    return {};
}

std::uint64_t bitsOf(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

constexpr std::uint64_t kExponentBits = 0x7FF0000000000000ull;

// The first of size values whose magnitude is not at most limit (NaN included), or size. The
// compiler keeps a floating-point comparison that may trap scalar, so the blocks are tested
// two values at a time by hand where SSE2 is there (every x86-64).
std::size_t firstBadMagnitude(const double* v, std::size_t size, double limit) {
    std::size_t from = 0;
#ifdef __SSE2__
    constexpr std::size_t kBlock = 4096;
    const __m128d magnitude = _mm_castsi128_pd(_mm_set1_epi64x(0x7FFFFFFFFFFFFFFFll));
    const __m128d most = _mm_set1_pd(limit);
    for (; from + kBlock <= size; from += kBlock) {
        __m128d any = _mm_setzero_pd();
        for (std::size_t i = from; i < from + kBlock; i += 2)
            any = _mm_or_pd(any, _mm_cmpnle_pd(_mm_and_pd(_mm_loadu_pd(v + i), magnitude), most));
        if (_mm_movemask_pd(any) != 0) break;
    }
#endif
    for (std::size_t i = from; i < size; ++i)
        if (!(std::fabs(v[i]) <= limit)) return i;
    return size;
}

std::string valueText(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

// The first value that is NaN, or with allowInfinite false also one that the model's 32-bit
// floats cannot hold (infinite ones included); "" when none is. what names the item, as
// "right-hand side of row", and the position is 1-based.
std::string badValue(const PodVector<double>& values, const char* what, bool allowInfinite) {
    const double* v = values.data();
    // One comparison that NaN fails as well.
    const double limit = allowInfinite ? HUGE_VAL : static_cast<double>(FLT_MAX);
    const std::size_t i = firstBadMagnitude(v, values.size(), limit);
    if (i == values.size()) return {};
    return std::string("the ") + what + " " + text(i + 1) + " is " + valueText(v[i]) +
           (std::isfinite(v[i]) ? ", beyond what the 32-bit model holds (3.4e38)"
                                : ", not a finite number");
}

std::string termValueDamage(const PodVector<NonlinearTerm>& terms) {
    for (std::size_t t = 0; t < terms.size(); ++t)
        if ((bitsOf(terms[t].coefficient) & kExponentBits) == kExponentBits)
            return "the coefficient of nonlinear term " + text(t + 1) + " is " +
                   valueText(terms[t].coefficient) + ", not a finite number";
    return {};
}

}  // namespace

// Bounds at or beyond the infinities (infinite ones included) mean infinite; NaN means nothing.
std::string matrixValueDamage(const MatrixStore& store) {
    std::string damage = badValue(store.rhs, "right-hand side of row", false);
    if (damage.empty()) damage = badValue(store.range, "range of row", false);
    if (damage.empty()) damage = badValue(store.elementValue, "value of element", false);
    if (damage.empty()) damage = termValueDamage(store.nonlinear.terms);
    if (damage.empty()) damage = badValue(store.lower, "lower bound of column", true);
    if (damage.empty()) damage = badValue(store.upper, "upper bound of column", true);
    return damage;
}

namespace {

std::string rowTypeDamage(const PodVector<std::int16_t>& types) {
    const std::int16_t* t = types.data();
    const std::size_t r = firstBad(0, types.size(), [t](std::size_t i) -> std::uint16_t {
        return static_cast<std::uint16_t>(t[i] - kRowFree) > kRowGreaterEqual - kRowFree;
    });
    if (r == types.size()) return {};
    return "row " + text(r + 1) + " has the unknown type code " + std::to_string(types[r]);
}

std::string columnFlagDamage(const PodVector<std::uint8_t>& flags) {
    constexpr std::uint8_t kUnknown =
        static_cast<std::uint8_t>(~(kColumnInteger | kColumnSemiContinuous));
    const std::uint8_t* f = flags.data();
    const std::size_t c = firstBad(
        0, flags.size(), [f](std::size_t i) -> std::uint8_t { return (f[i] & kUnknown) != 0; });
    if (c == flags.size()) return {};
    return "column " + text(c + 1) + " has the unknown flags " + hex(flags[c]);
}

std::string columnStartDamage(const PodVector<std::uint32_t>& starts, std::uint64_t elements) {
    const std::uint32_t* s = starts.data();
    if (s[0] != 0) return "the first column starts at element " + text(s[0]) + ", not 0";
    const std::size_t c =
        firstBad(1, starts.size(), [s](std::size_t i) -> unsigned { return s[i] < s[i - 1]; });
    if (c != starts.size()) return "column starts decrease after column " + text(c);
    const std::uint32_t last = s[starts.size() - 1];
    if (last != elements)
        return "column starts end at " + text(last) + " instead of the element count " +
               text(elements);
    return {};
}

std::string termDamage(const PodVector<NonlinearTerm>& terms, const Dimensions& d) {
    for (std::size_t t = 0; t < terms.size(); ++t) {
        const NonlinearTerm& term = terms[t];
        const bool secondBad =
            term.second != NonlinearTermStore::kNoVariable && term.second >= d.columns;
        if (term.row < d.rows && term.first < d.columns && !secondBad) continue;
        const std::string which = "nonlinear term " + text(t + 1);
        if (term.row >= d.rows)
            return which + " belongs to row " + text(term.row + 1ull) + " of " + text(d.rows);
        const std::uint32_t column = term.first >= d.columns ? term.first : term.second;
        return which + " refers to column " + text(column + 1ull) + " of " + text(d.columns);
    }
    return {};
}

std::string statusDamage(const PodVector<std::uint8_t>& statuses) {
    const std::uint8_t* s = statuses.data();
    const std::size_t c = firstBad(
        0, statuses.size(), [s](std::size_t i) -> std::uint8_t { return s[i] > kStatusAtLower; });
    if (c == statuses.size()) return {};
    return "column " + text(c + 1) + " has the unknown status " + text(statuses[c]);
}

}  // namespace

std::string elementRowDamage(const PodVector<std::uint32_t>& elementRows, std::uint64_t rows) {
    const std::uint32_t* r = elementRows.data();
    const auto limit = static_cast<std::uint32_t>(rows);  // the dimensions fit 32 bits
    const std::size_t e = firstBad(0, elementRows.size(),
                                   [r, limit](std::size_t i) -> unsigned { return r[i] >= limit; });
    if (e == elementRows.size()) return {};
    return "element " + text(e + 1) + " refers to row " + text(r[e] + 1ull) + " of " + text(rows);
}

std::string dimensionsDamage(const Dimensions& d) {
    const struct {
        std::uint64_t count;
        const char* what;
    } counts[] = {{d.rows, " rows"},
                  {d.columns, " columns"},
                  {d.elements, " elements"},
                  {d.terms, " nonlinear terms"}};
    for (const auto& count : counts) {
        if (count.count > kMaxCount)
            return text(count.count) + count.what + " exceed the limit of " + text(kMaxCount);
    }
    if (d.objectiveRow < -1 || d.objectiveRow >= static_cast<std::int64_t>(d.rows))
        return "objective row " + std::to_string(d.objectiveRow + 1) + " is not one of the " +
               text(d.rows) + " rows";
    constexpr std::uint32_t kKnown = kOptionMaximise | kOptionSolutionFromColumnValues;
    if ((d.options & ~kKnown) != 0) return "unknown model options " + hex(d.options);
    if (d.reserved != 0) return "the dimensions' reserved field is not zero";
    return {};
}

std::string payloadShortfall(const Dimensions& d, std::uint64_t remaining) {
    // Bytes per item of the required sections, a name counting one NUL; the counts fit 32
    // bits, so nothing overflows.
    std::uint64_t needed = d.rows * (1 + 4 + 2 + 8 + 8) + d.columns * (1 + 4 + 8 + 8 + 1 + 4) +
                           4 + d.elements * (4 + 8) + d.terms * kTermRecordSize;
    // The solution's sections are left to the presence check, which names the missing one.
    for (const SectionInfo& section : kSections)
        if (section.presence == Presence::kRequired) needed += kSectionHeaderSize;
    needed -= kSectionHeaderSize;  // the dimensions' own, read already
    if (needed <= remaining) return {};
    return text(d.rows) + " rows, " + text(d.columns) + " columns, " + text(d.elements) +
           " elements and " + text(d.terms) + " nonlinear terms need at least " + text(needed) +
           " more bytes, but the payload holds " + text(remaining);
}

std::string nameBlockDamage(const char* kind, const PodVector<char>& characters,
                            const PodVector<NameOffset>& offsets, NameLayout layout) {
    const std::string names = std::string(kind) + " names";
    const std::size_t size = characters.size();
    if (offsets.empty()) {
        if (size == 0) return {};
        return names + " hold " + text(size) + " characters but no name";
    }
    if (size == 0) return names + ": " + kind + " 1 starts past their end";
    const CharacterScan scan = scanCharacters(characters.data(), size);
    const std::string damage =
        layout == NameLayout::kNameOrder
            ? nameOrderLayoutDamage(names, kind, characters.data(), size, offsets, scan.nuls)
            : addedLayoutDamage(names, kind, characters.data(), size, offsets, scan.nuls);
    if (!damage.empty() || !scan.control) return damage;
    return controlDamage(kind, characters, offsets);
}

std::string matrixStructureDamage(const Dimensions& d, const MatrixStore& store) {
    std::string damage = rowTypeDamage(store.rowType);
    if (damage.empty()) damage = columnFlagDamage(store.columnFlags);
    if (damage.empty()) damage = columnStartDamage(store.columnStart, d.elements);
    if (damage.empty()) damage = elementRowDamage(store.elementRow, d.rows);
    if (damage.empty()) damage = termDamage(store.nonlinear.terms, d);
    if (damage.empty() && store.hasSolution) damage = statusDamage(store.columnStatus);
    return damage;
}

}  // namespace orbxmps::orb
