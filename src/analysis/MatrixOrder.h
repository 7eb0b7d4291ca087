#pragma once

#include <cstdint>
#include <vector>

#include "MatrixModel.h"

// How rows and columns are laid out in the picture: as the file lists them, by name (byte
// order), or grouped by name stem (blocks in the file order of their first member, members
// in file order), which is how a model's blocks show.
enum class PictureOrder { kFile, kName, kStem };

struct MatrixOrder {
    std::vector<std::uint32_t> rows;         // place -> position in the model's row-name table
    std::vector<std::uint32_t> rowPlace;     // position in the row-name table -> place
    std::vector<std::uint32_t> columns;      // place -> index in the model's column array
    std::vector<std::uint32_t> columnPlace;  // index in the column array -> place
};

MatrixOrder makeMatrixOrder(const MatrixModel& model, PictureOrder order);
