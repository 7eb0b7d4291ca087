#pragma once

#include <cstdint>

#include "CIoNumericCell.h"

// A cell holding the 8-bit value of an SQL BIT column.
class CIoBitCell : public CIoNumericCell<char, -7, CIoBitCell> {
public:
    using CIoNumericCell::CIoNumericCell;

    char GetBit() const override { return m_value; }
};
