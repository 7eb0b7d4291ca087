#pragma once

#include <string_view>
#include <vector>

#include "MagnitudeSpan.h"
#include "MatrixModel.h"

inline constexpr int kScalingPasses = 4;

// Where a model is badly scaled: the magnitudes of each row, each column and each block of
// rows sharing a name stem, each list ranked by ratio, largest first, ties by name (byte
// order); rows and columns without coefficients are left out. Names point into the model,
// which must outlive the report. Every row counts, free rows included, as the matrix is read.
struct ScalingReport {
    MagnitudeSpan matrix;
    double ratioAfterScaling = 0.0;  // after kScalingPasses passes of geometric-mean scaling
    std::vector<MagnitudeSpan> rows;
    std::vector<MagnitudeSpan> columns;
    std::vector<MagnitudeSpan> stems;
    // The first row (file order) of each entry of stems, in the same order.
    std::vector<std::string_view> stemFirstRows;
};

ScalingReport computeScalingReport(const MatrixModel& model);

// How far a ratio is beyond what solvers handle without care.
struct ScalingThresholds {
    double attention = 1e6;
    double bad = 1e9;
};

enum class ScalingLevel { kFine, kAttention, kBad };

ScalingLevel scalingLevel(double ratio, const ScalingThresholds& thresholds);
const char* scalingLevelText(ScalingLevel level);  // "", "attention", "bad"
