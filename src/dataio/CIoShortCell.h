#pragma once

#include <cstdint>

#include "CIoNumericCell.h"

// A cell holding the 16-bit signed value (SQL SMALLINT, also booleans and short integers from
// drivers).
class CIoShortCell : public CIoNumericCell<int16_t, 5, CIoShortCell> {
public:
    using CIoNumericCell::CIoNumericCell;

    int16_t GetShort() const override { return m_value; }
};
