#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "ValueExtremes.h"

namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();

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

// Zeros of both signs, infinities, the floats at and on either side of each sign's scientific
// limit, and magnitudes over a float's range.
std::vector<float> valuesAround(const ValueExtremes& limits, std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<float> values;
    for (std::size_t i = 0; i < count; ++i) {
        const bool negative = random() % 2 != 0;
        const float limit = static_cast<float>(limits.scientificFrom(negative));
        const float special[] = {0.0f, kInfinity, std::nextafter(limit, 0.0f),
                                 std::nextafter(limit, kInfinity), limit};
        const unsigned pick = random() % 8;
        const float magnitude = pick < 5 ? special[pick]
                                         : std::ldexp(1.0f + (random() % 1000) / 1000.0f,
                                                      static_cast<int>(random() % 250) - 125);
        values.push_back(negative ? -magnitude : magnitude);
    }
    return values;
}

// Offered four at a time, one at a time in reverse or in two halves merged, the extremes name
// what the bands hold; with so few kinds of value each sign often has one band only, or none.
// A zero counts by its sign bit, and is a band's largest when the band holds nothing else. A
// value that is not a number ranks by the values' order, which the extremes do not keep: they
// give nothing.
TEST(ValueExtremesTest, CandidatesAreEachBandsLargestAndNearestZeroHoweverOffered) {
    const std::vector<std::vector<float>> zeros{{0.0f, -1.0f, -2.0f, -3.0f},
                                                {-0.0f, 1.0f, 2.0f, 3.0f, 4.0f},
                                                {-0.0f, -0.0f, 0.0f, 0.0f},
                                                {kInfinity, -kInfinity, 0.0f, -0.0f}};
    unsigned seed = 1;
    for (const int decimals : {0, 5, 12})
        for (const bool scientific : {false, true}) {
            const NumberFormatOptions format{decimals, scientific};
            std::vector<std::vector<float>> sets = zeros;
            for (const std::size_t count : {0, 1, 3, 4, 5, 9, 64, 1000})
                sets.push_back(valuesAround(ValueExtremes(format), count, seed++));
            const auto offered = [&format](const std::vector<float>& values, int way) {
                ValueExtremes extremes(format);
                ValueExtremes later(format);
                const std::span<const float> all(values);
                if (way == 0) extremes.offer(all);
                for (auto value = values.rbegin(); way == 1 && value != values.rend(); ++value)
                    extremes.offer(static_cast<double>(*value));
                if (way == 2) {
                    extremes.offer(all.first(all.size() / 2));
                    later.offer(all.subspan(all.size() / 2));
                    extremes.merge(later);
                }
                return extremes.candidates();
            };
            for (const std::vector<float>& values : sets)
                for (const int way : {0, 1, 2}) {
                    const auto where = ::testing::Message() << decimals << " decimals, "
                                                            << values.size() << " values, way " << way;
                    EXPECT_EQ(offered(values, way), byBands(values, ValueExtremes(format)))
                        << where;
                    if (values.size() < 4) continue;
                    std::vector<float> withNaN = values;
                    withNaN[values.size() / 2] = std::numeric_limits<float>::quiet_NaN();
                    EXPECT_FALSE(offered(withNaN, way).has_value()) << where;
                }
        }
}

}  // namespace
