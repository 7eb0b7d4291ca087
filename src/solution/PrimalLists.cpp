#include "PrimalLists.h"

#include <array>
#include <string>
#include <utility>

namespace {

int normalise(int comparison) { return comparison < 0 ? -1 : (comparison > 0 ? 1 : 0); }

}  // namespace

void PrimalLists::ClearPrimalRows() { rows.removeAll(); }

void PrimalLists::ClearPrimalColumns() { columns.removeAll(); }

void PrimalLists::AddPrimalRow(CPrimalRow record) { rows.add(std::move(record)); }

void PrimalLists::AddPrimalColumn(CPrimalCol record) { columns.add(std::move(record)); }

void PrimalLists::SortPrimalLists() {
    rows.sort(ComparePrimalRows);
    columns.sort(ComparePrimalCols);
}

const CPrimalRow* PrimalLists::FindPrimalRow(std::string_view name) const {
    if (rows.empty()) return nullptr;
    CPrimalRow probe;
    probe.Name = name;
    return rows.find(probe);
}

const CPrimalCol* PrimalLists::FindPrimalColumn(std::string_view name) const {
    if (columns.empty()) return nullptr;
    CPrimalCol probe;
    probe.Name = name;
    return columns.find(probe);
}

// std::string compares bytes as unsigned char, the order strcmp gives.
int ComparePrimalRows(const CPrimalRow& a, const CPrimalRow& b) {
    return normalise(a.Name.compare(b.Name));
}

int ComparePrimalCols(const CPrimalCol& a, const CPrimalCol& b) {
    return normalise(a.Name.compare(b.Name));
}

int StatusCodeOfText(std::string_view text) {
    static constexpr std::array<std::pair<std::string_view, int>, 7> kCodes = {{
        {"FR", 2},
        {"BS", 3},
        {"EQ", 4},
        {"UL", 5},
        {"LL", 6},
        {"**", 7},
        {"++", 8},
    }};
    for (const auto& [statusText, code] : kCodes)
        if (text == statusText) return code;
    return 1;
}
