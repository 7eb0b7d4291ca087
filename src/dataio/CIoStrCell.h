#pragma once

#include <string>

#include "CIoCell.h"

// A cell holding text (SQL_CHAR). Its numeric answers read the leading integer of the text
// the way atoi does: "12.5" gives 12, "12abc" gives 12, "abc" gives 0.
class CIoStrCell : public CIoCell {
public:
    explicit CIoStrCell(std::string value = {}, int32_t firstPosition = -1,
                        bool firstOption = false, bool secondOption = false)
        : CIoCell(firstPosition, firstOption, secondOption), m_value(std::move(value)) {}

    int SqlType() const override { return 1; }
    std::string AsString() const override { return m_value; }
    const char* AsText() const override { return m_value.c_str(); }
    double AsDouble() const override { return AsInteger(); }
    int AsInteger() const override;
    long AsLong() const override { return AsInteger(); }
    void SetText(const char* text) override;
    std::string GetString() const override { return m_value; }

private:
    std::string m_value;
};
