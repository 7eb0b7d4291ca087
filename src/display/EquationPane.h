#pragma once

#include <cstddef>
#include <cstdint>
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

// Makes the same equation a stretch of linear terms at a time, so that the pane can show the
// start of a row of millions of terms at once and the rest without holding up the view. Holds
// the library's handles: valid while the matrix object lives and is not reloaded.
class EquationMaker {
public:
    // A stretch for the pane: a millisecond or two of terms, far more than the pane shows.
    static constexpr std::size_t kTermsPerStretch = 4096;
    // The stretch that comes with the click: more than a large pane shows, and a fraction of
    // a millisecond to make and lay out.
    static constexpr std::size_t kTermsAtFirst = 512;

    // Where a caller that knows the row's columns says its elements lie, so that they are
    // found without a scan of every element's row; see ORBElementManager::elementsOfRowAmong.
    struct RowElementsHint {
        const std::uint32_t* elementRows = nullptr;
        std::vector<orbxmps::ORBElementManager::ElementSpan> spans;
        std::size_t expected = 0;
    };

    // nullopt as for buildEquation. A hint that does not hold is passed over.
    static std::optional<EquationMaker> start(orbxmps::ORBObject* library,
                                              orbxmps::ORBNonlinearTerms* nonlinear,
                                              std::string_view rowName,
                                              std::string_view highlightName,
                                              const RowElementsHint* hint = nullptr);

    // Appends the next linear terms, at most terms of them, to piece, whose marks are
    // positions in piece.text; the nonlinear terms and the relation come with the last
    // stretch. True when the equation is whole.
    bool makeNext(std::size_t terms, EquationText& piece);
    // All that is left, in one piece.
    EquationText makeRest();
    // The length of what is left, as an upper estimate for a block to hold it.
    std::size_t expectedLength() const;

private:
    EquationMaker(orbxmps::ORBNonlinearTerms& nonlinear, orbxmps::ORBRow row,
                  orbxmps::ORBRowElements elements, std::string_view highlightName);

    orbxmps::ORBNonlinearTerms* m_nonlinear;
    orbxmps::ORBRow m_row;
    orbxmps::ORBRowElements m_elements;
    std::string m_highlightName;
    bool m_firstTerm = true;  // the equation's first term has no " +"
    bool m_whole = false;
};
