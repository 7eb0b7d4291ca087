#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "CIoCell.h"

inline constexpr int32_t kRowMadeWhileReading = -2;

// One row of a read: the value cells are the requested columns in request order, the key
// cells the key columns in key order. The row owns its cells.
class CIoRow {
public:
    explicit CIoRow(int32_t rowNumber = kRowMadeWhileReading) : m_rowNumber(rowNumber) {}

    std::vector<std::unique_ptr<CIoCell>>& KeyCells() { return m_keyCells; }
    std::vector<std::unique_ptr<CIoCell>>& ValueCells() { return m_valueCells; }
    const std::vector<std::unique_ptr<CIoCell>>& KeyCells() const { return m_keyCells; }
    const std::vector<std::unique_ptr<CIoCell>>& ValueCells() const { return m_valueCells; }
    int32_t RowNumber() const { return m_rowNumber; }

private:
    std::vector<std::unique_ptr<CIoCell>> m_keyCells;
    std::vector<std::unique_ptr<CIoCell>> m_valueCells;
    int32_t m_rowNumber;
};

using IoRowList = std::vector<std::unique_ptr<CIoRow>>;
