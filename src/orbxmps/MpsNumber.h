#pragma once

#include <cfloat>
#include <cmath>
#include <string_view>

namespace orbxmps {

// Parses a whole field as a decimal number: an optional leading '+', and an exponent letter
// 'e', 'E' or the Fortran 'd', 'D'. NaN, infinity words, anything but a number, and numbers
// that do not fit a double (overflow, or underflow to zero) give false; the value is never
// clamped here: only bounds take 1e20 and beyond as infinite (clampBound).
bool parseMpsNumber(std::string_view text, double& value);
// The same, faster, for text with 32 readable bytes from its start (a line block's field).
bool parsePaddedMpsNumber(std::string_view text, double& value);

// Why parseMpsNumber refused the text, for the message.
const char* mpsNumberProblem(std::string_view text);

// Bounds of 1e20 and beyond (either sign) are the library's infinities.
double clampBound(double value);

// Coefficients, right-hand sides and ranges are shown from 32-bit floats: a magnitude beyond
// the largest float cannot be held.
inline bool fitsModelFloat(double value) {
    return std::fabs(value) <= static_cast<double>(FLT_MAX);
}
inline constexpr const char* kValueBeyondFloat =
    "value does not fit the 32-bit model (magnitude beyond 3.4e38)";

}  // namespace orbxmps
