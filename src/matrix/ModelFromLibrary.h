#pragma once

#include <cstddef>
#include <cstdint>

#include "MatrixModel.h"
#include "orbxmps.h"

// Copies the library object's rows, columns with their coefficients, non-zero right-hand sides
// and ranges, and column bounds into model, every value narrowed to float. The model's five
// arrays are emptied first and filled in the library's name order, so they are sorted and
// searchable when the call returns (equal names in the library's order). The coefficients are
// copied on a second thread, which has finished when the call returns or throws.
// Returns false, having built nothing, when the object lacks its row, column or element
// manager. Throws std::runtime_error when the element chains disagree with the element count
// (the model is then partly built; the caller clears it) and std::bad_alloc when memory runs out.
// From packedFrom rows (or columns) on, what the walk in name order reads of each is first
// packed in load order, which saves more than it costs once the library's arrays outgrow the
// cache; the model is the same either way.
inline constexpr std::size_t kPackedSharesFrom = std::size_t{3} << 18;
bool BuildModelFromLibrary(orbxmps::ORBObject& object, MatrixModel& model,
                           std::size_t packedFrom = kPackedSharesFrom);

// The model's type letter for a library row type code: 'E', 'L', 'G', or 'N' for any other.
char rowTypeCharacter(std::int16_t code);
