#pragma once

#include "MatrixModel.h"

// The ratio max |a| / min |a| over the whole matrix after passes of geometric-mean scaling as
// solvers apply it: each pass divides every row by sqrt(max * min) of its magnitudes, then
// every column likewise. 0 for a matrix without coefficients.
double ratioAfterGeometricScaling(const MatrixModel& model, int passes);
