#include "DecadePalette.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace {

struct Anchor {
    int decade;
    std::uint32_t rgb;
};

// Hand-picked stops; the decades between them are blended.
constexpr std::array<Anchor, 7> kAnchors = {{
    {-9, 0x4b0a6e},
    {-6, 0x1f3fbf},
    {-3, 0x1fa8d8},
    {0, 0x2ca02c},
    {3, 0xf0d020},
    {6, 0xf07010},
    {9, 0x8b0000},
}};

std::uint32_t blend(std::uint32_t from, std::uint32_t to, int step, int steps) {
    std::uint32_t rgb = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = static_cast<int>((from >> shift) & 0xffu);
        const int b = static_cast<int>((to >> shift) & 0xffu);
        rgb |= static_cast<std::uint32_t>(a + (b - a) * step / steps) << shift;
    }
    return rgb;
}

}  // namespace

std::uint32_t decadeColour(int decade) {
    decade = std::clamp(decade, kPaletteLowestDecade, kPaletteHighestDecade);
    for (std::size_t k = 0; k + 1 < kAnchors.size(); ++k) {
        const Anchor& low = kAnchors[k];
        const Anchor& high = kAnchors[k + 1];
        if (decade > high.decade) continue;
        return 0xff000000u |
               blend(low.rgb, high.rgb, decade - low.decade, high.decade - low.decade);
    }
    return 0xff000000u | kAnchors.back().rgb;
}
