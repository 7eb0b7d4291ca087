#include "MpsNumber.h"

#include <fast_float/fast_float.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <cstring>
#include <cmath>
#include <cstdint>
#include <system_error>

#include "MatrixStore.h"

namespace orbxmps {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isExponentLetter(char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

// Reads digits into mantissa; false when more than kMaxDigits come (the caller falls back).
constexpr int kMaxDigits = 15;  // 10^15 < 2^53: the mantissa is exact as a double

bool readDigits(const char*& p, const char* end, std::uint64_t& mantissa, int& digits) {
    for (; p != end && isDigit(*p); ++p) {
        if (++digits > kMaxDigits) return false;
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
    }
    return true;
}

// The exponent part after 'e' or 'E': a sign and one to three digits.
bool readExponent(const char* p, const char* end, int& exponent) {
    const bool negative = p != end && *p == '-';
    if (p != end && (*p == '-' || *p == '+')) ++p;
    if (p == end || end - p > 3) return false;
    int value = 0;
    for (; p != end; ++p) {
        if (!isDigit(*p)) return false;
        value = value * 10 + (*p - '0');
    }
    exponent = negative ? -value : value;
    return true;
}

// The powers of ten that a double holds exactly.
constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                              1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Most values in MPS files are short decimals: up to 15 digits and a small exponent. Their
// mantissa and power of ten are exact doubles, so one multiplication or division rounds
// correctly, as the full parser would (Clinger's fast path). False for anything else,
// which then goes to the full parser; p follows the sign.
bool parseShortDecimal(const char* p, const char* end, bool negative, double& value) {
    std::uint64_t mantissa = 0;
    int digits = 0;
    if (!readDigits(p, end, mantissa, digits)) return false;
    int exponent = 0;
    if (p != end && *p == '.') {
        ++p;
        const int before = digits;
        if (!readDigits(p, end, mantissa, digits)) return false;
        exponent = before - digits;
    }
    if (digits == 0) return false;
    if (p != end) {
        int written = 0;
        if (!isExponentLetter(*p) || !readExponent(p + 1, end, written)) return false;
        exponent += written;
    }
    if (exponent < -22 || exponent > 22) return false;
    const auto magnitude = static_cast<double>(mantissa);
    value = exponent < 0 ? magnitude / kPowers[-exponent] : magnitude * kPowers[exponent];
    if (negative) value = -value;
    return true;
}

#if defined(__SSE2__)
// The value of n (0 to 8) decimal digits at s, from one word load (s + 8 readable): the
// digits are shifted to the word's top as if written with leading zeros, then combined two,
// four and eight at a time.
std::uint64_t eightDigitsValue(const char* s, std::size_t n) {
    if (n == 0) return 0;
    std::uint64_t word;
    std::memcpy(&word, s, sizeof word);
    // Bytes past the digits may borrow, but only into bytes higher still, which the shift drops.
    word -= 0x3030303030303030ull;
    word <<= 8 * (8 - n);
    word = word * 10 + (word >> 8);
    return (((word & 0x000000FF000000FFull) * (100 + (1000000ull << 32))) +
            (((word >> 16) & 0x000000FF000000FFull) * (1 + (10000ull << 32)))) >>
           32;
}

// parseShortDecimal for the common form without an exponent, digits and at most one point,
// up to 16 characters, from whole-word loads: no branch per digit, so none mispredicted where
// a number ends. Needs 32 readable bytes from p. False for anything else.
bool parsePaddedDecimal(const char* p, const char* end, bool negative, double& value) {
    static constexpr std::uint64_t kScales[] = {1,      10,      100,      1000,     10000,
                                                100000, 1000000, 10000000, 100000000};
    const auto length = static_cast<std::size_t>(end - p);
    if (length == 0 || length > 16) return false;
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i digits = _mm_sub_epi8(bytes, _mm_set1_epi8('0'));
    const __m128i isDigit = _mm_cmpeq_epi8(_mm_min_epu8(digits, _mm_set1_epi8(9)), digits);
    const __m128i isPoint = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('.'));
    const unsigned inText = (1u << length) - 1;
    const unsigned digitMask = static_cast<unsigned>(_mm_movemask_epi8(isDigit)) & inText;
    const unsigned pointMask = static_cast<unsigned>(_mm_movemask_epi8(isPoint)) & inText;
    if ((digitMask | pointMask) != inText || (pointMask & (pointMask - 1)) != 0) return false;
    const std::size_t whole =
        pointMask != 0 ? static_cast<std::size_t>(__builtin_ctz(pointMask)) : length;
    const std::size_t fraction = pointMask != 0 ? length - whole - 1 : 0;
    if (whole > 8 || fraction > 8 || whole + fraction == 0 || whole + fraction > kMaxDigits)
        return false;
    const std::uint64_t mantissa =
        eightDigitsValue(p, whole) * kScales[fraction] + eightDigitsValue(p + whole + 1, fraction);
    value = static_cast<double>(mantissa) / kPowers[fraction];
    if (negative) value = -value;
    return true;
}
#endif

// True when a mantissa digit before the exponent is not 0.
bool hasNonZeroDigit(const char* p, const char* end) {
    for (; p != end && !isExponentLetter(*p); ++p)
        if (*p >= '1' && *p <= '9') return true;
    return false;
}

enum class NumberResult { kOk, kNotANumber, kOutOfRange };

// The full parser knows only 'e': a Fortran exponent letter is swapped in a copy.
NumberResult parseWithFullParser(const char* p, const char* end, double& value) {
    constexpr std::size_t kLongestNumber = 128;
    char copy[kLongestNumber];
    const char* exponent = p;
    while (exponent != end && *exponent != 'd' && *exponent != 'D') ++exponent;
    if (exponent != end) {
        const auto length = static_cast<std::size_t>(end - p);
        if (length > kLongestNumber) return NumberResult::kNotANumber;
        std::memcpy(copy, p, length);
        copy[exponent - p] = 'e';
        p = copy;
        end = copy + length;
    }
    const fast_float::from_chars_result result = fast_float::from_chars(p, end, value);
    if (result.ptr != end) return NumberResult::kNotANumber;
    if (result.ec == std::errc::result_out_of_range) return NumberResult::kOutOfRange;
    if (result.ec != std::errc()) return NumberResult::kNotANumber;
    // Older parsers report neither overflow nor underflow to zero.
    if (std::isinf(value)) return NumberResult::kOutOfRange;
    return NumberResult::kOk;
}

// padded: 32 bytes from the text's start may be read, whatever its length.
NumberResult parseNumber(std::string_view text, double& value, bool padded = false) {
    const char* p = text.data();
    const char* const end = p + text.size();
    if (p != end && *p == '+') ++p;
    if (p == end) return NumberResult::kNotANumber;
    // A digit or point must come first (after a minus only without a plus), which turns
    // away "nan" and "inf" that the number parser would accept.
    const bool negative = *p == '-' && p == text.data();
    const char* first = negative ? p + 1 : p;
    if (first == end || !(isDigit(*first) || *first == '.')) return NumberResult::kNotANumber;
#if defined(__SSE2__)
    if (padded && parsePaddedDecimal(first, end, negative, value)) return NumberResult::kOk;
#else
    (void)padded;
#endif
    if (parseShortDecimal(first, end, negative, value)) return NumberResult::kOk;
    const NumberResult result = parseWithFullParser(p, end, value);
    if (result == NumberResult::kOk && value == 0.0 && hasNonZeroDigit(first, end))
        return NumberResult::kOutOfRange;  // underflow: the value would silently become 0
    return result;
}

}  // namespace

bool parseMpsNumber(std::string_view text, double& value) {
    return parseNumber(text, value) == NumberResult::kOk;
}

bool parsePaddedMpsNumber(std::string_view text, double& value) {
    return parseNumber(text, value, true) == NumberResult::kOk;
}

const char* mpsNumberProblem(std::string_view text) {
    double ignored;
    return parseNumber(text, ignored) == NumberResult::kOutOfRange
               ? "value does not fit a double (overflow or underflow)"
               : "value is not a number";
}

double clampBound(double value) {
    if (value >= kInfinity) return kInfinity;
    if (value <= -kInfinity) return -kInfinity;
    return value;
}

}  // namespace orbxmps
