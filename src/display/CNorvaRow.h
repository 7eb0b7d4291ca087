#pragma once

#include <array>
#include <cstdint>
#include <string>

// One line of the detail view's entry list. In row display it names a column of the shown
// row, in column display a row of the shown column.
struct CNorvaRow {
    static constexpr double kUnknown = 1e30;

    std::string name;
    double coefficient = kUnknown;
    double counterpartValue = kUnknown;  // column activity or row Pi
    double calculatedValue = kUnknown;   // coefficient x counterpart
    std::int32_t termNumber = 0;         // row display: last nonlinear term holding the column
    std::string linearityMark;           // column display: "L", or "N" for a nonlinear row

    bool counterpartKnown() const { return counterpartValue != kUnknown; }
};

// An entry with the texts of the list's five columns, as they are shown.
struct DetailEntry {
    CNorvaRow row;
    std::array<std::string, 5> cells;
};
