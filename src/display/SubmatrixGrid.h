#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "NumberFormat.h"
#include "Submatrix.h"

// What the submatrix grid shows: grid column 0 "Row Name", one grid column per submatrix
// column in name order, then "RHS"; one line per row, the lines in ascending order of their
// text (the row name, byte order), as the sorted grid control places them. Cells hold the
// formatted coefficient, or nothing where the row has none in that column; each line's RHS
// cell holds its formatted RHS. Only the non-empty cells are stored, so a grid of thousands
// of rows and columns costs what its coefficients cost.
class SubmatrixGrid {
public:
    SubmatrixGrid() : m_headers{"Row Name", "RHS"} {}
    SubmatrixGrid(const Submatrix& submatrix, const NumberFormatOptions& format);

    std::size_t columnCount() const { return m_headers.size(); }
    std::size_t lineCount() const { return m_lines.size(); }
    const std::string& header(std::size_t gridColumn) const { return m_headers[gridColumn]; }
    // Column 0 is left-aligned (and centred in the header), all others right-aligned.
    static bool rightAligned(std::size_t gridColumn) { return gridColumn > 0; }
    // The text of a cell; empty where the row has no coefficient.
    std::string_view cell(std::size_t line, std::size_t gridColumn) const;
    // The submatrix row position shown on line.
    std::uint32_t rowOfLine(std::size_t line) const { return m_lines[line].row; }
    using Cells = std::vector<std::pair<std::uint32_t, std::string>>;
    // The line's non-empty cells after column 0 as (grid column, text), by grid column; the
    // RHS cell is the last.
    const Cells& cellsOfLine(std::size_t line) const { return m_lines[line].cells; }

private:
    struct Line {
        std::uint32_t row;
        std::string name;
        Cells cells;
    };

    std::vector<std::string> m_headers;
    std::vector<Line> m_lines;
};

// Width of a text in the grid's font, padding included; header texts and cell texts are
// measured apart because the header draws its own margins.
using TextMeasure = std::function<int(std::string_view)>;

// Each grid column's width: the wider of its header and its widest cell. No column takes up
// the room that remains to the right of the last one.
std::vector<int> gridColumnWidths(const SubmatrixGrid& grid, const TextMeasure& measureHeader,
                                  const TextMeasure& measureCell);

// The clipboard text of the selected lines (indexes into the grid, any order): the headers
// joined by tabs, then for each selected line in grid order a "\n" and its cells joined by
// tabs. No trailing line feed.
std::string SubmatrixCopyText(const SubmatrixGrid& grid, std::vector<std::size_t> selectedLines);
