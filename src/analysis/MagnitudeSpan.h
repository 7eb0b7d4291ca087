#pragma once

#include <cmath>
#include <cstddef>
#include <string_view>

// The smallest and largest |a| of a set of coefficients (a row, a column, a block of rows or
// the whole matrix), and how many there are. Zeros are no coefficients and are not added.
struct MagnitudeSpan {
    std::string_view name;  // points into the model's names; empty for the whole matrix
    std::size_t count = 0;
    float min = 0.0f;
    float max = 0.0f;

    void add(float value) {
        const float magnitude = std::fabs(value);
        if (magnitude == 0.0f) return;
        if (count == 0 || magnitude < min) min = magnitude;
        if (count == 0 || magnitude > max) max = magnitude;
        ++count;
    }
    void merge(const MagnitudeSpan& other) {
        if (other.count == 0) return;
        if (count == 0 || other.min < min) min = other.min;
        if (count == 0 || other.max > max) max = other.max;
        count += other.count;
    }
    // max / min; 0 for an empty span.
    double ratio() const {
        return count == 0 ? 0.0 : static_cast<double>(max) / static_cast<double>(min);
    }
};
