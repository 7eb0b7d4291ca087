#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "MatrixModel.h"

// The detail view's name list: all row names or all column names of the model, in array order
// (sorted by name). A view over the model's arrays, never a copy of the names.
class NameList {
public:
    NameList(const MatrixModel& model, bool rows) : m_model(&model), m_rows(rows) {}

    bool holdsRows() const { return m_rows; }
    std::size_t size() const { return m_rows ? m_model->rows.size() : m_model->columns.size(); }
    // The name at index; index below size().
    std::string_view name(std::size_t index) const {
        return m_rows ? m_model->rows[index].name() : m_model->columns[index].name();
    }
    // The index of the name, compared exactly; nullopt when the list lacks it.
    std::optional<std::size_t> indexOf(std::string_view name) const {
        const std::string key(name);
        if (m_rows) {
            const CRow* row = m_model->rows.find(CRow(key.c_str(), 'N'));
            if (row == nullptr) return std::nullopt;
            return static_cast<std::size_t>(row - &m_model->rows[0]);
        }
        const CCol* column = m_model->columns.find(CCol(key.c_str()));
        if (column == nullptr) return std::nullopt;
        return static_cast<std::size_t>(column - &m_model->columns[0]);
    }

private:
    const MatrixModel* m_model;
    bool m_rows;
};
