#include "MpsNumber.h"

#include <fast_float/fast_float.h>

#include <cfloat>
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

// Most values in MPS files are short decimals: up to 15 digits and a small exponent. Their
// mantissa and power of ten are exact doubles, so one multiplication or division rounds
// correctly, as the full parser would (Clinger's fast path). False for anything else,
// which then goes to the full parser; p follows the sign.
bool parseShortDecimal(const char* p, const char* end, bool negative, double& value) {
    static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                         1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
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

NumberResult parseNumber(std::string_view text, double& value) {
    const char* p = text.data();
    const char* const end = p + text.size();
    if (p != end && *p == '+') ++p;
    if (p == end) return NumberResult::kNotANumber;
    // A digit or point must come first (after a minus only without a plus), which turns
    // away "nan" and "inf" that the number parser would accept.
    const bool negative = *p == '-' && p == text.data();
    const char* first = negative ? p + 1 : p;
    if (first == end || !(isDigit(*first) || *first == '.')) return NumberResult::kNotANumber;
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

bool fitsModelFloat(double value) { return std::fabs(value) <= static_cast<double>(FLT_MAX); }

}  // namespace orbxmps
