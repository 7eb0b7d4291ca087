#pragma once

#include <cstdint>

#include "CIoNumericCell.h"

// A cell holding the 32-bit signed value (SQL INTEGER).
class CIoLongCell : public CIoNumericCell<int32_t, 4, CIoLongCell> {
public:
    using CIoNumericCell::CIoNumericCell;

    int32_t GetLong() const override { return m_value; }
};
