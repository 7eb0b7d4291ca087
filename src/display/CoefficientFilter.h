#pragma once

#include <optional>
#include <utility>

#include "DocumentSettings.h"
#include "MatrixModel.h"
#include "Submatrix.h"
#include "orbxmps.h"

// The filter's settings: which test ("ToleranceSel": 0 large coefficient, 1 small
// coefficient, 2 large ratio, anything else selects no row), the three thresholds, and
// whether selected rows are shown with all their columns.
struct FilterSettings {
    int toleranceSel = 0;
    double largeCoef = 1.0e7;
    double smallCoef = 1.0e-7;
    double largeRatio = 1.0e8;
    bool showAllColumns = false;
    // Set only by the program, never from the settings: the coefficients with
    // low <= |a| < high, compared as the model stores them (32-bit), take the place of the test.
    std::optional<std::pair<float, float>> magnitudeBand;
};

FilterSettings filterSettingsOf(const DocumentSettings& settings);

// Replaces the submatrix with the rows of the model's row array whose coefficients, as the
// library holds them (doubles), fail the chosen test: with only the offending coefficients, or
// with all their columns. Rows with nonlinear terms are skipped. Both threshold comparisons
// include equality. Returns whether the grid is to be redrawn; without a library object the
// submatrix is left as it was and the answer is false.
bool Filter(Submatrix& submatrix, orbxmps::ORBObject* library, const MatrixModel& model,
            const FilterSettings& settings);
