#include "ModelFromLibrary.h"

#include <array>
#include <cstdint>
#include <functional>
#include <future>
#include <stdexcept>
#include <system_error>
#include <utility>
#include <vector>

#include "Comparators.h"
#include "HugePages.h"
#include "MatrixModelOps.h"
#include "ParallelWork.h"

namespace {

using orbxmps::kInfinity;
using orbxmps::NameOffset;
using orbxmps::PodVector;

// Arrays are sized exactly up front: growing them would copy them on the way and leave room
// unused at the end.
void reserveRowValues(const orbxmps::ORBRowManager& manager, MatrixModel& model) {
    std::size_t rhs = 0;
    std::size_t ranges = 0;
    for (orbxmps::ORBRow row = manager.firstRow(); row; row = manager.nextRow(row)) {
        rhs += row.rhs() != 0.0;
        ranges += row.rangeValue() != 0.0;
    }
    model.rhs.reserve(rhs);
    model.ranges.reserve(ranges);
}

void addRowNames(const orbxmps::ORBRowManager& manager, MatrixModel& model) {
    for (orbxmps::ORBRow row = manager.firstRow(); row; row = manager.nextRow(row))
        model.rowNameTable.push_back(row.cName());
}

// The name orders visit rows and columns scattered over the library's arrays, a cache miss
// per array and item; the items of a position this many steps ahead are fetched meanwhile.
constexpr std::size_t kFetchAhead = 16;

template <typename T>
void fetch(const T* array, std::size_t size, std::uint32_t position) {
    if (position < size) __builtin_prefetch(array + position);
}

// In the library's name order, so the arrays come out sorted.
void addRows(const orbxmps::ORBRowManager& manager, const orbxmps::MatrixStore& store,
             MatrixModel& model) {
    model.rows.reserve(manager.rowCount());
    reserveRowValues(manager, model);
    const PodVector<std::uint32_t>& order = manager.nameOrder();
    const std::size_t rows = store.rowCount();
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (k + kFetchAhead < order.size()) {
            const std::uint32_t ahead = order[k + kFetchAhead];
            fetch(store.rowType.data(), rows, ahead);
            fetch(store.rhs.data(), rows, ahead);
            fetch(store.range.data(), rows, ahead);
            fetch(store.rowNames.offsets().data(), rows, ahead);
        }
        const orbxmps::ORBRow row = manager.rowAt(order[k]);
        const char* name = row.cName();
        model.rows.emplace(name, rowTypeCharacter(row.typeCode()), order[k]);
        // A zero is never stored: a row without an entry has right-hand side (or range) 0.
        if (row.rhs() != 0.0) model.rhs.emplace(name, static_cast<float>(row.rhs()));
        if (row.rangeValue() != 0.0)
            model.ranges.emplace(name, static_cast<float>(row.rangeValue()));
    }
}

// Kinds 1 to 4: where each kind's records begin in the bound array, which lists them kind by
// kind. Counting needs no order, so it reads the limits in sequence.
std::array<std::size_t, 5> boundKindStarts(const orbxmps::MatrixStore& store) {
    std::array<std::size_t, 5> starts{};
    for (std::size_t c = 0; c < store.columnCount(); ++c) {
        const double lower = store.lower[c];
        const double upper = store.upper[c];
        starts[kBoundLower] += lower > -kInfinity;
        starts[kBoundUpper] += upper < kInfinity;
        starts[kBoundFixed] += lower == upper;
        starts[kBoundFree] += upper == kInfinity && lower == -kInfinity;
    }
    std::size_t next = 0;
    for (std::size_t kind = kBoundLower; kind <= kBoundFree; ++kind)
        next += std::exchange(starts[kind], next);
    starts[0] = next;  // the total
    return starts;
}

// The bound array's order is kind, then column name: one walk in name order writes each
// column's records at the end of its kinds' parts so far. The tests are not exclusive: a
// column fixed at 5 gets kinds 1, 2 and 3.
void addBounds(const orbxmps::ORBColumnManager& manager, const orbxmps::MatrixStore& store,
               MatrixModel& model) {
    std::array<std::size_t, 5> next = boundKindStarts(store);
    CBound* bounds = model.bounds.resizeBlank(next[0]);
    const PodVector<std::uint32_t>& order = manager.nameOrder();
    const std::size_t columns = store.columnCount();
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (k + kFetchAhead < order.size()) {
            const std::uint32_t ahead = order[k + kFetchAhead];
            fetch(store.lower.data(), columns, ahead);
            fetch(store.upper.data(), columns, ahead);
            fetch(store.columnNames.offsets().data(), columns, ahead);
        }
        const orbxmps::ORBColumn column = manager.columnAt(order[k]);
        const char* name = column.cName();
        const double lower = column.lowerBound();
        const double upper = column.upperBound();
        if (lower > -kInfinity)
            bounds[next[kBoundLower]++] = {name, static_cast<float>(lower), kBoundLower};
        if (upper < kInfinity)
            bounds[next[kBoundUpper]++] = {name, static_cast<float>(upper), kBoundUpper};
        if (lower == upper)
            bounds[next[kBoundFixed]++] = {name, static_cast<float>(upper), kBoundFixed};
        if (upper == kInfinity && lower == -kInfinity)
            bounds[next[kBoundFree]++] = {name, static_cast<float>(upper), kBoundFree};
    }
}

[[noreturn]] void throwInconsistent(const char* what) {
    throw std::runtime_error(std::string("the matrix library's element chains are inconsistent: ") +
                             what);
}

