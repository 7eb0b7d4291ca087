#include "SettingNumber.h"

#include <cstdio>
#include <cstdlib>

std::string formatSettingNumber(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

double parseSettingNumber(const std::string& text) { return std::strtod(text.c_str(), nullptr); }
