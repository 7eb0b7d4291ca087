#pragma once

// The matrix library's public interface: a matrix object read from an MPS or ORB file, its
// row, column and element managers, the nonlinear-term interface, and the MPS manager.
// Handles (rows, columns, elements, terms) are small values that test false at the end of a
// chain or when a lookup finds nothing; they stay valid while the matrix object lives and
// is not reloaded. Row and column indexes are 1-based.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "MatrixStore.h"
#include "OrbExceptions.h"

namespace orbxmps {

class ORBRow {
public:
    ORBRow() = default;
    ORBRow(const MatrixStore* store, std::uint32_t position)
        : m_store(store), m_position(position) {}
    explicit operator bool() const { return m_store != nullptr; }

    int index() const { return static_cast<int>(m_position) + 1; }
    std::string_view name() const { return m_store->rowNames.name(m_position); }
    const char* cName() const { return m_store->rowNames.cName(m_position); }
    double rangeValue() const { return m_store->range[m_position]; }
    std::int16_t typeCode() const { return m_store->rowType[m_position]; }
    double rhs() const { return m_store->rhs[m_position]; }
    double activity() const {
        return m_store->hasSolution ? m_store->rowActivity[m_position] : 0.0;
    }
    double dualValue() const { return m_store->hasSolution ? m_store->dualValue[m_position] : 0.0; }
    int nonlinearTermCount() const {
        return static_cast<int>(m_store->nonlinear.countOfRow(m_position));
    }

private:
    const MatrixStore* m_store = nullptr;
    std::uint32_t m_position = 0;
};

class ORBColumn {
public:
    ORBColumn() = default;
    ORBColumn(MatrixStore* store, std::uint32_t position) : m_store(store), m_position(position) {}
    explicit operator bool() const { return m_store != nullptr; }

    int index() const { return static_cast<int>(m_position) + 1; }
    std::string_view name() const { return m_store->columnNames.name(m_position); }
    const char* cName() const { return m_store->columnNames.cName(m_position); }
    double upperBound() const { return m_store->upper[m_position]; }
    double lowerBound() const { return m_store->lower[m_position]; }
    bool isInteger() const { return (m_store->columnFlags[m_position] & kColumnInteger) != 0; }
    // Sets the column's value in the held solution; row activities and statuses follow at
    // the next update of the nonlinear-term interface.
    void setSolutionValue(double value) const;
    double activity() const {
        return m_store->hasSolution ? m_store->columnActivity[m_position] : 0.0;
    }
    double reducedCost() const {
        return m_store->hasSolution ? m_store->reducedCost[m_position] : 0.0;
    }
    // 1 free, 2 basic, 3 fixed, 4 at upper bound, 5 at lower bound; 0 without a solution.
    int statusCode() const { return m_store->hasSolution ? m_store->columnStatus[m_position] : 0; }

private:
    MatrixStore* m_store = nullptr;
    std::uint32_t m_position = 0;
};

class ORBElement {
public:
    ORBElement() = default;
    ORBElement(MatrixStore* store, std::uint32_t element, std::uint32_t column,
               std::uint32_t rowSlot)
        : m_store(store), m_element(element), m_column(column), m_rowSlot(rowSlot) {}
    explicit operator bool() const { return m_store != nullptr; }

    int columnIndex() const { return static_cast<int>(column0()) + 1; }
    ORBRow row() const { return {m_store, m_store->elementRow[m_element]}; }
    ORBColumn column() const { return {m_store, column0()}; }
    double value() const { return m_store->elementValue[m_element]; }

private:
    friend class ORBElementManager;
    friend class ORBRowElements;
    static constexpr std::uint32_t kUnknown = 0xFFFFFFFFu;
    std::uint32_t column0() const {
        return m_column != kUnknown ? m_column : m_store->columnOfElement(m_element);
    }

