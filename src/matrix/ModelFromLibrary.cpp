#include "ModelFromLibrary.h"

#include <cstdint>
#include <functional>
#include <future>
#include <stdexcept>
#include <system_error>

#include "Comparators.h"
#include "HugePages.h"
#include "MatrixModelOps.h"
#include "ParallelWork.h"

namespace {

using orbxmps::kInfinity;

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

// In the library's name order, so the arrays come out sorted.
void addRows(const orbxmps::ORBRowManager& manager, MatrixModel& model) {
    model.rows.reserve(manager.rowCount());
    reserveRowValues(manager, model);
    for (const std::uint32_t position : manager.nameOrder()) {
        const orbxmps::ORBRow row = manager.rowAt(position);
        const char* name = row.cName();
        model.rows.emplace(name, rowTypeCharacter(row.typeCode()));
        // A zero is never stored: a row without an entry has right-hand side (or range) 0.
        if (row.rhs() != 0.0) model.rhs.emplace(name, static_cast<float>(row.rhs()));
        if (row.rangeValue() != 0.0)
            model.ranges.emplace(name, static_cast<float>(row.rangeValue()));
    }
}

// The tests run in this order and are not exclusive: a column fixed at 5 gets kinds 1, 2 and 3.
// boundCount must stay in step with addBoundsOfKind.
std::size_t boundCount(double lower, double upper) {
    return (lower > -kInfinity) + (upper < kInfinity) + (lower == upper) +
           (upper == kInfinity && lower == -kInfinity);
}

// Bounds are made kind by kind, each kind in column name order, which is the bound array's
// order (kind, then name); the records of a column are the same as when its four tests run one
// after another.
void addBoundsOfKind(const orbxmps::ORBColumnManager& manager, std::int32_t kind,
                     MatrixModel& model) {
    for (const std::uint32_t position : manager.nameOrder()) {
        const orbxmps::ORBColumn column = manager.columnAt(position);
        const double lower = column.lowerBound();
        const double upper = column.upperBound();
        const char* name = column.cName();
        if (kind == kBoundLower && lower > -kInfinity)
            model.bounds.emplace(name, static_cast<float>(lower), kBoundLower);
        if (kind == kBoundUpper && upper < kInfinity)
            model.bounds.emplace(name, static_cast<float>(upper), kBoundUpper);
        if (kind == kBoundFixed && lower == upper)
            model.bounds.emplace(name, static_cast<float>(upper), kBoundFixed);
        if (kind == kBoundFree && upper == kInfinity && lower == -kInfinity)
            model.bounds.emplace(name, static_cast<float>(upper), kBoundFree);
    }
}

void addBounds(const orbxmps::ORBColumnManager& manager, MatrixModel& model) {
    std::size_t bounds = 0;
    for (orbxmps::ORBColumn column = manager.firstColumn(); column;
         column = manager.nextColumn(column))
        bounds += boundCount(column.lowerBound(), column.upperBound());
    model.bounds.reserve(bounds);
    for (const std::int32_t kind : {kBoundLower, kBoundUpper, kBoundFixed, kBoundFree})
        addBoundsOfKind(manager, kind, model);
}

[[noreturn]] void throwInconsistent(const char* what) {
    throw std::runtime_error(std::string("the matrix library's element chains are inconsistent: ") +
                             what);
}

// rowNames is the model's row-name table, sized already but possibly still being filled.
void addColumns(const orbxmps::ORBColumnManager& manager,
                const orbxmps::ORBElementManager& elements, const char* const* rowNames,
                std::size_t rowCount, MatrixModel& model) {
    // Sized once: the columns are views into this block, so it must never move.
    const std::size_t capacity = elements.elementCount();
    model.entries.reserve(capacity);
    model.columns.reserve(manager.columnCount());
    model.columnLoadOrder.resize(manager.columnCount());

    for (const std::uint32_t position : manager.nameOrder()) {
        if (position >= model.columnLoadOrder.size()) throwInconsistent("a column out of range");
        model.columnLoadOrder[position] = static_cast<std::uint32_t>(model.columns.size());
        const orbxmps::ORBColumn column = manager.columnAt(position);
        const char* name = column.cName();
        const std::size_t first = model.entries.size();
        for (orbxmps::ORBElement element = elements.firstElementOfColumn(column.index()); element;
             element = elements.nextElementOfColumn(element)) {
            if (model.entries.size() == capacity) throwInconsistent("more elements than counted");
            const auto row = static_cast<std::uint32_t>(element.row().index() - 1);
            if (row >= rowCount) throwInconsistent("an element names an unknown row");
            model.entries.push_back({row, static_cast<float>(element.value())});
        }
        const auto count = static_cast<std::uint32_t>(model.entries.size() - first);
        model.columns.emplace(name, model.entries.data() + first, count, rowNames);
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
    addRowNames(*rows, model);
    // Before the threads part: both walk the orders, which the first request makes.
    rows->nameOrder();
    // The coefficients are the bulk of the copy and touch nothing the rows and bounds touch:
    // they are copied on a second core while this one makes the rest.
    SideTask columnsTask(
        [&] { addColumns(*columns, *elements, model.rowNameTable.data(), rowCount, model); });
    addRows(*rows, model);
    addBounds(*columns, model);
    columnsTask.get();
    // Every array was filled in its comparator's order.
    model.rows.adoptSorted(CompareRows);
    model.columns.adoptSorted(CompareCols);
    model.rhs.adoptSorted(CompareRowValues);
    model.ranges.adoptSorted(CompareRowValues);
    model.bounds.adoptSorted(CompareBounds);
    return true;
}
