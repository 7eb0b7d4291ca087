#pragma once

#include "MatrixModel.h"

// Empties the five arrays, the coefficient block, the row-name table and the names, giving
// their memory back. The arrays keep their comparators.
void ClearMatrixModel(MatrixModel& model);

// Sorts the five arrays with their comparators once loading is done: rows, columns, right-hand
// sides and ranges by name, bounds by kind and then name. Coefficients inside a column keep
// the library's order.
void SortMatrixModel(MatrixModel& model);
