#pragma once

#include <cstdint>

// The picture's colours as 0xffRRGGBB. Decade 0 (1 <= |a| < 10) is green; larger decades go
// through yellow and orange to dark red, smaller ones through cyan and blue to violet, so
// that both ends of a badly scaled model stand out. Decades beyond the ends share the end's
// colour.
inline constexpr int kPaletteLowestDecade = -9;
inline constexpr int kPaletteHighestDecade = 9;
inline constexpr std::uint32_t kEmptyPixel = 0xffffffffu;

std::uint32_t decadeColour(int decade);
