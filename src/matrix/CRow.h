#pragma once

#include <cstdint>
#include <string_view>

// One matrix row: name and type 'N', 'E', 'L' or 'G'. The name is owned by the model's name pool.
class CRow {
public:
    // Rows that no loader placed in the row-name table, such as search keys, have no load index.
    static constexpr std::uint32_t kNoLoadIndex = 0xFFFFFFFFu;

    CRow(const char* name, char type, std::uint32_t loadIndex = kNoLoadIndex)
        : m_name(name), m_loadIndex(loadIndex), m_type(type) {}
    std::string_view name() const { return m_name; }
    const char* cName() const { return m_name; }
    char type() const { return m_type; }
    // The row's entry in the model's row-name table, which the coefficients name rows by.
    std::uint32_t loadIndex() const { return m_loadIndex; }
    // A case learns its row types only after the rows exist.
    void setType(char type) { m_type = type; }

private:
    const char* m_name;
    std::uint32_t m_loadIndex;  // in what was padding: the record stays 16 bytes
    char m_type;
};
