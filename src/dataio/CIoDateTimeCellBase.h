#pragma once

#include <string>

#include "CIoCell.h"

// The shared part of the date, time and time-stamp cells. Tag is the concrete class: it gives
// the text form through a static formatFields and owns, through this template, a formatting
// buffer of its own. A null cell holds a pair whose status is not valid.
template <int kSqlType, typename Tag>
class CIoDateTimeCellBase : public CIoCell {
public:
    explicit CIoDateTimeCellBase(IoDateTime value = {}, int32_t firstPosition = -1,
                                 bool firstOption = false, bool secondOption = false)
        : CIoCell(firstPosition, firstOption, secondOption), m_value(value) {}

    int SqlType() const override { return kSqlType; }
    std::string AsString() const override { return AsText(); }
    const char* AsText() const override {
        if (IsNull()) return "";
        Tag::formatFields(splitIoDateTime(m_value), s_buffer, sizeof s_buffer);
        return s_buffer;
    }
    void SetDateTime(const IoDateTime& value) override {
        m_value = value;
        SetNull(false);
    }
    void GetDateTime(IoDateTime& out) const override { out = m_value; }
    IoDateTime GetDateTimeValue() const override { return m_value; }

private:
    IoDateTime m_value;
    inline static char s_buffer[64];
};
