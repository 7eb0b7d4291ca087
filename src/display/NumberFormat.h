#pragma once

#include <string>

// The document's number settings for display ("Decimals", "AlwaysUseScientific").
struct NumberFormatOptions {
    int decimals = 5;
    bool alwaysScientific = false;
};

// value as "%.Nf" with N = decimals, or as "%.Ne" when that is longer than 12 characters or
// scientific form is forced. The decimal point is "." whatever the process locale. decimals
// outside 0 to 12 is clamped into that range. Zero is written without a sign, -0 included.
std::string formatNumber(double value, int decimals, bool alwaysScientific);
inline std::string formatNumber(double value, const NumberFormatOptions& options) {
    return formatNumber(value, options.decimals, options.alwaysScientific);
}

// value as "%f" writes it (six decimals), with "." as the decimal point.
std::string formatPlainFixed(double value);
