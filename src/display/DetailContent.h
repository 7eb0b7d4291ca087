#pragma once

#include <array>
#include <string>
#include <vector>

#include "CNorvaRow.h"

// What the detail view shows besides its name list: the entry list's headers and entries,
// the value lines and the warning line. The builders change it in place because some cases
// leave lines as they were.
struct DetailContent {
    std::array<std::string, 5> headers;
    std::vector<DetailEntry> entries;
    std::string L1, L2, L3;
    std::string R1, R2, R3, R4;
    std::string warning;
};

// The entry list's five column titles for row display or column display.
std::array<std::string, 5> detailHeaders(bool rowDisplay);
