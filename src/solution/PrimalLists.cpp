#include "PrimalLists.h"

#include <array>
#include <atomic>
#include <string>
#include <utility>

namespace {

int normalise(int comparison) { return comparison < 0 ? -1 : (comparison > 0 ? 1 : 0); }

// Versions are drawn from one counter for all lists, so a list made later at the address of
// a destroyed one never repeats a version that described other records.
std::uint64_t nextColumnsVersion() {
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

}  // namespace

void PrimalLists::ClearPrimalRows() { rows.removeAll(); }

void PrimalLists::ClearPrimalColumns() {
    columns.removeAll();
    m_columnsVersion = nextColumnsVersion();
}

void PrimalLists::AddPrimalRow(CPrimalRow record) { rows.add(std::move(record)); }

void PrimalLists::AddPrimalColumn(CPrimalCol record) {
    columns.add(std::move(record));
    m_columnsVersion = nextColumnsVersion();
}

void PrimalLists::SortPrimalLists() {
    rows.sort(ComparePrimalRows);
    columns.sort(ComparePrimalCols);
    m_columnsVersion = nextColumnsVersion();
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
