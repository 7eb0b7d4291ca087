#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Submatrix.h"
#include "orbxmps.h"

// The submatrix's type letter for a library row: 'E', 'L', 'G', or 'N' for any other type.
char rowTypeLetter(const orbxmps::ORBRow& row);

// Adds the library row to the submatrix unless present, with its type letter and its RHS as a
// 32-bit value (a library RHS of 0 is stored as +0); returns its position.
std::uint32_t addLibraryRow(Submatrix& submatrix, const orbxmps::ORBRow& row);

// Adds the row of each name, in list order, with all its non-zero coefficients in the
// library's order; rows already present and names the library lacks are skipped. Returns
// whether the grid is to be redrawn: false when a non-empty list meets a missing library
// object or manager, which stops the adding where it is.
bool AddRows(Submatrix& submatrix, orbxmps::ORBObject* library,
             const std::vector<std::string>& names);
