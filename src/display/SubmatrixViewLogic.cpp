#include "SubmatrixViewLogic.h"

#include <algorithm>

#include "CoefficientFilter.h"
#include "SubmatrixRefresh.h"
#include "SubmatrixRows.h"

bool SubmatrixViewLogic::addCurrentColumnRows() {
    const long current = m_doc.currentColumn();
    const MatrixModel& model = m_doc.model();
    if (current < 0 || static_cast<std::size_t>(current) >= model.columns.size()) return false;
    const CCol& column = model.columns[static_cast<std::size_t>(current)];
    std::vector<std::string> names;
    names.reserve(column.coefficientCount());
    for (std::size_t i = 0; i < column.coefficientCount(); ++i)
        names.emplace_back(model.entries.coefficient(column, i).name());
    return AddRows(names);
}

bool SubmatrixViewLogic::addSelectedRows(DetailViewLogic& detail) {
    detail.FillSelectedNames();
    return AddRows(m_doc.selectedNames());
}

bool SubmatrixViewLogic::removeSelectedLines(const std::vector<std::size_t>& selectedLines) {
    std::vector<bool> selected(m_grid.lineCount(), false);
    for (const std::size_t line : selectedLines)
        if (line < selected.size()) selected[line] = true;
    if (std::find(selected.begin(), selected.end(), true) == selected.end()) return false;
    std::vector<std::string> kept;
    for (std::size_t line = 0; line < m_grid.lineCount(); ++line)
        if (!selected[line]) kept.emplace_back(m_grid.cell(line, 0));
    m_submatrix.clear();
    return AddRows(kept);
}

void SubmatrixViewLogic::clearAll() {
    m_doc.selectedNames().clear();
    m_submatrix.clear();
    AddRows({});
}

bool SubmatrixViewLogic::AddRows(const std::vector<std::string>& names) {
    if (!::AddRows(m_submatrix, m_doc.matrixObject(), names)) return false;
    redraw();
    return true;
}

void SubmatrixViewLogic::followDocument() {
    RefreshSubmatrix(m_submatrix, m_doc.matrixObject());
    redraw();
}

bool SubmatrixViewLogic::FilterMagnitudeBand(float low, float high) {
    FilterSettings settings = filterSettingsOf(m_doc.settings());
    settings.showAllColumns = false;
    settings.magnitudeBand = std::pair{low, high};
    if (!::Filter(m_submatrix, m_doc.matrixObject(), m_doc.model(), settings)) return false;
    redraw();
    return true;
}

bool SubmatrixViewLogic::Filter() {
    const FilterSettings settings = filterSettingsOf(m_doc.settings());
    if (!::Filter(m_submatrix, m_doc.matrixObject(), m_doc.model(), settings)) return false;
    redraw();
    return true;
}

void SubmatrixViewLogic::redraw() {
    const DocumentSettings& settings = m_doc.settings();
    m_grid = SubmatrixGrid(m_submatrix, {settings.Decimals, settings.AlwaysUseScientific != 0});
}
