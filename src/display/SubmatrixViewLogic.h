#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "CNorvaDoc.h"
#include "DetailViewLogic.h"
#include "Submatrix.h"
#include "SubmatrixGrid.h"

// Which of the submatrix view's buttons are enabled.
struct SubmatrixButtons {
    bool addColumnRows;   // ">>"
    bool addSelected;     // ">"
    bool removeSelected;  // "<"
    bool clearAll;        // "<<"
};

// The submatrix view without its widgets: the submatrix, the grid it shows, and what its
// buttons, the filter and Copy do. The desktop view shows grid() after each call that
// returns true (the grid was redrawn) and passes its line selection in as line indexes.
class SubmatrixViewLogic {
public:
    explicit SubmatrixViewLogic(CNorvaDoc& doc) : m_doc(doc) {}

    // ">>": the rows holding a coefficient in the detail view's current column, in the
    // column's stored order. False (nothing happens) before any column was shown.
    bool addCurrentColumnRows();
    // ">": the detail view fills the document's selected-names list, whose rows are added.
    bool addSelectedRows(DetailViewLogic& detail);
    // "<": rebuilds the submatrix from the grid lines not selected, in grid order, each with
    // all its columns. False (nothing happens) with no line selected.
    bool removeSelectedLines(const std::vector<std::size_t>& selectedLines);
    // "<<": empties the document's selected-names list and the submatrix, and redraws.
    void clearAll();
    // Adds the named rows and redraws; an empty list only redraws (with the current number
    // settings). False when a missing library object stopped it: the grid stays as it was.
    bool AddRows(const std::vector<std::string>& names);
    // After an open, successful or not: the kept submatrix shows the model now loaded (see
    // RefreshSubmatrix), and is redrawn.
    void followDocument();
    // The coefficient filter with the document's settings, then a redraw. False without a
    // library object: the submatrix and grid stay as they were.
    bool Filter();
    // The filter's path for the coefficients with low <= |a| < high (a bar of the magnitude
    // histogram), each with only its own column; the same rules and result as Filter().
    bool FilterMagnitudeBand(float low, float high);

    SubmatrixButtons buttons(bool rowDisplay, bool gridHasSelection) const {
        return {!rowDisplay, true, gridHasSelection, true};
    }
    // The clipboard text of the selected grid lines.
    std::string copyText(const std::vector<std::size_t>& selectedLines) const {
        return SubmatrixCopyText(m_grid, selectedLines);
    }

    const Submatrix& submatrix() const { return m_submatrix; }
    const SubmatrixGrid& grid() const { return m_grid; }

private:
    void redraw();

    CNorvaDoc& m_doc;
    Submatrix m_submatrix;
    SubmatrixGrid m_grid;
};
