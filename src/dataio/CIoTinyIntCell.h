#pragma once

#include <cstdint>

#include "CIoNumericCell.h"

// A cell holding the 8-bit value of an SQL TINYINT column.
class CIoTinyIntCell : public CIoNumericCell<char, -6, CIoTinyIntCell> {
public:
    using CIoNumericCell::CIoNumericCell;

    char GetTinyInt() const override { return m_value; }
};
