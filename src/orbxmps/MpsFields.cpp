#include "MpsFields.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace orbxmps {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

#if defined(__SSE2__)
// Lines up to 64 characters (nearly all) are split from a bit mask of their non-blank
// characters: no branch per character, so no mispredicted branch per field boundary.
[[gnu::always_inline]] inline std::uint64_t nonBlankMask(const char* bytes) {
    const __m128i blank = _mm_set1_epi8(' ');
    const __m128i tab = _mm_set1_epi8('\t');
    std::uint64_t blanks = 0;
    for (int block = 0; block < 4; ++block) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * block));
        const __m128i isBlank = _mm_or_si128(_mm_cmpeq_epi8(v, blank), _mm_cmpeq_epi8(v, tab));
        blanks |= static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(isBlank)))
                  << (16 * block);
    }
    return ~blanks;
}

[[gnu::always_inline]] inline std::uint64_t nonBlankMask(std::string_view line,
                                                         bool readablePastEnd) {
    if (readablePastEnd) {
        const std::uint64_t inLine = line.size() == 64 ? ~0ull : (1ull << line.size()) - 1;
        return nonBlankMask(line.data()) & inLine;
    }
    char padded[64];
    std::memset(padded, ' ', sizeof padded);
    if (!line.empty()) std::memcpy(padded, line.data(), line.size());  // an empty view may be null
    return nonBlankMask(padded);
}

// Calls field(index, first, length) for each field of the line whose non-blank bytes text
// marks; returns the count, or -1 past MpsFields::kMaxFields.
template <typename Field>
int forEachShortField(std::uint64_t text, const Field& field) {
    std::uint64_t starts = text & ~(text << 1);
    std::uint64_t ends = text & ~(text >> 1);  // the last character of each field
    int count = 0;
    for (; starts != 0; ++count) {
        if (count == MpsFields::kMaxFields) return -1;
        const int first = __builtin_ctzll(starts);
        field(count, first, __builtin_ctzll(ends) - first + 1);
        starts &= starts - 1;
        ends &= ends - 1;
    }
    return count;
}

void splitShortFree(std::string_view line, bool readablePastEnd, MpsFields& out) {
    const int count = forEachShortField(
        nonBlankMask(line, readablePastEnd), [&](int index, int first, int length) {
            // Both ends lie inside the line by the mask: no bounds check.
            out.field[index] = {line.data() + first, static_cast<std::size_t>(length)};
        });
    out.tooMany = count < 0;
    out.count = count < 0 ? MpsFields::kMaxFields : count;
}

// Longer lines, 64 characters at a time: each change between blank and text is a field's
// start or its end, so fields may span two blocks of 64.
void splitLongFree(std::string_view line, MpsFields& out) {
    int count = 0;
    std::size_t start = 0;
    bool inField = false;
    std::uint64_t lastOfBlockBefore = 0;
    for (std::size_t base = 0; base < line.size(); base += 64) {
        const std::size_t left = line.size() - base;
        const std::uint64_t inLine = left >= 64 ? ~0ull : (1ull << left) - 1;
        const std::uint64_t text = nonBlankMask(line.data() + base) & inLine;
        std::uint64_t changes = text ^ (text << 1 | lastOfBlockBefore);
        lastOfBlockBefore = text >> 63;
        for (; changes != 0; changes &= changes - 1) {
            const std::size_t at = base + static_cast<std::size_t>(__builtin_ctzll(changes));
            if (inField) {
                out.field[count++] = line.substr(start, at - start);
            } else if (count == MpsFields::kMaxFields) {
                out.tooMany = true;
                out.count = count;
                return;
            } else {
                start = at;
            }
            inField = !inField;
        }
    }
    if (inField) out.field[count++] = line.substr(start);
    out.count = count;
}
#endif

void splitFree(std::string_view line, bool readablePastEnd, MpsFields& out) {
#if defined(__SSE2__)
    if (line.size() <= 64) return splitShortFree(line, readablePastEnd, out);
    if (readablePastEnd) return splitLongFree(line, out);
#else
    (void)readablePastEnd;
#endif
    const char* p = line.data();
    const char* const end = p + line.size();
    int count = 0;
    for (;;) {
        while (p != end && isBlank(*p)) ++p;
        if (p == end) break;
        const char* start = p;
        while (p != end && !isBlank(*p)) ++p;
        if (count == MpsFields::kMaxFields) {
            out.tooMany = true;
            break;
        }
        out.field[count++] = {start, static_cast<std::size_t>(p - start)};
    }
    out.count = count;
}

struct FixedColumns {
    std::size_t first;  // 1-based
    std::size_t last;
};

constexpr FixedColumns kFixedColumns[MpsFields::kMaxFields] = {{2, 3},   {5, 12},  {15, 22},
                                                               {25, 36}, {40, 47}, {50, 61}};

bool blankBetween(std::string_view line, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to && i < line.size(); ++i)
        if (!isBlank(line[i])) return false;
    return true;
}

void splitFixed(std::string_view line, bool hasCodeField, MpsFields& out) {
    const int firstField = hasCodeField ? 0 : 1;
    int count = 0;
    std::size_t checkedTo = hasCodeField ? 1 : kFixedColumns[1].first - 1;
    out.strayText = !blankBetween(line, 1, checkedTo);
    for (int f = firstField; f < MpsFields::kMaxFields; ++f) {
        const std::size_t begin = kFixedColumns[f].first - 1;
        const std::size_t end = kFixedColumns[f].last;
        if (!blankBetween(line, checkedTo, begin)) out.strayText = true;
        checkedTo = end;
        const std::string_view text =
            begin < line.size() ? trimBlanks(line.substr(begin, end - begin)) : std::string_view();
        out.field[f - firstField] = text;
        if (!text.empty()) count = f - firstField + 1;
    }
    if (!blankBetween(line, checkedTo, line.size())) out.strayText = true;
    out.count = count;
}

}  // namespace

bool splitShortFreeAt(std::string_view line, MpsFieldPlaces& places) {
#if defined(__SSE2__)
    if (line.size() > 64) return false;
    const int count =
        forEachShortField(nonBlankMask(line, true), [&](int index, int first, int length) {
            places.start[index] = static_cast<std::uint16_t>(first);
            places.length[index] = static_cast<std::uint16_t>(length);
        });
    places.tooMany = count < 0;
    places.count = static_cast<std::uint8_t>(count < 0 ? MpsFields::kMaxFields : count);
    return true;
#else
    (void)line, (void)places;
    return false;
#endif
}

std::string_view trimBlanks(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

void splitMpsFields(std::string_view line, MpsFormat format, bool hasCodeField, MpsFields& out,
                    bool readablePastEnd) {
    out.tooMany = false;
    out.strayText = false;
    if (format == MpsFormat::kFixed)
        splitFixed(line, hasCodeField, out);
    else
        splitFree(line, readablePastEnd, out);
}

}  // namespace orbxmps
