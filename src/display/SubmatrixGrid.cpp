#include "SubmatrixGrid.h"

#include <algorithm>
#include <numeric>

SubmatrixGrid::SubmatrixGrid(const Submatrix& submatrix, const NumberFormatOptions& format) {
    const std::size_t columns = submatrix.columnCount();
    m_headers.reserve(columns + 2);
    m_headers.emplace_back("Row Name");
    for (std::size_t c = 0; c < columns; ++c) m_headers.push_back(submatrix.column(c).name);
    m_headers.emplace_back("RHS");

    std::vector<std::uint32_t> order(submatrix.rowCount());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&submatrix](std::uint32_t a, std::uint32_t b) {
        return submatrix.row(a).name < submatrix.row(b).name;
    });
    std::vector<std::uint32_t> lineOfRow(order.size());
    m_lines.reserve(order.size());
    for (std::uint32_t line = 0; line < order.size(); ++line) {
        lineOfRow[order[line]] = line;
        m_lines.push_back({order[line], submatrix.row(order[line]).name, {}});
    }
    // A row's first coefficient in a column is the one shown, as a search of the column's
    // list by row name would find it.
    for (std::size_t c = 0; c < columns; ++c) {
        const auto gridColumn = static_cast<std::uint32_t>(c + 1);
        for (const SubmatrixEntry& entry : submatrix.column(c).entries) {
            Cells& cells = m_lines[lineOfRow[entry.row]].cells;
            if (!cells.empty() && cells.back().first == gridColumn) continue;
            cells.emplace_back(gridColumn, formatNumber(entry.value, format));
        }
    }
    const auto rhsColumn = static_cast<std::uint32_t>(columns + 1);
    for (Line& line : m_lines)
        line.cells.emplace_back(rhsColumn, formatNumber(submatrix.row(line.row).rhs, format));
}

std::string_view SubmatrixGrid::cell(std::size_t line, std::size_t gridColumn) const {
    const Line& shown = m_lines[line];
    if (gridColumn == 0) return shown.name;
    const auto found =
        std::lower_bound(shown.cells.begin(), shown.cells.end(), gridColumn,
                         [](const auto& cell, std::size_t column) { return cell.first < column; });
    if (found == shown.cells.end() || found->first != gridColumn) return {};
    return found->second;
}

std::vector<int> gridColumnWidths(const SubmatrixGrid& grid, const TextMeasure& measureHeader,
                                  const TextMeasure& measureCell) {
    std::vector<int> widths(grid.columnCount());
    for (std::size_t c = 0; c < widths.size(); ++c) widths[c] = measureHeader(grid.header(c));
    for (std::size_t line = 0; line < grid.lineCount(); ++line) {
        widths[0] = std::max(widths[0], measureCell(grid.cell(line, 0)));
        for (const auto& [column, text] : grid.cellsOfLine(line))
            widths[column] = std::max(widths[column], measureCell(text));
    }
    return widths;
}

std::string SubmatrixCopyText(const SubmatrixGrid& grid, std::vector<std::size_t> selectedLines) {
    std::sort(selectedLines.begin(), selectedLines.end());
    selectedLines.erase(std::unique(selectedLines.begin(), selectedLines.end()),
                        selectedLines.end());
    std::string text;
    for (std::size_t c = 0; c < grid.columnCount(); ++c) {
        if (c > 0) text += '\t';
        text += grid.header(c);
    }
    for (const std::size_t line : selectedLines) {
        if (line >= grid.lineCount()) continue;
        text += '\n';
        text += grid.cell(line, 0);
        std::size_t written = 1;  // grid columns written so far
        for (const auto& [column, cell] : grid.cellsOfLine(line)) {
            text.append(column - written + 1, '\t');  // the empty cells before it, then its own
            text += cell;
            written = column + 1;
        }
        text.append(grid.columnCount() - written, '\t');
    }
    return text;
}
