#pragma once

#include <sstream>
#include <string>

#include "PrimalLists.h"

namespace testsupport {

// The solution lists, a line per record in list order, floats to the digits that tell them
// apart, to compare with an expected listing.
inline std::string primalListing(const PrimalLists& lists) {
    std::ostringstream out;
    out.precision(9);
    for (const CPrimalCol& c : lists.columns)
        out << "column " << c.Name << ' ' << c.Activity << ' ' << c.MarginalValue << ' ' << c.Cost
            << " status " << c.Status << '\n';
    for (const CPrimalRow& r : lists.rows)
        out << "row " << r.Name << ' ' << r.Activity << ' ' << r.MarginalValue << " status "
            << r.Status << '\n';
    return out.str();
}

}  // namespace testsupport
