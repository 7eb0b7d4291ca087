#pragma once

#include "Submatrix.h"
#include "orbxmps.h"

// Makes a submatrix kept across an open true to the model now in library: the rows and the
// columns that library has stay, in their order; each kept row takes the library's type and
// RHS, and each kept row's cells in the kept columns the library's non-zero coefficients. No
// column is added, and a column left without cells goes. Without a library object (the open
// failed) the submatrix is emptied.
void RefreshSubmatrix(Submatrix& submatrix, orbxmps::ORBObject* library);
