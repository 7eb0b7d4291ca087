#pragma once

#include <cstdint>
#include <string_view>

enum BoundKind : std::int32_t {
    kBoundLower = 1,
    kBoundUpper = 2,
    kBoundFixed = 3,
    kBoundFree = 4,
};

// One bound of one column; a column may own several (a fixed column has kinds 1, 2 and 3).
class CBound {
public:
    CBound(const char* name, float value, std::int32_t kind)
        : m_name(name), m_value(value), m_kind(kind) {}
    // A blank record, for arrays that are sized first and written in place.
    CBound() = default;
    std::string_view name() const { return m_name; }
    const char* cName() const { return m_name; }
    float value() const { return m_value; }
    std::int32_t kind() const { return m_kind; }

private:
    const char* m_name = nullptr;
    float m_value = 0.0f;
    std::int32_t m_kind = 0;
};
