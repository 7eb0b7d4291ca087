#pragma once

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <type_traits>

#include "CIoCell.h"

// An integral result of a double, truncated toward zero and held inside Target's range (NaN
// gives 0), so that no conversion is undefined whatever a driver or caller hands over.
template <typename Target>
Target truncateToIntegral(double value) {
    if (std::isnan(value)) return 0;
    const double truncated = std::trunc(value);
    if (truncated <= static_cast<double>(std::numeric_limits<Target>::min()))
        return std::numeric_limits<Target>::min();
    if (truncated >= static_cast<double>(std::numeric_limits<Target>::max()))
        return std::numeric_limits<Target>::max();
    return static_cast<Target>(truncated);
}

// The shared part of the numeric cells. Tag is the concrete class, so that each class has a
// formatting buffer of its own. Numbers are formatted with std::to_chars, which ignores the
// process locale: a table read under a German locale still gives "12.500000".
template <typename Value, int kSqlType, typename Tag>
class CIoNumericCell : public CIoCell {
public:
    explicit CIoNumericCell(Value value = Value{}, int32_t firstPosition = -1,
                            bool firstOption = false, bool secondOption = false)
        : CIoCell(firstPosition, firstOption, secondOption), m_value(value) {}

    int SqlType() const override { return kSqlType; }
    std::string AsString() const override { return AsText(); }
    const char* AsText() const override {
        if (IsNull()) return "";
        std::to_chars_result result;
        if constexpr (std::is_integral_v<Value>) {
            result = std::to_chars(s_buffer, s_buffer + kBufferSize - 1,
                                   static_cast<long long>(m_value));
        } else {
            // "%f" and "%lf": fixed notation, six decimals.
            result = std::to_chars(s_buffer, s_buffer + kBufferSize - 1,
                                   static_cast<double>(m_value), std::chars_format::fixed, 6);
        }
        *result.ptr = '\0';
        return s_buffer;
    }
    double AsDouble() const override { return static_cast<double>(m_value); }
    int AsInteger() const override { return convertToIntegral<int>(); }
    long AsLong() const override { return convertToIntegral<long>(); }
    void SetNumber(double value) override {
        if constexpr (std::is_integral_v<Value>) {
            m_value = truncateToIntegral<Value>(value);
        } else {
            m_value = static_cast<Value>(value);
        }
        SetNull(false);
    }

    Value value() const { return m_value; }

protected:
    Value m_value;

private:
    template <typename Target>
    Target convertToIntegral() const {
        if constexpr (std::is_integral_v<Value>) {
            return static_cast<Target>(m_value);
        } else {
            return truncateToIntegral<Target>(static_cast<double>(m_value));
        }
    }

    // Room for the longest fixed-notation double (309 integer digits, sign, point, 6 decimals).
    static constexpr int kBufferSize = 352;
    inline static char s_buffer[kBufferSize];
};
