#pragma once

#include <cstdint>
#include <string>

// A reference to a key column of a request: its name and its index among the table's columns
// (-1 when the name was not found or the key list had an empty piece there).
class CIoKeyCell {
public:
    CIoKeyCell() = default;
    CIoKeyCell(std::string name, int32_t index) : m_name(std::move(name)), m_index(index) {}

    const std::string& Name() const { return m_name; }
    int32_t Index() const { return m_index; }
    void SetName(const char* name) { m_name = name; }
    void SetIndex(int32_t index) { m_index = index; }

private:
    std::string m_name;
    int32_t m_index = -1;
};
