#include "RowIndex.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace {

// For each position of the row array, the first position bearing the same name.
std::vector<std::uint32_t> firstRowsOfNames(const MatrixModel& model) {
    const std::size_t count = model.rows.size();
    std::vector<std::uint32_t> firstOfName(count);
    for (std::size_t i = 0; i < count; ++i) {
        const bool sameAsPrevious =
            i > 0 && std::strcmp(model.rows[i].cName(), model.rows[i - 1].cName()) == 0;
        firstOfName[i] = sameAsPrevious ? firstOfName[i - 1] : static_cast<std::uint32_t>(i);
    }
    return firstOfName;
}

// For each entry of the model's row-name table (load order), the row-array position of the
// first row bearing its name. The model's rows and its table share their name pointers, so
// pointers are matched rather than names compared.
std::vector<std::uint32_t> rowPositionsByLoadOrder(const MatrixModel& model,
                                                   const std::vector<std::uint32_t>& firstOfName) {
    const std::size_t count = model.rows.size();
    using Address = std::pair<std::uintptr_t, std::uint32_t>;
    std::vector<Address> byPointer(count);
    for (std::size_t i = 0; i < count; ++i)
        byPointer[i] = {reinterpret_cast<std::uintptr_t>(model.rows[i].cName()), firstOfName[i]};
    std::sort(byPointer.begin(), byPointer.end());

    const std::size_t tableSize = model.rowNameTable.size();
    std::vector<std::uint32_t> positions(tableSize);
    for (std::size_t r = 0; r < tableSize; ++r) {
        const char* name = model.rowNameTable[r];
        const auto address = reinterpret_cast<std::uintptr_t>(name);
        const auto it = std::lower_bound(byPointer.begin(), byPointer.end(), Address(address, 0));
        if (it != byPointer.end() && it->first == address) {
            positions[r] = it->second;
            continue;
        }
        // A loader that stored the name twice: find it by text instead.
        const CRow* row = model.rows.find(CRow(name, 'N'));
        if (row == nullptr)
            throw std::logic_error("a coefficient names a row that is not in the row array");
        positions[r] = firstOfName[static_cast<std::size_t>(row - &model.rows[0])];
    }
    return positions;
}

}  // namespace

RowIndex::RowIndex(const MatrixModel& model) : m_start(model.rows.size() + 1, 0) {
    const std::vector<std::uint32_t> firstOfName = firstRowsOfNames(model);
    for (std::uint32_t r = 0; r < firstOfName.size(); ++r)
        if (firstOfName[r] != r) m_sameNameAs.emplace_back(r, firstOfName[r]);
    const std::vector<std::uint32_t> position = rowPositionsByLoadOrder(model, firstOfName);
    // Counting sort by row: count, turn counts into starts, then place in walk order.
    for (const CCol& column : model.columns)
        for (const ColumnEntry& entry : column.entries()) ++m_start[position[entry.row] + 1];
    for (std::size_t r = 1; r < m_start.size(); ++r) m_start[r] += m_start[r - 1];
    m_coefficients.resize(m_start.back());
    std::vector<std::uint32_t> next(m_start.begin(), m_start.end() - 1);
    for (std::uint32_t c = 0; c < model.columns.size(); ++c) {
        for (const ColumnEntry& entry : model.columns[c].entries())
            m_coefficients[next[position[entry.row]]++] = {c, entry.value};
    }
}

std::span<const RowCoefficient> RowIndex::coefficientsOfRow(std::size_t row) const {
    if (row + 1 >= m_start.size()) return {};
    if (!m_sameNameAs.empty()) {
        const auto same = std::lower_bound(m_sameNameAs.begin(), m_sameNameAs.end(),
                                           std::pair<std::uint32_t, std::uint32_t>(row, 0));
        if (same != m_sameNameAs.end() && same->first == row) row = same->second;
    }
    return {m_coefficients.data() + m_start[row], m_coefficients.data() + m_start[row + 1]};
}

std::size_t RowIndex::memoryBytes() const {
    return m_start.capacity() * sizeof(std::uint32_t) +
           m_coefficients.capacity() * sizeof(RowCoefficient) +
           m_sameNameAs.capacity() * sizeof(m_sameNameAs[0]);
}

std::vector<RowCoefficient> walkRowCoefficients(const MatrixModel& model, const char* rowName) {
    std::vector<RowCoefficient> found;
    for (std::uint32_t c = 0; c < model.columns.size(); ++c) {
        const CCol& column = model.columns[c];
        for (std::size_t i = 0; i < column.coefficientCount(); ++i) {
            const CRowValue coefficient = column.coefficient(i);
            if (std::strcmp(coefficient.cName(), rowName) == 0)
                found.push_back({c, coefficient.value()});
        }
    }
    return found;
}
