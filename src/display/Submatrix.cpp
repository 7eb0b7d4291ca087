#include "Submatrix.h"

#include <algorithm>

void Submatrix::clear() {
    m_rowByName.clear();
    m_rows.clear();
    m_columnByName.clear();
    m_columns.clear();
    m_columnOrder.clear();
    m_columnsSorted = true;
}

std::optional<std::uint32_t> Submatrix::findRow(std::string_view name) const {
    const auto found = m_rowByName.find(name);
    if (found == m_rowByName.end()) return std::nullopt;
    return found->second;
}

std::uint32_t Submatrix::addRow(std::string_view name, char type, float rhs) {
    if (const std::optional<std::uint32_t> present = findRow(name)) return *present;
    const auto position = static_cast<std::uint32_t>(m_rows.size());
    m_rows.push_back({std::string(name), type, rhs});
    m_rowByName.emplace(m_rows.back().name, position);
    return position;
}

void Submatrix::addCoefficient(std::string_view column, std::uint32_t row, float value) {
    const auto found = m_columnByName.find(column);
    if (found != m_columnByName.end()) {
        m_columns[found->second].entries.push_back({row, value});
        return;
    }
    const auto position = static_cast<std::uint32_t>(m_columns.size());
    m_columns.push_back({std::string(column), {{row, value}}});
    m_columnByName.emplace(m_columns.back().name, position);
    // Columns met in name order (a filter over sorted rows often meets them so) keep the
    // order without a sort.
    if (m_columnsSorted && !m_columnOrder.empty() &&
        m_columns[m_columnOrder.back()].name >= m_columns.back().name)
        m_columnsSorted = false;
    m_columnOrder.push_back(position);
}

const SubmatrixColumn& Submatrix::column(std::size_t index) const {
    if (!m_columnsSorted) sortColumns();
    return m_columns[m_columnOrder[index]];
}

void Submatrix::sortColumns() const {
    std::sort(m_columnOrder.begin(), m_columnOrder.end(), [this](std::uint32_t a, std::uint32_t b) {
        return m_columns[a].name < m_columns[b].name;
    });
    m_columnsSorted = true;
}
