#pragma once

#include <cstdint>
#include <string>

// Solution record of one column.
struct CPrimalCol {
    std::string Name;
    float Activity = 0.0f;
    float MarginalValue = 0.0f;
    float Cost = 0.0f;
    std::int32_t Status = 0;
};
