#include "MatrixStore.h"

#include <algorithm>
#include <cmath>

#include "NameOrder.h"
#include "ParallelWork.h"

namespace orbxmps {

std::uint32_t MatrixStore::columnOfElement(std::uint32_t element) const {
    // columnStart is non-decreasing; the column is the last start not above the element.
    const std::uint32_t* begin = columnStart.begin();
    const std::uint32_t* end = begin + columnCount();
    const std::uint32_t* it = std::upper_bound(begin, end, element);
    return static_cast<std::uint32_t>(it - begin - 1);
}

void MatrixStore::buildRowOrder() {
    const std::size_t rows = rowCount();
    rowStart.clear();
    rowStart.resize(rows + 1);
    for (std::uint32_t r : elementRow) ++rowStart[r + 1];
    for (std::size_t r = 0; r < rows; ++r) rowStart[r + 1] += rowStart[r];
    rowElements.clear();
    rowElements.resize(elementCount());
    PodVector<std::uint32_t> next;
    next.append(rowStart.data(), rows);
    for (std::uint32_t e = 0; e < elementCount(); ++e) rowElements[next[elementRow[e]]++] = e;
}

void MatrixStore::ensureNameOrders() {
    const bool rowsDone = rowNameOrder.size() == rowCount();
    const bool columnsDone = columnNameOrder.size() == columnCount();
    if (rowsDone && columnsDone) return;
    runAlongside(
        [this, rowsDone] {
            if (!rowsDone) rowNameOrder = sortedNameOrder(rowNames);
        },
        [this, columnsDone] {
            if (!columnsDone) columnNameOrder = sortedNameOrder(columnNames);
        });
}

namespace {

// Beyond this many, a binary search's cache misses per lookup cost more than an index.
constexpr std::uint32_t kOrderSearchesBeforeIndex = 4096;

std::int64_t findName(const NameTable& names, const PodVector<std::uint32_t>& order,
                      std::uint32_t& searches, std::string_view name) {
    if (names.indexCurrent() || order.size() != names.size() ||
        searches >= kOrderSearchesBeforeIndex)
        return names.find(name);
    ++searches;
    // string_view compares bytes as unsigned, the order's own comparison.
    const auto first = std::lower_bound(order.begin(), order.end(), name,
                                        [&names](std::uint32_t position, std::string_view wanted) {
                                            return names.name(position) < wanted;
                                        });
    if (first == order.end() || names.name(*first) != name) return NameTable::kNotFound;
    return *first;
}

}  // namespace

std::int64_t MatrixStore::findRow(std::string_view name) const {
    return findName(rowNames, rowNameOrder, rowOrderSearches, name);
}

std::int64_t MatrixStore::findColumn(std::string_view name) const {
    return findName(columnNames, columnNameOrder, columnOrderSearches, name);
}

void MatrixStore::releaseNameIndexes() const {
    rowNames.releaseIndex();
    columnNames.releaseIndex();
}

void MatrixStore::finishLoad() {
    nonlinear.buildRowIndex(rowCount());
    releaseNameIndexes();
    rowOrderSearches = 0;
    columnOrderSearches = 0;
}

void MatrixStore::allocateSolution() {
    if (hasSolution) return;
    hasSolution = true;
    columnActivity.resize(columnCount());
    reducedCost.resize(columnCount());
    columnStatus.resize(columnCount());
    rowActivity.resize(rowCount());
    dualValue.resize(rowCount());
}

namespace {

constexpr double kStatusTolerance = 1e-9;

bool near(double a, double b) {
    return std::fabs(a - b) <= kStatusTolerance * (1.0 + std::fabs(b));
}

std::uint8_t statusOf(double x, double lb, double ub) {
    if (lb == ub) return kStatusFixed;
    if (ub < kInfinity && near(x, ub)) return kStatusAtUpper;
    if (lb > -kInfinity && near(x, lb)) return kStatusAtLower;
    if (lb <= -kInfinity && ub >= kInfinity && x == 0.0) return kStatusFree;
    return kStatusBasic;
}

}  // namespace

void MatrixStore::deriveFromColumnValues() {
    if (!hasSolution || !solutionFromColumnValues) return;
    for (std::size_t r = 0; r < rowCount(); ++r) rowActivity[r] = 0.0;
    for (std::size_t c = 0; c < columnCount(); ++c) {
        const double x = columnActivity[c];
        columnStatus[c] = statusOf(x, lower[c], upper[c]);
        if (x == 0.0) continue;
        for (std::uint32_t e = columnStart[c]; e < columnStart[c + 1]; ++e)
            rowActivity[elementRow[e]] += elementValue[e] * x;
    }
    nonlinear.value.resize(nonlinear.terms.size());
    for (std::size_t t = 0; t < nonlinear.terms.size(); ++t) {
        const NonlinearTerm& term = nonlinear.terms[t];
        double v = term.coefficient * columnActivity[term.first];
        if (term.second != NonlinearTermStore::kNoVariable) v *= columnActivity[term.second];
        nonlinear.value[t] = v;
        rowActivity[term.row] += v;
    }
}

void MatrixStore::clear() { *this = MatrixStore(); }

std::size_t MatrixStore::memoryBytes() const {
    return rowNames.memoryBytes() + rowType.capacityBytes() + rhs.capacityBytes() +
           range.capacityBytes() + columnNames.memoryBytes() + lower.capacityBytes() +
           upper.capacityBytes() + columnFlags.capacityBytes() + columnStart.capacityBytes() +
           elementRow.capacityBytes() + elementValue.capacityBytes() + rowStart.capacityBytes() +
           rowElements.capacityBytes() + nonlinear.terms.capacityBytes() +
           columnActivity.capacityBytes() + reducedCost.capacityBytes() +
           columnStatus.capacityBytes() + rowActivity.capacityBytes() + dualValue.capacityBytes() +
           rowNameOrder.capacityBytes() + columnNameOrder.capacityBytes();
}

}  // namespace orbxmps
