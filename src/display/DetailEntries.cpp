#include "DetailEntries.h"

#include <array>

#include "DetailContent.h"

std::array<std::string, 5> detailHeaders(bool rowDisplay) {
    if (rowDisplay)
        return {"Column Names", "Coefficients", "Activity", "Calculated Values", "NonLinearity"};
    return {"Row Names", "Coefficients", "Pi Values", "Calculated Values", "N/L"};
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
    if (column == 0) return std::string(entryName(entry));
    return entryCell(this->entry(entry), column, rowDisplay, format);
}

std::optional<std::size_t> DetailContent::findEntry(std::string_view name) const {
    if (entries.empty()) return rowEntries.find(name);
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].name == name) return i;
    return std::nullopt;
}

std::string_view DetailContent::longestEntryName() const {
    if (entries.empty()) return rowEntries.longestName();
    std::string_view longest;
    for (const CNorvaRow& entry : entries)
        if (entry.name.size() > longest.size()) longest = entry.name;
    return longest;
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
