#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "ValueExtremes.h"

namespace {

// The candidates by their definition: each value sorted into its band (sign, and fixed or
// scientific), then each band's largest magnitude and its smallest above 0.
std::vector<double> byBands(const std::vector<float>& values, const ValueExtremes& limits) {
    std::vector<double> candidates;
    for (const bool negative : {false, true})
        for (const bool scientific : {false, true}) {
            std::optional<double> largest, nearest;
            for (const float value : values) {
                const double magnitude = std::fabs(value);
                if (std::signbit(value) != negative ||
                    (magnitude >= limits.scientificFrom(negative)) != scientific)
                    continue;
                if (!largest || magnitude > *largest) largest = magnitude;
                if (magnitude > 0 && (!nearest || magnitude < *nearest)) nearest = magnitude;
            }
            for (const std::optional<double>& magnitude : {largest, nearest})
                if (magnitude) candidates.push_back(negative ? -*magnitude : *magnitude);
        }
    return candidates;
}

// Magnitudes over a float's range, zeros of both signs, infinities, and the floats on either
// side of each sign's scientific limit.
std::vector<float> valuesAround(const ValueExtremes& limits, std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    const float infinity = std::numeric_limits<float>::infinity();
    std::vector<float> values;
    for (std::size_t i = 0; i < count; ++i) {
        const bool negative = random() % 2 != 0;
        const float limit = static_cast<float>(limits.scientificFrom(negative));
        float magnitude = 0.0f;
        switch (random() % 8) {
            case 0:
                magnitude = 0.0f;
                break;
            case 1:
                magnitude = infinity;
                break;
            case 2:
                magnitude = std::nextafter(limit, 0.0f);
                break;
            case 3:
                magnitude = std::nextafter(limit, infinity);
                break;
            case 4:
                magnitude = limit;
                break;
            default:
                magnitude = std::ldexp(1.0f + static_cast<float>(random() % 1000) / 1000.0f,
                                       static_cast<int>(random() % 250) - 125);
        }
        values.push_back(negative ? -magnitude : magnitude);
    }
    return values;
}

void expectCandidatesByBands(const NumberFormatOptions& format, const std::vector<float>& values,
                             const std::string& where) {
    ValueExtremes byFours(format), oneByOne(format);
    byFours.offer(values);
    for (auto value = values.rbegin(); value != values.rend(); ++value)
        oneByOne.offer(static_cast<double>(*value));
    const std::vector<double> expected = byBands(values, byFours);
    ASSERT_TRUE(byFours.candidates().has_value()) << where;
    EXPECT_EQ(*byFours.candidates(), expected) << where;
    EXPECT_EQ(*oneByOne.candidates(), expected) << where;
}

// Offered four at a time, one at a time or in any order, the extremes name what the bands hold;
// with so few kinds of value each sign often has one band only, or none. A zero counts by its
// sign bit, and is a band's largest when the band holds nothing else.
TEST(ValueExtremesTest, CandidatesAreEachBandsLargestAndNearestZeroHoweverOffered) {
    const float infinity = std::numeric_limits<float>::infinity();
    const std::vector<std::vector<float>> zeros{{0.0f, -1.0f, -2.0f, -3.0f},
                                                {-0.0f, 1.0f, 2.0f, 3.0f, 4.0f},
                                                {-0.0f, -0.0f, 0.0f, 0.0f},
                                                {infinity, -infinity, 0.0f, -0.0f}};
    unsigned seed = 1;
    for (const int decimals : {0, 5, 12})
        for (const bool scientific : {false, true}) {
            const NumberFormatOptions format{decimals, scientific};
            const std::string where = "decimals " + std::to_string(decimals) + " scientific " +
                                      std::to_string(scientific);
            for (const std::size_t count : {0, 1, 3, 4, 5, 9, 64, 1000})
                expectCandidatesByBands(format, valuesAround(ValueExtremes(format), count, seed++),
                                        where + " count " + std::to_string(count));
            for (std::size_t set = 0; set < zeros.size(); ++set)
                expectCandidatesByBands(format, zeros[set], where + " set " + std::to_string(set));
        }
}

// Where a value that is not a number ranks depends on the order of the values, which the
// extremes do not keep: they give no candidates, however it comes.
TEST(ValueExtremesTest, AValueThatIsNotANumberLeavesTheCandidatesToAPassInOrder) {
    const float notANumber = std::numeric_limits<float>::quiet_NaN();
    for (const std::size_t at : {0, 3, 4, 6}) {
        std::vector<float> values{1.0f, -2.0f, 0.0f, 3.0f, 4.0f, 5.0f, 6.0f};
        values[at] = notANumber;
        ValueExtremes byFours({}), oneByOne({});
        byFours.offer(values);
        for (const float value : values) oneByOne.offer(static_cast<double>(value));
        EXPECT_FALSE(byFours.candidates().has_value()) << at;
        EXPECT_FALSE(oneByOne.candidates().has_value()) << at;
    }
}

}  // namespace
