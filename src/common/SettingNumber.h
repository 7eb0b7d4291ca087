#pragma once

#include <string>

// Floating-point settings are stored as text in the user's own number form: both directions
// run under the process's current C locale, so a comma-decimal user sees and stores "0,25".

// value in "%.15g" form.
std::string formatSettingNumber(double value);

// The number at the start of text, as strtod reads it; 0 when nothing there parses.
double parseSettingNumber(const std::string& text);
