#include "DetailViewLogic.h"

#include <algorithm>
#include <utility>

#include "ColumnDisplay.h"
#include "Comparators.h"
#include "DetailListing.h"
#include "RowDisplay.h"

std::optional<std::string> DetailViewLogic::OnInitialUpdate() {
    m_rowDisplay = m_doc.automation().RowDisplay;
    m_rememberedName.clear();
    m_content.warning.clear();
    // A large model's row index is made aside while the first row is shown by a walk; only
    // models read into the matrix library show rows from the index.
    if (m_doc.matrixObject() != nullptr) m_rowIndex.startBuilding(m_doc);
    // Records attached while columns are shown are mapped now, as part of the open, rather
    // than by the first click that shows a row: at millions of columns the map takes several
    // clicks' time.
    if (m_doc.matrixObject() != nullptr && !m_doc.primal().columns.empty())
        m_rowIndex.primalColumnsFor(m_doc);
    fillNameList();
    Rebuild(std::string());
    std::optional<std::string> pending = takePendingSearch();
    if (pending) m_doc.settings().WholeWordSearch = 1;
    return pending;
}

std::optional<std::string> DetailViewLogic::OnUpdate(int hint) {
    if (hint == 0) return std::nullopt;
    if ((hint == 1 && !m_rowDisplay) || (hint == 2 && m_rowDisplay)) Toggle();
    return takePendingSearch();
}

void DetailViewLogic::selectName(std::optional<std::size_t> index) {
    m_rowIndex.quietBuilding(m_doc);
    m_selectedName = index;
    Rebuild(std::string());
}

void DetailViewLogic::Rebuild(const std::string& preferredName) {
    buildContent();
    m_selectedEntries.clear();
    if (m_content.entryCount() == 0) {
        m_rememberedName.clear();
        return;
    }
    if (!preferredName.empty()) m_rememberedName = preferredName;
    const std::size_t selected = m_content.findEntry(m_rememberedName).value_or(0);
    m_selectedEntries.push_back(selected);
    m_rememberedName = m_content.entryName(selected);
}

void DetailViewLogic::Toggle() {
    const std::string shownName = selectedNameText();
    m_rowDisplay = !m_rowDisplay;
    m_doc.automation().RowDisplay = m_rowDisplay;
    m_rememberedName = m_selectedEntries.empty()
                           ? std::string()
                           : std::string(m_content.entryName(m_selectedEntries.front()));
    fillNameList();
    Rebuild(shownName);
}

void DetailViewLogic::sortBy(int column) {
    m_doc.setSortKey(column);
    Rebuild(std::string());
}

void DetailViewLogic::setSelectedEntries(std::vector<std::size_t> entries) {
    std::erase_if(entries, [this](std::size_t i) { return i >= m_content.entryCount(); });
    std::sort(entries.begin(), entries.end());
    entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
    if (m_rowDisplay && entries.size() > 1) entries.erase(entries.begin() + 1, entries.end());
    m_selectedEntries = std::move(entries);
    // The user's choice is what the next rebuild (another name, another order) selects again.
    if (!m_selectedEntries.empty())
        m_rememberedName = m_content.entryName(m_selectedEntries.front());
}

void DetailViewLogic::FillSelectedNames() {
    std::vector<std::string>& names = m_doc.selectedNames();
    names.clear();
    if (m_rowDisplay) {
        // Decision: with nothing selected the list stays empty rather than holding "".
        if (m_selectedName) names.push_back(selectedNameText());
        return;
    }
    for (const std::size_t entry : m_selectedEntries)
        names.emplace_back(m_content.entryName(entry));
}

std::optional<EquationMaker> DetailViewLogic::equationMaker() {
    if (m_selectedEntries.empty() || !m_selectedName) return std::nullopt;
    const std::string entryName(m_content.entryName(m_selectedEntries.front()));
    const std::string listName = selectedNameText();
    const std::string& rowName = m_rowDisplay ? listName : entryName;
    const std::string& highlightName = m_rowDisplay ? entryName : listName;
    const std::optional<EquationMaker::RowElementsHint> hint = rowElementsHint(rowName);
    return EquationMaker::start(m_doc.matrixObject(), m_doc.nonlinearTerms(), rowName,
                                highlightName, hint ? &*hint : nullptr);
}

