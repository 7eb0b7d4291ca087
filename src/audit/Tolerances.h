#pragma once

#include <algorithm>
#include <cmath>

// Two values agree when they differ by at most absolute + relative * scale. Model values are
// 32-bit floats, so the relative default sits well above float rounding (6e-8).
struct Tolerances {
    double absolute = 1e-9;
    double relative = 1e-6;

    double allowance(double scale) const { return absolute + relative * std::fabs(scale); }

    // Infinite limits agree only with the same infinity.
    bool agree(double a, double b) const {
        if (std::isinf(a) || std::isinf(b)) return a == b;
        return std::fabs(a - b) <= allowance(std::max(std::fabs(a), std::fabs(b)));
    }
};