    MatrixStore* m_store = nullptr;
    std::uint32_t m_element = 0;
    std::uint32_t m_column = kUnknown;   // known when walking a column chain
    std::uint32_t m_rowSlot = kUnknown;  // position in the row order when walking a row chain
};

class ORBRowManager {
public:
    explicit ORBRowManager(MatrixStore* store) : m_store(store) {}
    ORBRow findRow(std::string_view name) const;
    ORBRow firstRow() const;
    ORBRow nextRow(ORBRow row) const;
    // The row at a 0-based position below rowCount().
    ORBRow rowAt(std::uint32_t position) const { return {m_store, position}; }
    std::size_t rowCount() const { return m_store->rowCount(); }
    // Keeps the names that rows' cName() return alive beyond this object.
    std::shared_ptr<const void> nameOwner() const { return m_store->rowNames.characterOwner(); }
    // The 0-based positions of the rows in byte-wise name order (equal names by position).
    const PodVector<std::uint32_t>& nameOrder() const {
        m_store->ensureNameOrders();
        return m_store->rowNameOrder;
    }

private:
    MatrixStore* m_store;
};

class ORBColumnManager {
public:
    explicit ORBColumnManager(MatrixStore* store) : m_store(store) {}
    ORBColumn findColumn(std::string_view name) const;
    // Fills out with the column of the 1-based index; false when there is none.
    bool columnByIndex(int index, ORBColumn* out) const;
    ORBColumn firstColumn() const;
    ORBColumn nextColumn(ORBColumn column) const;
    // The column at a 0-based position below columnCount().
    ORBColumn columnAt(std::uint32_t position) const { return {m_store, position}; }
    std::size_t columnCount() const { return m_store->columnCount(); }
    // Keeps the names that columns' cName() return alive beyond this object.
    std::shared_ptr<const void> nameOwner() const { return m_store->columnNames.characterOwner(); }
    // The 0-based positions of the columns in byte-wise name order (equal names by position).
    const PodVector<std::uint32_t>& nameOrder() const {
        m_store->ensureNameOrders();
        return m_store->columnNameOrder;
    }

private:
    MatrixStore* m_store;
};

// A row's elements in the order of firstElementOfRow() and nextElementOfRow(), listed once so
// that they can be visited a stretch at a time: a row of millions of elements need not be
// visited in one go. Valid while the matrix object lives and is not reloaded.
class ORBRowElements {
public:
    ORBRowElements() = default;
    bool done() const { return m_fromOrder ? m_visited == m_size : m_part == kParts; }
    // How many elements are left: exact once the row order is made; until then estimated
    // from the matches found so far, for reserving room.
    std::size_t expectedRemaining() const;
    // Calls visit with the next count elements, or as many as remain.
    void visitNext(std::size_t count, const std::function<void(const ORBElement&)>& visit);

private:
    friend class ORBElementManager;
    // Until the row order is made, the row's elements come from a scan of every element's
    // row in one or two parts, side by side: each part's first matches are found ahead, the
    // rest as they are visited. A dense row's millions of elements are neither listed nor
    // counted at once.
    struct ScanPart {
        std::vector<std::uint32_t> found;
        std::size_t nextFound = 0;
        std::size_t foundBefore = 0;  // found and dropped once visited
        std::uint32_t scanBegin = 0;
        std::uint32_t scanFrom = 0;
        std::uint32_t scanTo = 0;
    };
    static constexpr std::size_t kParts = 2;
    // Moves on to the next part or stretch until an element is found ahead or none is left.
    void findAhead();
    // Scans the part's next stretch, appending its matches to those found.
    void findMore(ScanPart& part);

    MatrixStore* m_store = nullptr;
    std::uint32_t m_row = 0;
    bool m_fromOrder = false;
    std::uint32_t m_firstSlot = 0;  // in the row order, when made
    std::size_t m_size = 0;         // likewise
    ScanPart m_parts[kParts];
    std::size_t m_part = kParts;  // the part visited; none when there is no row
    std::size_t m_visited = 0;
    std::size_t m_column = 0;  // the last visited element's; elements come in element order
};

class ORBElementManager {
public:
    explicit ORBElementManager(MatrixStore* store) : m_store(store) {}
    ORBElement firstElementOfRow(int rowIndex) const;
    ORBElement nextElementOfRow(ORBElement element) const;
    ORBElement firstElementOfColumn(int columnIndex) const;
    ORBElement nextElementOfColumn(ORBElement element) const;
    // The row's elements in the order of firstElementOfRow() and nextElementOfRow(). Until
    // that order is made, the elements' rows are scanned instead, on two threads when many,
    // and the order is not made: for one row, the order of every row (a second and a tenth of
    // the memory of a large matrix) is not worth its while.
    ORBRowElements elementsOfRow(int rowIndex) const;
    // A part [first, first + count) of the element array.
    struct ElementSpan {
        std::uint32_t first;
        std::uint32_t count;
    };
    // As elementsOfRow, found among spans of elementRows that hold expected of the row's
    // elements, as a caller that knows the row's columns tells: far less than a scan of every
    // element's row. Empty unless elementRows is this matrix's array of the elements' rows
    // and the spans hold just so many of the row's elements, which are then all of them.
    std::optional<ORBRowElements> elementsOfRowAmong(int rowIndex, const std::uint32_t* elementRows,
                                                     std::span<const ElementSpan> spans,
                                                     std::size_t expected) const;
    std::size_t elementCount() const { return m_store->elementCount(); }

private:
    ORBElement rowElementAt(std::uint32_t slot) const;
    MatrixStore* m_store;
};

// Column chains are walked once per non-zero when the document builds its model, so they
// are inline.
inline ORBElement ORBElementManager::firstElementOfColumn(int columnIndex) const {
    if (columnIndex < 1 || static_cast<std::size_t>(columnIndex) > m_store->columnCount())
        return {};
    const auto column = static_cast<std::uint32_t>(columnIndex - 1);
    const std::uint32_t first = m_store->columnStart[column];
    if (first == m_store->columnStart[column + 1]) return {};
    return {m_store, first, column, ORBElement::kUnknown};
}

inline ORBElement ORBElementManager::nextElementOfColumn(ORBElement element) const {
    if (!element) return {};
    const std::uint32_t column = element.column0();  // also when reached through its row
    const std::uint32_t next = element.m_element + 1;
    if (next >= m_store->columnStart[column + 1]) return {};
    return {m_store, next, column, ORBElement::kUnknown};
}

class ORBNLVariable {
public:
    ORBNLVariable() = default;
    ORBNLVariable(const MatrixStore* store, std::uint32_t term, int which)
        : m_store(store), m_term(term), m_which(which) {}
    explicit operator bool() const { return m_store != nullptr; }
    std::string_view name() const;

private:
    friend class ORBNLTerm;
    const MatrixStore* m_store = nullptr;
    std::uint32_t m_term = 0;
    int m_which = 0;
};

class ORBNLTerm {
public:
    ORBNLTerm() = default;
    ORBNLTerm(const MatrixStore* store, std::uint32_t term, std::uint32_t slot)
        : m_store(store), m_term(term), m_slot(slot) {}
    explicit operator bool() const { return m_store != nullptr; }

