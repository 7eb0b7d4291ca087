#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "orbxmps.h"

// A range [begin, end) of the equation text that is shown highlighted.
struct MarkedRange {
    std::size_t begin;
    std::size_t end;

    bool operator==(const MarkedRange&) const = default;
};

struct EquationText {
    std::string text;
    std::vector<MarkedRange> marked;
};

// The algebraic form of the row rowName from the matrix library: its non-zero linear terms in
// the library's order (" +" between them, "%f" values), its nonlinear terms as the library
// renders them, and " = ", " <= " or " >= " with the right-hand side (none for a free row).
// Every piece that names highlightName is marked. nullopt when there is no library object,
// no nonlinear-term interface, or the library has no such row: the pane then keeps its text.
std::optional<EquationText> buildEquation(orbxmps::ORBObject* library,
                                          orbxmps::ORBNonlinearTerms* nonlinear,
                                          std::string_view rowName, std::string_view highlightName);
