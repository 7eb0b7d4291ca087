#pragma once

#include <string_view>

// One matrix row: name and type 'N', 'E', 'L' or 'G'. The name is owned by the model's name pool.
class CRow {
public:
    CRow(const char* name, char type) : m_name(name), m_type(type) {}
    std::string_view name() const { return m_name; }
    const char* cName() const { return m_name; }
    char type() const { return m_type; }
    // A case learns its row types only after the rows exist.
    void setType(char type) { m_type = type; }

private:
    const char* m_name;
    char m_type;
};