    double coefficient() const { return m_store->nonlinear.terms[m_term].coefficient; }
    // The term's value at the held solution's column values (0 without a solution).
    double value() const;
    ORBNLVariable firstVariable() const { return {m_store, m_term, 0}; }
    ORBNLVariable nextVariable(ORBNLVariable variable) const;
    // Writes the term as text, coefficient first in numberFormat (a printf format for one
    // double, such as "%f"), then "*NAME" per variable. Truncated to fit; returns the length.
    int render(const char* numberFormat, char* buffer, std::size_t bufferSize) const;

private:
    friend class ORBNonlinearTerms;
    const MatrixStore* m_store = nullptr;
    std::uint32_t m_term = 0;
    std::uint32_t m_slot = 0;
};

class ORBNonlinearTerms {
public:
    explicit ORBNonlinearTerms(MatrixStore* store) : m_store(store) {}
    ORBNLTerm firstTermOfRow(int rowIndex) const;
    ORBNLTerm nextTermOfRow(ORBNLTerm term) const;
    // Recomputes what follows from the column values of a held solution: row activities
    // (linear and nonlinear parts), term values and column statuses (fixed when the bounds are
    // equal, at upper or lower bound within a relative 1e-9, free when unbounded at 0, basic
    // otherwise). Reduced costs and dual values do not follow from column values alone: they
    // stay 0 unless an ORB file carried them.
    void update();

private:
    MatrixStore* m_store;
};

// A matrix object, made by ORBObjectFactory and freed by release().
class ORBObject {
public:
    ORBColumnManager* getColumnManager() { return &m_columns; }
    ORBRowManager* getRowManager() { return &m_rows; }
    ORBElementManager* getElementManager() { return &m_elements; }
    void release() { delete this; }
    bool holdsSolution() const { return m_store.hasSolution; }
    // Replaces the matrix with the content of an ORB file. Throws ORB_ExcpFileError when the
    // file cannot be read, ORB_Exception when it is damaged; the object is then empty.
    void restoreFromFile(const std::string& path);
    ORBNonlinearTerms* getNonlinearTerms() { return &m_nonlinear; }
    void setWorkingFolder(const std::string& folder) { m_workingFolder = folder; }
    const std::string& workingFolder() const { return m_workingFolder; }

    // Writes the matrix (and its solution, when held) as an ORB file. Throws ORB_ExcpFileError.
    void saveToFile(const std::string& path) const;

    MatrixStore& store() { return m_store; }
    const MatrixStore& store() const { return m_store; }

private:
    friend bool ORBObjectFactory(ORBObject** out);
    ORBObject() = default;
    ~ORBObject() = default;

    MatrixStore m_store;
    ORBRowManager m_rows{&m_store};
    ORBColumnManager m_columns{&m_store};
    ORBElementManager m_elements{&m_store};
    ORBNonlinearTerms m_nonlinear{&m_store};
    std::string m_workingFolder;
};

enum class MpsFormat {
    kAuto,  // free, falling back to fixed columns when the free reading fails
    kFree,
    kFixed,
};

// Reads an MPS file (plain or gzip-compressed) into an attached matrix object.
class XMPSManager {
public:
    void setInputFile(const std::string& path) { m_path = path; }
    // Replaces the attached object's matrix with the file's. Throws CMF_ExcpFileError when the
    // file cannot be opened or read, CMF_Exception for bad content; the object is then empty.
    void loadProblem();
    void release() { delete this; }
    void attach(ORBObject* object) { m_object = object; }
    void setFormat(MpsFormat format) { m_format = format; }

private:
    friend bool CreateXMPSManagerObject(XMPSManager** out);
    XMPSManager() = default;
    ~XMPSManager() = default;

    std::string m_path;
    ORBObject* m_object = nullptr;
    MpsFormat m_format = MpsFormat::kAuto;
};

// Entry points: fill *out with a new object and return true, or set it to null and return false.
bool ORBObjectFactory(ORBObject** out);
bool CreateXMPSManagerObject(XMPSManager** out);

}  // namespace orbxmps
