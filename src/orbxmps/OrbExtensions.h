#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "MatrixExtensions.h"

namespace orbxmps::orb {

// The sets, cones and indicators of a matrix as the bytes of one ORB section: counts and
// numbers little-endian, names as a 32-bit length and their bytes.
std::string encodeExtensions(const MatrixExtensions& extensions);

// Reads bytes back into out (empty first). A file is hostile until checked: every count is
// held against the bytes left, every row and column against the matrix, every number must be
// finite and every name free of control characters. The damage found, or "" when none.
std::string decodeExtensions(std::string_view bytes, std::uint64_t rows, std::uint64_t columns,
                             MatrixExtensions& out);

}  // namespace orbxmps::orb
