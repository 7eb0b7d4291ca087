#pragma once

#include <string>

#include "MatrixModel.h"

// The status bar's idle text: "R rows, C columns, N non-zeros", then ", solution: NAME" when
// a solution is attached. Empty for an empty model (no file open).
std::string modelSummaryText(const MatrixModel& model, const std::string& solutionName);
