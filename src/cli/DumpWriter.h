#pragma once

#include "MatrixModel.h"
#include "OutputBuffer.h"
#include "PrimalLists.h"

// Writes the model's seven arrays as canonical text, each in its stored order: a count line
// ("rows N", "columns N", "rhs N", "ranges N", "bounds N", "primal_rows N", "primal_columns N")
// followed by one line per record (a column's coefficients follow it, each line led by a
// blank). Values are the stored floats as "%.9g"; fields are separated by single blanks.
void writeDump(const MatrixModel& model, const PrimalLists& primal, OutputBuffer& out);
