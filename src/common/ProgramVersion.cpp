#include "ProgramVersion.h"

#include <cstdlib>

#ifndef NORVA_VERSION_TEXT
#define NORVA_VERSION_TEXT ""
#endif

const char* programVersionText() { return NORVA_VERSION_TEXT; }

double versionNumber(const char* versionText) {
    if (versionText == nullptr) return 0.0;
    return std::strtod(versionText, nullptr);
}

double GetVersion() { return versionNumber(programVersionText()); }
