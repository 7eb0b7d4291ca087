#include "ILoomConnection.h"

float LoomGrid::at(std::size_t k, std::size_t field) const {
    if (k >= rows.size() || field >= rows[k].size())
        throw std::out_of_range("Invalid argument: the data array has no cell (" +
                                std::to_string(k) + ", " + std::to_string(field) + ")");
    return rows[k][field];
}
