#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

std::string numberText(double value) {
    if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
    char buffer[40];
    const bool fitsFloat = std::fabs(value) <= std::numeric_limits<float>::max();
    const auto result =
        fitsFloat ? std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value))
                  : std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}
