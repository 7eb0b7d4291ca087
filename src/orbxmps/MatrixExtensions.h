#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "PodVector.h"

namespace orbxmps {

// Parts of a model that the matrix itself cannot hold but that files carry for solvers:
// special ordered sets, cones and indicator constraints. Kept so that a view can list them.
struct SpecialOrderedSet {
    std::string name;
    std::uint8_t type = 1;  // 1 or 2
    bool hasPriority = false;
    double priority = 0.0;
    std::uint32_t firstMember = 0;  // into MatrixExtensions::setMember*
};

struct Cone {
    std::string name;
    std::string type;  // as the file names it: QUAD, RQUAD, PEXP, ...
    bool hasParameter = false;
    double parameter = 0.0;
    std::uint32_t firstMember = 0;  // into MatrixExtensions::coneMemberColumn
};

// Row `row` applies only while column `column` takes `value` (0 or 1).
struct Indicator {
    std::uint32_t row = 0;
    std::uint32_t column = 0;
    std::uint8_t value = 1;
};

struct MatrixExtensions {
    std::vector<SpecialOrderedSet> sets;
    PodVector<std::uint32_t> setMemberColumn;
    PodVector<double> setMemberWeight;
    std::vector<Cone> cones;
    PodVector<std::uint32_t> coneMemberColumn;
    std::vector<Indicator> indicators;

    // The members of set or cone i are [first, end) of their arrays.
    std::size_t setMemberEnd(std::size_t i) const {
        return i + 1 < sets.size() ? sets[i + 1].firstMember : setMemberColumn.size();
    }
    std::size_t coneMemberEnd(std::size_t i) const {
        return i + 1 < cones.size() ? cones[i + 1].firstMember : coneMemberColumn.size();
    }
    bool empty() const { return sets.empty() && cones.empty() && indicators.empty(); }
};

}  // namespace orbxmps
