#pragma once

#include <cstddef>
#include <string>

#include "MagnitudeHistogram.h"
#include "ScalingReport.h"

// The scaling report as one JSON document: {"matrix": {"min", "max", "ratio",
// "ratio_after_scaling"}, "rows": [...], "columns": [...], "stems": [...]}, each list entry
// {"name", "count", "min", "max", "ratio"}, each list cut to its first top entries. The
// figures of a matrix without coefficients are null.
std::string scalingReportJson(const ScalingReport& report, std::size_t top);

// The same as text: the matrix line, then per list a header and aligned columns, with the
// level ("attention", "bad") each ratio reaches.
std::string scalingReportText(const ScalingReport& report, std::size_t top,
                              const ScalingThresholds& thresholds);

// Every entry of the three lists as comma-separated values with a header line, for export.
std::string scalingReportCsv(const ScalingReport& report, const ScalingThresholds& thresholds);

// {"coefficients": [{"decade", "count"}...], "rhs": [...], "bounds": [...]}.
std::string histogramJson(const MagnitudeHistogram& histogram);

// Per part a header with its total, then one line per decade: the band and the count.
std::string histogramText(const MagnitudeHistogram& histogram);

// The shortest text that reads back as the same number ("0.1" for 0.1f).
std::string shortestNumber(float value);
std::string shortestNumber(double value);
