#include "DetailEntries.h"

#include <array>

#include "DetailContent.h"

std::array<std::string, 5> detailHeaders(bool rowDisplay) {
    if (rowDisplay)
        return {"Column Names", "Coefficients", "Activity", "Calculated Values", "NonLinearity"};
    return {"Row Names", "Coefficients", "Pi Values", "Calculated Values", "N/L"};
}

const double* entryCellValue(const CNorvaRow& row, int column, bool rowDisplay) {
    const bool linear = !rowDisplay || row.termNumber == 0;
    switch (column) {
        case 1:
            return linear ? &row.coefficient : nullptr;
        case 2:
            return row.counterpartKnown() ? &row.counterpartValue : nullptr;
        case 3:
            return linear && row.counterpartKnown() ? &row.calculatedValue : nullptr;
        default:
            return nullptr;
    }
}

std::string entryCell(const CNorvaRow& row, int column, bool rowDisplay,
                      const NumberFormatOptions& format) {
    if (column == 0) return std::string(row.name);
    if (column == 4) {
        if (!rowDisplay)
            return row.linearityMark == '\0' ? std::string() : std::string(1, row.linearityMark);
        return row.termNumber > 0 ? std::to_string(row.termNumber) : std::string();
    }
    const double* value = entryCellValue(row, column, rowDisplay);
    return value != nullptr ? formatNumber(*value, format) : std::string();
}

std::string DetailContent::cellText(std::size_t entry, int column) const {
    return entryCell(entries[entry], column, rowDisplay, format);
}

std::string_view statusText(int code) {
    switch (code) {
        case 2:
            return "Free Row";
        case 3:
            return "Basic";
        case 4:
            return "Equality";
        case 5:
            return "At Upper Limit";
        case 6:
            return "At Lower Limit";
        case 7:
            return "Infeasible";
        case 8:
            return "Unbounded";
        default:
            return {};
    }
}
