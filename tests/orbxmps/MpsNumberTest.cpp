#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include "MpsNumber.h"

namespace {

using orbxmps::clampBound;
using orbxmps::fitsModelFloat;
using orbxmps::mpsNumberProblem;
using orbxmps::parseMpsNumber;
using orbxmps::parsePaddedMpsNumber;

// The word-load reader sees the text followed by digits and points, which a length taken
// wrongly would read as part of the number.
bool parsePadded(const std::string& text, double& value) {
    const std::string buffer = text + "9.99999999999999999999999999999999";
    return parsePaddedMpsNumber(std::string_view(buffer).substr(0, text.size()), value);
}

// glibc's strtod rounds correctly, so a value must match it bit for bit; a Fortran exponent
// 'D' stands for the 'e' strtod reads.
void expectSameAsStrtod(const std::string& text) {
    std::string asC = text;
    std::ranges::replace(asC, 'd', 'e');
    std::ranges::replace(asC, 'D', 'e');
    const double expected = std::strtod(asC.c_str(), nullptr);
    double value = 0.0;
    ASSERT_TRUE(parseMpsNumber(text, value)) << text;
    EXPECT_EQ(value, expected) << text;
    EXPECT_EQ(std::signbit(value), std::signbit(expected)) << text;
    double padded = 0.0;
    ASSERT_TRUE(parsePadded(text, padded)) << text;
    EXPECT_EQ(padded, expected) << text;
    EXPECT_EQ(std::signbit(padded), std::signbit(expected)) << text;
}

std::string randomDigits(std::mt19937& random, int count) {
    std::string digits;
    for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + random() % 10);
    return digits;
}

TEST(MpsNumberTest, ReadsDecimalsExactlyAsCorrectRounding) {
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i) {
        // Short and long mantissas, point anywhere or absent, exponents inside and outside the
        // range of exact powers of ten: both the quick path and the full parser are covered.
        std::string text = (random() % 3 == 0) ? "-" : "";
        const int whole = static_cast<int>(random() % 12);
        const int fraction = static_cast<int>(random() % 12);
        text += randomDigits(random, whole);
        if (fraction > 0 || whole == 0) text += "." + randomDigits(random, fraction + (whole == 0));
        if (random() % 3 == 0) {
            text += (random() % 2 == 0) ? "e" : "E";
            if (random() % 2 == 0) text += (random() % 2 == 0) ? "-" : "+";
            text += std::to_string(random() % 40);
        }
        expectSameAsStrtod(text);
    }
}

TEST(MpsNumberTest, ReadsEdgeFormsFortranExponentsAndMagnitudes) {
    // clang-format off
    for (const char* text : {"0", "-0", "-.0", "5.", ".5", "+7", "1e5", "1E+05", "2.5e-3",
             "123456789012345", "1234567890123456", "0.1e-22", "1e22", "1e23", "4.9e-324",
             "000000000000000000001", "9007199254740993", "1.0D3", "2d-4", "-1.25D+2",
             "0.1234567890123456789d5", "3.5e21", "-1e300", "0e-400"})
        expectSameAsStrtod(text);
    // clang-format on
}

TEST(MpsNumberTest, RefusesWhatADoubleCannotHoldAndClampsBounds) {
    double value = 0.0;
    for (const char* text : {"1e400", "-1e400", "1e-400", "1.5D999"}) {
        EXPECT_FALSE(parseMpsNumber(text, value)) << text;
        EXPECT_STREQ(mpsNumberProblem(text), "value does not fit a double (overflow or underflow)");
    }
    EXPECT_STREQ(mpsNumberProblem("x1"), "value is not a number");
    // What no field holds; the other malformed numbers are refused by MpsReaderTest.
    for (const char* text : {"", " 1", "1 "}) EXPECT_FALSE(parseMpsNumber(text, value)) << text;
    for (const char* text : {"", ".", "-", "-.", "1.2.3", "12a", "1e400", "..5", "1-2"})
        EXPECT_FALSE(parsePadded(text, value)) << text;
    EXPECT_EQ((std::vector{clampBound(3.5e21), clampBound(-1e20), clampBound(9.99e19)}),
              (std::vector{1e20, -1e20, 9.99e19}));
    EXPECT_TRUE(fitsModelFloat(-3.4e38));
    EXPECT_FALSE(fitsModelFloat(3.5e38));
}

}  // namespace
