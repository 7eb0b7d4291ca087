#include "ProgramVersion.h"

#include <charconv>
#include <cstring>

#ifndef NORVA_VERSION_TEXT
#define NORVA_VERSION_TEXT ""
#endif

const char* programVersionText() { return NORVA_VERSION_TEXT; }

double versionNumber(const char* versionText) {
    if (versionText == nullptr) return 0.0;
    // from_chars reads the point whatever the C locale says and stops at the second one.
    double number = 0.0;
    const char* end = versionText + std::strlen(versionText);
    const auto result = std::from_chars(versionText, end, number, std::chars_format::fixed);
    return result.ec == std::errc() ? number : 0.0;
}

double GetVersion() { return versionNumber(programVersionText()); }
