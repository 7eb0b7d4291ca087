#include "DetailEntries.h"

#include <array>
#include <utility>

#include "DetailContent.h"
#include "EntrySort.h"

std::array<std::string, 5> detailHeaders(bool rowDisplay) {
    if (rowDisplay)
        return {"Column Names", "Coefficients", "Activity", "Calculated Values", "NonLinearity"};
    return {"Row Names", "Coefficients", "Pi Values", "Calculated Values", "N/L"};
}

std::array<std::string, 5> entryCells(const CNorvaRow& row, bool rowDisplay,
                                      const NumberFormatOptions& format) {
    std::array<std::string, 5> cells;
    cells[0] = row.name;
    const bool linear = !rowDisplay || row.termNumber == 0;
    if (linear) cells[1] = formatNumber(row.coefficient, format);
    if (row.counterpartKnown()) {
        cells[2] = formatNumber(row.counterpartValue, format);
        if (linear) cells[3] = formatNumber(row.calculatedValue, format);
    }
    if (!rowDisplay)
        cells[4] = row.linearityMark;
    else if (row.termNumber > 0)
        cells[4] = std::to_string(row.termNumber);
    return cells;
}

std::vector<DetailEntry> makeDetailEntries(std::vector<CNorvaRow> rows, int sortKey,
                                           bool rowDisplay, const NumberFormatOptions& format) {
    sortEntries(rows, sortKey, rowDisplay);
    std::vector<DetailEntry> entries;
    entries.reserve(rows.size());
    for (CNorvaRow& row : rows) {
        std::array<std::string, 5> cells = entryCells(row, rowDisplay, format);
        entries.push_back({std::move(row), std::move(cells)});
    }
    return entries;
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