// A damaged library could name a row past the table; one pass over the rows, before any
// column is made, keeps every later lookup in range.
void checkElementRows(const PodVector<std::uint32_t>& elementRows, std::size_t rowCount) {
    std::uint32_t largest = 0;
    for (const std::uint32_t row : elementRows) largest = row > largest ? row : largest;
    if (!elementRows.empty() && largest >= rowCount)
        throwInconsistent("an element names an unknown row");
}

// The columns are views into the library's own column-wise arrays, which the model borrows:
// copying every non-zero cost a third of an open, and the copy's fresh memory most of that.
void addColumns(orbxmps::MatrixStore& store, const PodVector<std::uint32_t>& nameOrder,
                std::size_t rowCount, MatrixModel& model) {
    const std::size_t elementCount = store.elementCount();
    const std::size_t columnCount = store.columnCount();
    if (store.columnStart.size() != columnCount + 1 || store.elementRow.size() != elementCount)
        throwInconsistent("the column starts do not match the elements");
    checkElementRows(store.elementRow, rowCount);
    model.entries.borrow(store.elementRow.data(), store.elementValue.data(), elementCount,
                         store.columnStart.data(), columnCount,
                         {store.elementRow.shareStorage(), store.elementValue.shareStorage(),
                          store.columnStart.shareStorage()});
    model.entries.setRowNames(model.rowNameTable.data());
    const CoefficientArrays* arrays = model.entries.arrays();
    model.columns.reserve(columnCount);
    model.columnLoadOrder.resize(columnCount);

    const std::uint32_t* starts = store.columnStart.data();
    const NameOffset* nameOffsets = store.columnNames.offsets().data();
    for (std::size_t k = 0; k < nameOrder.size(); ++k) {
        if (k + kFetchAhead < nameOrder.size()) {
            const std::uint32_t ahead = nameOrder[k + kFetchAhead];
            fetch(starts, columnCount, ahead);
            fetch(nameOffsets, columnCount, ahead);
            fetch(model.columnLoadOrder.data(), columnCount, ahead);
        }
        const std::uint32_t position = nameOrder[k];
        if (position >= columnCount) throwInconsistent("a column out of range");
        model.columnLoadOrder[position] = static_cast<std::uint32_t>(model.columns.size());
        const std::uint32_t begin = starts[position];
        const std::uint32_t end = starts[position + 1];
        if (end < begin || end > elementCount) throwInconsistent("more elements than counted");
        model.columns.emplace(store.columnNames.name(position), arrays, begin, end - begin);
    }
}

// Runs work on a second thread, or here when no thread can be started. get() waits and
// rethrows what the work threw; so does the destructor's wait, minus the rethrow, so that
// the work never outlives an exception that leaves the build early.
class SideTask {
public:
    explicit SideTask(std::function<void()> work) {
        if (!orbxmps::parallelWorkAllowed()) {
            work();
            return;
        }
        try {
            m_result = std::async(std::launch::async, work);
        } catch (const std::system_error&) {
            work();
        }
    }
    ~SideTask() {
        if (m_result.valid()) m_result.wait();
    }
    SideTask(const SideTask&) = delete;
    SideTask& operator=(const SideTask&) = delete;

    void get() {
        if (m_result.valid()) m_result.get();
    }

private:
    std::future<void> m_result;
};

}  // namespace

char rowTypeCharacter(std::int16_t code) {
    switch (code) {
        case orbxmps::kRowEqual:
            return 'E';
        case orbxmps::kRowLessEqual:
            return 'L';
        case orbxmps::kRowGreaterEqual:
            return 'G';
        default:
            return 'N';
    }
}

bool BuildModelFromLibrary(orbxmps::ORBObject& object, MatrixModel& model) {
    ClearMatrixModel(model);
    const orbxmps::ORBElementManager* elements = object.getElementManager();
    const orbxmps::ORBRowManager* rows = object.getRowManager();
    const orbxmps::ORBColumnManager* columns = object.getColumnManager();
    if (elements == nullptr || rows == nullptr || columns == nullptr) return false;

    // The model names rows and columns by the library's own name storage, kept alive here.
    model.names.keepAlive(rows->nameOwner());
    model.names.keepAlive(columns->nameOwner());
    // The columns point into the row-name table, so it gets its final place before they do.
    const std::size_t rowCount = rows->rowCount();
    model.rowNameTable.reserve(rowCount);
    orbxmps::adviseHugePages(model.rowNameTable.data(), rowCount * sizeof(const char*));
    // Before the threads part: both walk the orders, which the first request makes.
    rows->nameOrder();
    // The row-name table and the columns touch nothing the rows and bounds touch: they are
    // made on a second core while this one makes the rest, the longer part.
    const PodVector<std::uint32_t>& columnOrder = columns->nameOrder();
    SideTask columnsTask([&] {
        addRowNames(*rows, model);
        addColumns(object.store(), columnOrder, rowCount, model);
    });
    addRows(*rows, object.store(), model);
    addBounds(*columns, object.store(), model);
    columnsTask.get();
    // Every array was filled in its comparator's order.
    model.rows.adoptSorted(CompareRows);
    model.columns.adoptSorted(CompareCols);
    model.rhs.adoptSorted(CompareRowValues);
    model.ranges.adoptSorted(CompareRowValues);
    model.bounds.adoptSorted(CompareBounds);
    model.rowsPairedWithTable = true;  // both from the row manager, the rows by a permutation
    return true;
}
