#pragma once

#include <cstddef>
#include <cstdint>

#include "MatrixStore.h"

namespace orbxmps {

// What a loaded matrix holds beyond rows, columns and coefficients, counted for a summary.
struct ModelFeatures {
    bool maximise = false;
    double objectiveConstant = 0.0;  // the negated RHS of the objective row
    std::size_t integerColumns = 0;
    std::size_t semiContinuousColumns = 0;
    std::size_t semiIntegerColumns = 0;
    std::size_t crossedBoundColumns = 0;  // lower bound above the upper bound
    std::size_t sets = 0;
    std::size_t setMembers = 0;
    std::size_t cones = 0;
    std::size_t indicators = 0;
    std::uint64_t warnings = 0;
};

ModelFeatures countModelFeatures(const MatrixStore& store);

}  // namespace orbxmps
