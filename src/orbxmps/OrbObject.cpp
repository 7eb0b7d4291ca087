#include <algorithm>
#include <cstdio>
#include <new>

#include "ElementScan.h"
#include "MpsReader.h"
#include "OrbFile.h"
#include "ParallelWork.h"
#include "orbxmps.h"

namespace orbxmps {

bool ORBObjectFactory(ORBObject** out) {
    *out = new (std::nothrow) ORBObject();
    return *out != nullptr;
}

bool CreateXMPSManagerObject(XMPSManager** out) {
    *out = new (std::nothrow) XMPSManager();
    return *out != nullptr;
}

void ORBObject::restoreFromFile(const std::string& path) { readOrbFile(path, m_store); }

void ORBObject::saveToFile(const std::string& path) const { writeOrbFile(path, m_store); }

void XMPSManager::loadProblem() {
    if (m_object == nullptr)
        throw CMF_Exception("LoadProblemFromXMPS",
                            "no matrix object is attached to the MPS manager");
    readMpsFile(m_path, m_format, m_object->store());
}

void ORBColumn::setSolutionValue(double value) const {
    m_store->allocateSolution();
    m_store->solutionFromColumnValues = true;
    m_store->columnActivity[m_position] = value;
}

ORBRow ORBRowManager::findRow(std::string_view name) const {
    const std::int64_t i = m_store->findRow(name);
    return i < 0 ? ORBRow() : ORBRow(m_store, static_cast<std::uint32_t>(i));
}

ORBRow ORBRowManager::firstRow() const {
    return m_store->rowCount() == 0 ? ORBRow() : ORBRow(m_store, 0);
}

ORBRow ORBRowManager::nextRow(ORBRow row) const {
    if (!row || static_cast<std::size_t>(row.index()) >= m_store->rowCount()) return {};
    return {m_store, static_cast<std::uint32_t>(row.index())};
}

ORBColumn ORBColumnManager::findColumn(std::string_view name) const {
    const std::int64_t i = m_store->findColumn(name);
    return i < 0 ? ORBColumn() : ORBColumn(m_store, static_cast<std::uint32_t>(i));
}

bool ORBColumnManager::columnByIndex(int index, ORBColumn* out) const {
    if (index < 1 || static_cast<std::size_t>(index) > m_store->columnCount()) {
        *out = ORBColumn();
        return false;
    }
    *out = ORBColumn(m_store, static_cast<std::uint32_t>(index - 1));
    return true;
}

ORBColumn ORBColumnManager::firstColumn() const {
    return m_store->columnCount() == 0 ? ORBColumn() : ORBColumn(m_store, 0);
}

ORBColumn ORBColumnManager::nextColumn(ORBColumn column) const {
    if (!column || static_cast<std::size_t>(column.index()) >= m_store->columnCount()) return {};
    return {m_store, static_cast<std::uint32_t>(column.index())};
}

ORBElement ORBElementManager::rowElementAt(std::uint32_t slot) const {
    return {m_store, m_store->rowElements[slot], ORBElement::kUnknown, slot};
}

ORBElement ORBElementManager::firstElementOfRow(int rowIndex) const {
    if (rowIndex < 1 || static_cast<std::size_t>(rowIndex) > m_store->rowCount()) return {};
    m_store->ensureRowOrder();
    const std::uint32_t slot = m_store->rowStart[rowIndex - 1];
    if (slot == m_store->rowStart[rowIndex]) return {};
    return rowElementAt(slot);
}

ORBElement ORBElementManager::nextElementOfRow(ORBElement element) const {
    if (!element) return {};
    const std::uint32_t row = m_store->elementRow[element.m_element];
    std::uint32_t slot = element.m_rowSlot;
    if (slot == ORBElement::kUnknown) {
        // Reached through its column: find it among its row's elements, which are in element
        // order because elements are stored column by column.
        m_store->ensureRowOrder();
        const std::uint32_t* begin = m_store->rowElements.begin() + m_store->rowStart[row];
        const std::uint32_t* end = m_store->rowElements.begin() + m_store->rowStart[row + 1];
        slot = static_cast<std::uint32_t>(std::lower_bound(begin, end, element.m_element) -
                                          m_store->rowElements.begin());
    }
    if (slot + 1 >= m_store->rowStart[row + 1]) return {};
    return rowElementAt(slot + 1);
}

namespace {

// From this many elements a row's scan runs in two halves side by side.
constexpr std::size_t kScanHalvesFrom = std::size_t{1} << 18;
// Matches a part finds ahead: a stretch or two of the equation pane.
constexpr std::size_t kFoundAhead = 8192;
// Elements scanned at a time for more of a part's matches.
constexpr std::uint32_t kScanStretch = std::uint32_t{1} << 16;

}  // namespace

ORBRowElements ORBElementManager::elementsOfRow(int rowIndex) const {
    ORBRowElements elements;
    if (rowIndex < 1 || static_cast<std::size_t>(rowIndex) > m_store->rowCount()) return elements;
    const auto row = static_cast<std::uint32_t>(rowIndex - 1);
    elements.m_store = m_store;
    elements.m_row = row;
    elements.m_fromOrder = m_store->hasRowOrder();
    if (elements.m_fromOrder) {
        elements.m_firstSlot = m_store->rowStart[row];
        elements.m_size = m_store->rowStart[row + 1] - elements.m_firstSlot;
        return elements;
    }
    const std::size_t count = m_store->elementCount();
    elements.m_part = 0;
    runSplitAt(splitOf(count, kScanHalvesFrom), count, [&](std::size_t from, std::size_t to) {
        ORBRowElements::ScanPart& part = elements.m_parts[from == 0 ? 0 : 1];
        part.scanBegin = part.scanFrom = static_cast<std::uint32_t>(from);
        part.scanTo = static_cast<std::uint32_t>(to);
        while (part.scanFrom < part.scanTo && part.found.size() < kFoundAhead)
            elements.findMore(part);
    });
    elements.findAhead();
    return elements;
}

std::optional<ORBRowElements> ORBElementManager::elementsOfRowAmong(
    int rowIndex, const std::uint32_t* elementRows, std::span<const ElementSpan> spans,
    std::size_t expected) const {
    if (rowIndex < 1 || static_cast<std::size_t>(rowIndex) > m_store->rowCount() ||
        elementRows != m_store->elementRow.data())
        return std::nullopt;
    if (m_store->hasRowOrder()) return elementsOfRow(rowIndex);
    const auto row = static_cast<std::uint32_t>(rowIndex - 1);
    const std::size_t count = m_store->elementCount();
    std::vector<std::uint32_t> found;
    found.reserve(std::min(expected, count));
    for (const ElementSpan& span : spans) {
        if (span.first > count || span.count > count - span.first) return std::nullopt;
        for (std::uint32_t e = span.first; e < span.first + span.count; ++e)
            if (elementRows[e] == row) found.push_back(e);
    }
    // A column named twice is searched twice; the row's elements then come in element order.
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    if (found.size() != expected) return std::nullopt;
    ORBRowElements elements;
    elements.m_store = m_store;
    elements.m_row = row;
    elements.m_part = 0;
    elements.m_parts[0].found = std::move(found);
    elements.findAhead();
    return elements;
}

std::size_t ORBRowElements::expectedRemaining() const {
    if (m_fromOrder) return m_size - m_visited;
    std::size_t expected = 0;
    for (std::size_t p = m_part; p < kParts; ++p) {
        const ScanPart& part = m_parts[p];
        const std::size_t found = part.foundBefore + part.found.size();
        const std::size_t scanned = part.scanFrom - part.scanBegin;
        const double density = scanned > 0 ? static_cast<double>(found) / scanned : 0.0;
        expected += part.found.size() - part.nextFound +
                    static_cast<std::size_t>(density * (part.scanTo - part.scanFrom));
    }
    return expected;
}

void ORBRowElements::findAhead() {
    while (m_part < kParts) {
        ScanPart& part = m_parts[m_part];
        if (part.nextFound < part.found.size()) return;
        if (part.scanFrom == part.scanTo) {
            ++m_part;
            continue;
        }
        part.foundBefore += part.found.size();
        part.found.clear();
        part.nextFound = 0;
        findMore(part);
    }
}

void ORBRowElements::findMore(ScanPart& part) {
    const std::uint32_t to =
        part.scanTo - part.scanFrom > kScanStretch ? part.scanFrom + kScanStretch : part.scanTo;
    forEachMatch(m_store->elementRow.data(), part.scanFrom, to, m_row,
                 [&part](std::uint32_t element) { part.found.push_back(element); });
    part.scanFrom = to;
}

void ORBRowElements::visitNext(std::size_t count,
                               const std::function<void(const ORBElement&)>& visit) {
    for (std::size_t n = 0; n < count && !done(); ++n, ++m_visited) {
        std::uint32_t slot = ORBElement::kUnknown;
        std::uint32_t element;
        if (m_fromOrder) {
            slot = m_firstSlot + static_cast<std::uint32_t>(m_visited);
            element = m_store->rowElements[slot];
        } else {
            ScanPart& part = m_parts[m_part];
            element = part.found[part.nextFound++];
            findAhead();
        }
        m_column =
            columnHolding(m_store->columnStart.data(), m_store->columnCount(), m_column, element);
        visit(ORBElement(m_store, element, static_cast<std::uint32_t>(m_column), slot));
    }
}

std::string_view ORBNLVariable::name() const {
    const NonlinearTerm& term = m_store->nonlinear.terms[m_term];
    return m_store->columnNames.name(m_which == 0 ? term.first : term.second);
}

double ORBNLTerm::value() const {
    const auto& values = m_store->nonlinear.value;
    return m_term < values.size() ? values[m_term] : 0.0;
}

ORBNLVariable ORBNLTerm::nextVariable(ORBNLVariable variable) const {
    if (!variable || variable.m_which != 0) return {};
    if (m_store->nonlinear.terms[m_term].second == NonlinearTermStore::kNoVariable) return {};
    return {m_store, m_term, 1};
}

int ORBNLTerm::render(const char* numberFormat, char* buffer, std::size_t bufferSize) const {
    if (bufferSize == 0) return 0;
    int length = std::snprintf(buffer, bufferSize, numberFormat, coefficient());
    if (length < 0) length = 0;
    for (ORBNLVariable v = firstVariable(); v; v = nextVariable(v)) {
        const std::size_t used = static_cast<std::size_t>(length);
        if (used + 1 >= bufferSize) break;
        const std::string_view name = v.name();
        const int added = std::snprintf(buffer + used, bufferSize - used, "*%.*s",
                                        static_cast<int>(name.size()), name.data());
        if (added < 0) break;
        length += added;
    }
    if (static_cast<std::size_t>(length) >= bufferSize) length = static_cast<int>(bufferSize - 1);
    return length;
}

ORBNLTerm ORBNonlinearTerms::firstTermOfRow(int rowIndex) const {
    const NonlinearTermStore& nl = m_store->nonlinear;
    if (rowIndex < 1 || static_cast<std::size_t>(rowIndex) > m_store->rowCount()) return {};
    if (nl.rowStart.empty()) return {};
    const std::uint32_t slot = nl.rowStart[rowIndex - 1];
    if (slot == nl.rowStart[rowIndex]) return {};
    return {m_store, nl.byRow[slot], slot};
}

ORBNLTerm ORBNonlinearTerms::nextTermOfRow(ORBNLTerm term) const {
    if (!term) return {};
    const NonlinearTermStore& nl = m_store->nonlinear;
    const std::uint32_t row = nl.terms[term.m_term].row;
    const std::uint32_t slot = term.m_slot + 1;
    if (slot >= nl.rowStart[row + 1]) return {};
    return {m_store, nl.byRow[slot], slot};
}

void ORBNonlinearTerms::update() {
    if (m_store->nonlinear.rowStart.empty() && !m_store->nonlinear.terms.empty())
        m_store->nonlinear.buildRowIndex(m_store->rowCount());
    m_store->deriveFromColumnValues();
}

}  // namespace orbxmps
