#pragma once

#include <string_view>

namespace orbxmps {

// Parses a whole field as a decimal number (an optional leading '+' allowed). NaN, infinity
// words and anything but a number give false. Magnitudes of 1e20 and beyond become -1e20 or
// 1e20, the library's infinities.
bool parseMpsNumber(std::string_view text, double& value);

}  // namespace orbxmps
