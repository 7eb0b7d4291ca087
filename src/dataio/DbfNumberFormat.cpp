#include "DbfNumberFormat.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace {

// The rounded value in fixed notation without its sign, e.g. "0.50", "12.05" or "3".
std::string fixedDigits(double magnitude, int decimals) {
    // The largest double has 309 integer digits.
    std::vector<char> buffer(static_cast<std::size_t>(decimals) + 320);
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

}  // namespace

std::string formatDbfNumber(double value, int width, int decimals) {
    if (width <= 0) return {};
    const std::string overflow(static_cast<std::size_t>(width), '*');
    if (decimals < 0) decimals = 0;
    // The point and the decimals alone must fit.
    if (!std::isfinite(value) || decimals >= width) return overflow;

    std::string digits = fixedDigits(std::fabs(value), decimals);
    const bool zero = digits.find_first_not_of("0.") == std::string::npos;
    if (decimals > 0 && digits.front() == '0') digits.erase(0, 1);
    // A value that rounds to zero is written without a sign.
    if (value < 0 && !zero) digits.insert(0, 1, '-');
    if (digits.size() > static_cast<std::size_t>(width)) return overflow;
    return std::string(static_cast<std::size_t>(width) - digits.size(), ' ') + digits;
}
