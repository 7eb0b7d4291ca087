#pragma once

#include <cstdint>

#include "CIoNumericCell.h"

// A cell holding the 64-bit float value (SQL DOUBLE, also numeric, decimal and currency values).
class CIoDoubleCell : public CIoNumericCell<double, 8, CIoDoubleCell> {
public:
    using CIoNumericCell::CIoNumericCell;

    double GetDouble() const override { return m_value; }
};
