#pragma once

#include <string_view>

// A value attached to a row name: a coefficient, right-hand side or range, as a 32-bit float.
class CRowValue {
public:
    CRowValue(const char* name, float value) : m_name(name), m_value(value) {}
    std::string_view name() const { return m_name; }
    const char* cName() const { return m_name; }
    float value() const { return m_value; }

private:
    const char* m_name;
    float m_value;
};
