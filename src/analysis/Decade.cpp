#include "Decade.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

namespace {

// A float's binary exponent pins its decade to one of two: the decade of 2^e, or the next when
// the value reaches the next power of ten. A table per exponent turns a log10 per coefficient
// into a lookup and one comparison.
struct ExponentDecade {
    int decade = 0;
    float nextPower = 0.0f;
};

int searchedDecade(float magnitude) {
    int decade = static_cast<int>(std::floor(std::log10(static_cast<double>(magnitude))));
    while (decadeFloat(decade + 1) <= magnitude) ++decade;
    while (decadeFloat(decade) > magnitude) --decade;
    return decade;
}

std::array<ExponentDecade, 256> makeTable() {
    std::array<ExponentDecade, 256> table{};
    for (int biased = 1; biased < 255; ++biased) {
        const int decade = searchedDecade(std::ldexp(1.0f, biased - 127));
        table[static_cast<std::size_t>(biased)] = {decade, decadeFloat(decade + 1)};
    }
    return table;
}

}  // namespace

double decadePower(int decade) { return std::pow(10.0, decade); }

float decadeFloat(int decade) { return static_cast<float>(decadePower(decade)); }

int decadeOf(float value) {
    static const std::array<ExponentDecade, 256> table = makeTable();
    const float magnitude = std::fabs(value);
    const std::uint32_t biased = (std::bit_cast<std::uint32_t>(magnitude) >> 23) & 0xffu;
    if (biased == 0) return searchedDecade(magnitude);  // subnormal
    const ExponentDecade& entry = table[biased];
    return entry.decade + (magnitude >= entry.nextPower ? 1 : 0);
}