std::optional<EquationMaker::RowElementsHint> DetailViewLogic::rowElementsHint(
    const std::string& rowName) {
    // Up to a few stretches of terms, the columns' elements are read in far less time than
    // every element's row; a dense row is scanned a stretch at a time as it is shown.
    constexpr std::size_t kHintedUpTo = 4 * EquationMaker::kTermsPerStretch;
    const MatrixModel& model = m_doc.model();
    if (!contentCurrent()) return std::nullopt;
    // Row display shows the row: its content lists the columns, even before the index is made.
    std::span<const RowCoefficient> coefficients = m_content.rowEntries.coefficients();
    if (!m_rowDisplay) {
        const RowIndex* index = m_rowIndex.finishedIndexFor(m_doc);
        if (index == nullptr || model.rows.comparator() != &CompareRows) return std::nullopt;
        const auto [first, end] = rowsNamed(model, rowName.c_str());
        if (end - first != 1) return std::nullopt;
        coefficients = index->coefficientsOfRow(first);
    }
    if (coefficients.empty() || coefficients.size() > kHintedUpTo) return std::nullopt;
    EquationMaker::RowElementsHint hint{model.entries.arrays()->rows, {}, coefficients.size()};
    hint.spans.reserve(coefficients.size());
    for (const RowCoefficient& coefficient : coefficients) {
        if (coefficient.column >= model.columns.size()) return std::nullopt;
        const CCol& column = model.columns[coefficient.column];
        hint.spans.push_back(
            {column.firstEntry(), static_cast<std::uint32_t>(column.coefficientCount())});
    }
    return hint;
}

std::string DetailViewLogic::selectedNameText() const {
    const NameList names = nameList();
    if (!m_selectedName || *m_selectedName >= names.size()) return {};
    return std::string(names.name(*m_selectedName));
}

std::string DetailViewLogic::listing(const std::string& documentPath) const {
    return DetailListingText(documentPath, m_rowDisplay, selectedNameText(), m_content);
}

void DetailViewLogic::fillNameList() {
    m_content.headers = detailHeaders(m_rowDisplay);
    const NameList names = nameList();
    if (m_rememberedName.empty())
        m_selectedName = names.size() > 0 ? std::optional<std::size_t>(0) : std::nullopt;
    else
        m_selectedName = names.indexOf(m_rememberedName);
    if (!m_rowDisplay) m_content.warning.clear();
}

void DetailViewLogic::buildContent() {
    const bool needsIndex = m_rowDisplay && m_selectedName && m_doc.matrixObject() != nullptr;
    // Until an index under way is done, a row is found by one walk over the non-zeros, a
    // fraction of what the index takes to make, or, if among the densest, in its list.
    const RowIndexCache::RowSource source =
        needsIndex ? m_rowIndex.rowSourceFor(m_doc, *m_selectedName) : RowIndexCache::RowSource();
    const RowIndex* index = source.index;
    // The content views a listed row's coefficients, so the lists stay while it is shown.
    m_denseRowsShown = source.denseRows;
    if (index != nullptr) keepDenseRowReserve(m_rowIndex.takeDenseRowReserve());
    DetailSources sources = detailSourcesOf(m_doc, index, numberFormat());
    sources.denseRows = m_denseRowsShown.get();
    sources.rowTags = source.tags.get();
    if (needsIndex) {
        sources.primalColumns = &m_rowIndex.primalColumnsFor(m_doc);
        // A row listed ahead has millions of names to measure.
        const bool dense = m_denseRowsShown && m_denseRowsShown->picked(*m_selectedName);
        sources.nameLengths =
            dense ? &m_rowIndex.nameLengthsFor(m_doc) : m_rowIndex.readyNameLengthsFor(m_doc);
    }
    m_contentGeneration = m_doc.modelGeneration();
    if (m_rowDisplay) {
        BuildRowDisplay(sources, m_selectedName, m_content);
        return;
    }
    BuildColumnDisplay(sources, m_selectedName, m_content);
    if (m_selectedName) m_doc.setCurrentColumn(static_cast<long>(*m_selectedName));
}

void DetailViewLogic::keepDenseRowReserve(DenseRowReserve reserve) {
    if (reserve.empty()) return;
    SortWords& keys = m_content.sortScratch.packed;
    if (reserve.keys.size() > keys.size()) keys = std::move(reserve.keys);
    m_content.rowEntries.keepReserve(reserve);
}

NumberFormatOptions DetailViewLogic::numberFormat() const {
    const DocumentSettings& settings = m_doc.settings();
    return {settings.Decimals, settings.AlwaysUseScientific != 0};
}

std::optional<std::string> DetailViewLogic::takePendingSearch() {
    std::string& pending = m_doc.automation().InitialSearchItem;
    if (pending.empty()) return std::nullopt;
    std::string item = std::move(pending);
    pending.clear();
    return item;
}
