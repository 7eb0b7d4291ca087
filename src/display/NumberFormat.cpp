#include "NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr std::size_t kLongestFixed = 12;
constexpr int kMaxDecimals = 12;

// to_chars writes what printf writes in the "C" locale, so no locale can turn "." into ",".
// The buffer holds "%.12f" of the largest double (309 digits before the point).
std::string formatWith(double value, std::chars_format format, int decimals) {
    // A zero product of a negative coefficient is -0; shown with its sign it reads as a
    // negative number.
    if (value == 0.0) value = 0.0;
    char buffer[400];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, format, decimals);
    if (error != std::errc()) return {};
    std::string text(buffer, end);
    // printf spells the special values "nan", "-nan", "inf" and "-inf"; to_chars drops the
    // sign of a negative NaN.
    if (std::isnan(value) && std::signbit(value) && text.front() != '-') text.insert(0, 1, '-');
    return text;
}

}  // namespace

std::string formatNumber(double value, int decimals, bool alwaysScientific) {
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    if (!alwaysScientific) {
        std::string fixed = formatWith(value, std::chars_format::fixed, decimals);
        if (fixed.size() <= kLongestFixed) return fixed;
    }
    return formatWith(value, std::chars_format::scientific, decimals);
}

std::string formatPlainFixed(double value) {
    return formatWith(value, std::chars_format::fixed, 6);
}
