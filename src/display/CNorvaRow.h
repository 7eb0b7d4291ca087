#pragma once

#include <cstdint>
#include <string_view>

// One line of the detail view's entry list. In row display it names a column of the shown
// row, in column display a row of the shown column. The name views the model's name storage,
// so an entry costs no allocation; it is valid only while that model stays loaded.
struct CNorvaRow {
    static constexpr double kUnknown = 1e30;

    std::string_view name;
    double coefficient = kUnknown;
    double counterpartValue = kUnknown;  // column activity or row Pi
    double calculatedValue = kUnknown;   // coefficient x counterpart
    std::int32_t termNumber = 0;         // row display: last nonlinear term holding the column
    char linearityMark = '\0';           // column display: 'L', or 'N' for a nonlinear row

    bool counterpartKnown() const { return counterpartValue != kUnknown; }
};
