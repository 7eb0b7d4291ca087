#pragma once

#include <cstdint>

#include "CIoNumericCell.h"

// A cell holding the 32-bit float value (SQL REAL).
class CIoFloatCell : public CIoNumericCell<float, 7, CIoFloatCell> {
public:
    using CIoNumericCell::CIoNumericCell;

    float GetFloat() const override { return m_value; }
};
