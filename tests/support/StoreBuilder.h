#pragma once

// Builds a MatrixStore by hand for tests: rows first (a name may repeat, as in a file; elements
// then name the first), then columns with their elements (given by row name, in the order the
// column lists them), then nonlinear terms; finish() closes the column starts and builds the row
// order, as a reader leaves the store.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "MatrixStore.h"

namespace orbxmps::testsupport {

class StoreBuilder {
public:
    using Element = std::pair<std::string_view, double>;

    explicit StoreBuilder(MatrixStore& store) : m_store(store) {
        m_store.clear();
        m_store.columnStart.push_back(0);
    }

    StoreBuilder& name(std::string problemName, bool maximise = false) {
        m_store.problemName = std::move(problemName);
        m_store.maximise = maximise;
        return *this;
    }

    StoreBuilder& row(std::string_view rowName, std::int16_t type, double rhs = 0.0,
                      double range = 0.0) {
        const auto [first, added] = m_store.rowNames.insert(rowName);
        const std::uint32_t index =
            added ? first : m_store.rowNames.addRepeated(rowName, NameTable::hash(rowName));
        if (type == kRowFree && m_store.objectiveRow < 0) m_store.objectiveRow = index;
        m_store.rowType.push_back(type);
        m_store.rhs.push_back(rhs);
        m_store.range.push_back(range);
        return *this;
    }

    StoreBuilder& column(std::string_view columnName, const std::vector<Element>& elements,
                         double lower = 0.0, double upper = kInfinity, std::uint8_t flags = 0) {
        if (!m_store.columnNames.insert(columnName).second)
            throw std::invalid_argument("StoreBuilder: column " + std::string(columnName) +
                                        " twice");
        m_store.lower.push_back(lower);
        m_store.upper.push_back(upper);
        m_store.columnFlags.push_back(flags);
        for (const Element& element : elements) {
            m_store.elementRow.push_back(rowIndex(element.first));
            m_store.elementValue.push_back(element.second);
        }
        m_store.columnStart.push_back(static_cast<std::uint32_t>(m_store.elementCount()));
        return *this;
    }

    // second may be empty for a linear term.
    StoreBuilder& term(std::string_view rowName, std::string_view first, std::string_view second,
                       double coefficient) {
        m_store.nonlinear.add(
            rowIndex(rowName), columnIndex(first),
            second.empty() ? NonlinearTermStore::kNoVariable : columnIndex(second), coefficient);
        return *this;
    }

    MatrixStore& finish() {
        m_store.finishLoad();
        return m_store;
    }

private:
    std::uint32_t rowIndex(std::string_view rowName) const {
        const std::int64_t index = m_store.rowNames.find(rowName);
        if (index < 0) throw std::invalid_argument("StoreBuilder: no row " + std::string(rowName));
        return static_cast<std::uint32_t>(index);
    }

    std::uint32_t columnIndex(std::string_view columnName) const {
        const std::int64_t index = m_store.columnNames.find(columnName);
        if (index < 0)
            throw std::invalid_argument("StoreBuilder: no column " + std::string(columnName));
        return static_cast<std::uint32_t>(index);
    }

    MatrixStore& m_store;
};

}  // namespace orbxmps::testsupport
