#pragma once

#include <string>

// A value in the shortest form that reads back as the same 32-bit float, since model and
// solution values are stored as floats (299.8, not 299.799988); whatever the process locale
// (the desktop program runs under the user's). Infinities as "inf" and "-inf".
std::string numberText(double value);
