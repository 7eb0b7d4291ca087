#include "ModelFromLibrary.h"

#include <array>
#include <cstdint>
#include <functional>
#include <future>
#include <limits>
#include <mutex>
#include <stdexcept>
#include <system_error>
#include <utility>
#include <vector>

#include "Comparators.h"
#include "MatrixModelOps.h"
#include "NameOrder.h"
#include "OrbChecks.h"
#include "ParallelWork.h"

namespace {

using orbxmps::kInfinity;
using orbxmps::NameOffset;
using orbxmps::PodVector;

// The name orders visit rows and columns scattered over the library's arrays, a cache miss per
// array and item; the items of a position this many steps ahead are fetched meanwhile.
constexpr std::size_t kFetchAhead = 32;
// A value few items have (a range, an upper bound) is fetched once the item's flags, fetched
// this many steps earlier, say it is there: read at the walk's step, each missed the cache
// and the page tables, a third of the walk with one column in six bounded above.
constexpr std::size_t kRareAhead = kFetchAhead / 2;
constexpr std::size_t kNeverPacked = std::numeric_limits<std::size_t>::max();

template <typename T>
void fetchAt(const T* array, std::size_t size, std::uint32_t position) {
    if (position < size) __builtin_prefetch(array + position);
}

// What the walk in name order takes from a row or column: its name, one value, and flags. Any
// other value, which few items have, is read from the library when the flags call for it.
struct Share {
    NameOffset name;
    float value;
    std::uint8_t flags;
};

// A row's flags: its type, and whether it has a right-hand side (the value) or a range. A zero
// is never stored: a row without an entry has right-hand side (or range) 0. Tested on the
// double, so that a value too small for a float is still stored.
constexpr char kRowTypes[] = {'N', 'E', 'L', 'G'};
constexpr std::uint8_t kRowTypeMask = 3;
constexpr std::uint8_t kHasRhs = 4;
constexpr std::uint8_t kHasRange = 8;

// The type's index in kRowTypes, which rowTypeCharacter() reads too; without a branch that
// shuffled rows would mispredict.
std::uint8_t rowTypeIndex(std::int16_t code) {
    static_assert(orbxmps::kRowLessEqual == orbxmps::kRowEqual + 1 &&
                  orbxmps::kRowGreaterEqual == orbxmps::kRowEqual + 2);
    const auto index = static_cast<std::uint16_t>(code - orbxmps::kRowEqual);
    return index < 3 ? static_cast<std::uint8_t>(index + 1) : 0;
}

// A column's bound kinds, one bit each (1 to 4); the value is its lower bound. The kinds are
// not exclusive: a column fixed at 5 gets kinds 1, 2 and 3.
constexpr std::uint8_t kindBit(int kind) { return static_cast<std::uint8_t>(1u << kind); }

std::uint8_t boundKinds(double lower, double upper) {
    return static_cast<std::uint8_t>(
        (lower > -kInfinity ? kindBit(kBoundLower) : 0) |
        (upper < kInfinity ? kindBit(kBoundUpper) : 0) |
        (lower == upper ? kindBit(kBoundFixed) : 0) |
        (upper == kInfinity && lower == -kInfinity ? kindBit(kBoundFree) : 0));
}

// The shares read where the library keeps them, four arrays for a row and three for a column.
// Each fetch() is inlined by force: called, a function that only prefetches is taken for one
// without effect, and the call is dropped.
class StoredShares {
public:
    // The arrays this class reads from are small enough to stay in the cache.
    void fetchRare(std::uint32_t, std::uint8_t, const double*) const {}

protected:
    StoredShares(const orbxmps::MatrixStore& store, const orbxmps::NameTable& names)
        : m_store(store), m_names(names.offsets().data()), m_count(names.size()) {}

    const orbxmps::MatrixStore& m_store;
    const NameOffset* m_names;
    std::size_t m_count;
};

class RowsAsStored : public StoredShares {
public:
    explicit RowsAsStored(const orbxmps::MatrixStore& store)
        : StoredShares(store, store.rowNames) {}
    [[gnu::always_inline]] void fetch(std::uint32_t position) const {
        fetchAt(m_store.rowType.data(), m_count, position);
        fetchAt(m_store.rhs.data(), m_count, position);
        fetchAt(m_store.range.data(), m_count, position);
        fetchAt(m_names, m_count, position);
    }
    Share at(std::size_t position) const {
        const double rhs = m_store.rhs[position];
        return {m_names[position], static_cast<float>(rhs),
                static_cast<std::uint8_t>(rowTypeIndex(m_store.rowType[position]) |
                                          (rhs != 0.0 ? kHasRhs : 0) |
                                          (m_store.range[position] != 0.0 ? kHasRange : 0))};
    }
};

class ColumnsAsStored : public StoredShares {
public:
    explicit ColumnsAsStored(const orbxmps::MatrixStore& store)
        : StoredShares(store, store.columnNames) {}
    [[gnu::always_inline]] void fetch(std::uint32_t position) const {
        fetchAt(m_store.lower.data(), m_count, position);
        fetchAt(m_store.upper.data(), m_count, position);
        fetchAt(m_names, m_count, position);
    }
    Share at(std::size_t position) const {
        const double lower = m_store.lower[position];
        return {m_names[position], static_cast<float>(lower),
                boundKinds(lower, m_store.upper[position])};
    }
};

// Once the arrays outgrow the cache, each scattered read costs a miss, and in a mapped file a
// page walk as well: the shares are then packed in load order first, into eight bytes and a
// byte an item, so that the walk misses once per item where it missed up to four times.
// Filled for the rows, then again for the columns: the second use takes the first's pages,
// which are neither cleared again nor added to the peak.
class PackedShares {
public:
    void refill(std::size_t count) {
        m_items.resize(0);
        m_flags.resize(0);
        m_items.appendUninitialised(count);
        m_flags.appendUninitialised(count);
    }
    void put(std::size_t position, const Share& share) {
        m_items[position] = {share.name, share.value};
        m_flags[position] = share.flags;
    }
    [[gnu::always_inline]] void fetch(std::uint32_t position) const {
        fetchAt(m_items.data(), m_items.size(), position);
        fetchAt(m_flags.data(), m_flags.size(), position);
    }
    [[gnu::always_inline]] void fetchRare(std::uint32_t position, std::uint8_t flags,
                                          const double* values) const {
        if (position < m_flags.size() && (m_flags[position] & flags) != 0)
            __builtin_prefetch(values + position);
    }
    Share at(std::size_t position) const {
        return {m_items[position].name, m_items[position].value, m_flags[position]};
    }

private:
    struct NameAndValue {
        NameOffset name;
        float value;
    };
    PodVector<NameAndValue> m_items;
    PodVector<std::uint8_t> m_flags;
};

// One pass in load order over the shares, packing them from packedFrom on.
template <typename Count>
bool passInLoadOrder(const auto& stored, std::size_t count, std::size_t packedFrom,
                     PackedShares& packed, const Count& countShare) {
    const bool packing = count >= packedFrom;
    if (packing) packed.refill(count);
    for (std::size_t i = 0; i < count; ++i) {
        const Share share = stored.at(i);
        countShare(share);
        if (packing) packed.put(i, share);
    }
    return packing;
}

// In the library's name order, so the arrays come out sorted.
template <typename Shares>
void addRowsInNameOrder(const orbxmps::MatrixStore& store, const PodVector<std::uint32_t>& order,
                        const Shares& shares, MatrixModel& model) {
    const char* characters = store.rowNames.characters().data();
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (k + kFetchAhead < order.size()) shares.fetch(order[k + kFetchAhead]);
        if (k + kRareAhead < order.size())
            shares.fetchRare(order[k + kRareAhead], kHasRange, store.range.data());
        const std::uint32_t position = order[k];
        const Share row = shares.at(position);
        const char* name = characters + row.name;
        model.rows.emplace(name, kRowTypes[row.flags & kRowTypeMask], position);
        if (row.flags & kHasRhs) model.rhs.emplace(name, row.value);
        if (row.flags & kHasRange)
            model.ranges.emplace(name, static_cast<float>(store.range[position]));
    }
}

// Arrays are sized exactly up front: growing them would copy them on the way and leave room
// unused at the end.
void addRows(const orbxmps::ORBRowManager& manager, const orbxmps::MatrixStore& store,
             std::size_t packedFrom, PackedShares& packed, MatrixModel& model) {
    const RowsAsStored stored(store);
    std::size_t rhs = 0;
    std::size_t ranges = 0;
    const bool packing =
        passInLoadOrder(stored, store.rowCount(), packedFrom, packed, [&](const Share& row) {
            rhs += (row.flags & kHasRhs) != 0;
            ranges += (row.flags & kHasRange) != 0;
        });
    model.rows.reserve(manager.rowCount());
    model.rhs.reserve(rhs);
    model.ranges.reserve(ranges);
    if (packing)
        addRowsInNameOrder(store, manager.nameOrder(), packed, model);
    else
        addRowsInNameOrder(store, manager.nameOrder(), stored, model);
}

// The bound array's order is kind, then column name: one walk in name order writes each
// column's records at the end of its kinds' parts so far, which start at next.
template <typename Shares>
void addBoundsInNameOrder(const orbxmps::MatrixStore& store, const PodVector<std::uint32_t>& order,
                          const Shares& shares, std::array<std::size_t, 5> next, CBound* bounds) {
    const char* characters = store.columnNames.characters().data();
    constexpr auto kFree = static_cast<float>(kInfinity);
    constexpr std::uint8_t kReadsUpper = kindBit(kBoundUpper) | kindBit(kBoundFixed);
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (k + kFetchAhead < order.size()) shares.fetch(order[k + kFetchAhead]);
        if (k + kRareAhead < order.size())
            shares.fetchRare(order[k + kRareAhead], kReadsUpper, store.upper.data());
        const std::uint32_t position = order[k];
        const Share column = shares.at(position);
        const char* name = characters + column.name;
        if (column.flags & kindBit(kBoundLower))
            bounds[next[kBoundLower]++] = {name, column.value, kBoundLower};
        // A fixed column's value is its upper bound, which equals the lower but for the sign
        // of a zero.
        if (column.flags & kReadsUpper) {
            const auto upper = static_cast<float>(store.upper[position]);
            if (column.flags & kindBit(kBoundUpper))
                bounds[next[kBoundUpper]++] = {name, upper, kBoundUpper};
            if (column.flags & kindBit(kBoundFixed))
                bounds[next[kBoundFixed]++] = {name, upper, kBoundFixed};
        }
        if (column.flags & kindBit(kBoundFree))
            bounds[next[kBoundFree]++] = {name, kFree, kBoundFree};
    }
}

// Where each kind's records start in the bound array, and the array, sized and blank.
struct BoundsLayout {
    std::array<std::size_t, 5> next{};
    CBound* bounds = nullptr;
    bool packed = false;  // the columns' shares were packed on the way
};

BoundsLayout layOutBounds(const orbxmps::MatrixStore& store, std::size_t packedFrom,
                          PackedShares& packed, MatrixModel& model) {
    BoundsLayout layout;
    std::array<std::size_t, 5>& next = layout.next;
    layout.packed = passInLoadOrder(ColumnsAsStored(store), store.columnCount(), packedFrom, packed,
                                    [&next](const Share& column) {
                                        for (int kind = kBoundLower; kind <= kBoundFree; ++kind)
                                            next[kind] += (column.flags & kindBit(kind)) != 0;
                                    });
    std::size_t total = 0;
    for (std::size_t kind = kBoundLower; kind <= kBoundFree; ++kind)
        total += std::exchange(next[kind], total);
    layout.bounds = model.bounds.resizeBlank(total);
    return layout;
}

void addBounds(const orbxmps::ORBColumnManager& manager, const orbxmps::MatrixStore& store,
               std::size_t packedFrom, PackedShares& packed, const BoundsLayout& layout) {
    const ColumnsAsStored stored(store);
    bool packing = layout.packed;
    if (!packing)
        packing =
            passInLoadOrder(stored, store.columnCount(), packedFrom, packed, [](const Share&) {});
    if (packing)
        addBoundsInNameOrder(store, manager.nameOrder(), packed, layout.next, layout.bounds);
    else
        addBoundsInNameOrder(store, manager.nameOrder(), stored, layout.next, layout.bounds);
}

// Runs its work once, on whichever thread asks first; a thread that asks meanwhile waits for
// it. Work that throws counts as not run. Not std::call_once: libstdc++'s, after a call that
// threw, leaves the next caller waiting for ever (GCC bug 66146), and the work may run out of
// memory.
class FirstAsking {
public:
    template <typename Work>
    void run(const Work& work) {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_done) return;
        work();
        m_done = true;
    }

private:
    std::mutex m_mutex;
    bool m_done = false;
};

[[noreturn]] void throwInconsistent(const char* what) {
    throw std::runtime_error(std::string("the matrix library's element chains are inconsistent: ") +
                             what);
}

// A damaged library could name a row past the table; one pass over the rows, before any
// column is made, keeps every later lookup in range.
void checkElementRows(const PodVector<std::uint32_t>& elementRows, std::size_t rowCount) {
    if (!orbxmps::orb::elementRowDamage(elementRows, rowCount).empty())
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
    model.entries.setRowNames(model.rowNameTable.names());
    model.columns.reserve(columnCount);
    model.columnLoadOrder.resize(columnCount);

    const std::uint32_t* starts = store.columnStart.data();
    const NameOffset* nameOffsets = store.columnNames.offsets().data();
    const orbxmps::NamesInOrder names(store.columnNames, nameOrder);
    for (std::size_t k = 0; k < nameOrder.size(); ++k) {
        if (k + kFetchAhead < nameOrder.size()) {
            const std::uint32_t ahead = nameOrder[k + kFetchAhead];
            fetchAt(starts, columnCount, ahead);
            fetchAt(nameOffsets, columnCount, ahead);
            fetchAt(model.columnLoadOrder.data(), columnCount, ahead);
        }
        const std::uint32_t position = nameOrder[k];
        if (position >= columnCount) throwInconsistent("a column out of range");
        model.columnLoadOrder[position] = static_cast<std::uint32_t>(model.columns.size());
        const std::uint32_t begin = starts[position];
        const std::uint32_t end = starts[position + 1];
        if (end < begin || end > elementCount) throwInconsistent("more elements than counted");
        model.columns.emplace(names.name(k), begin, end - begin);
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

char rowTypeCharacter(std::int16_t code) { return kRowTypes[rowTypeIndex(code)]; }

bool BuildModelFromLibrary(orbxmps::ORBObject& object, MatrixModel& model, std::size_t packedFrom) {
    ClearMatrixModel(model);
    const orbxmps::ORBElementManager* elements = object.getElementManager();
    const orbxmps::ORBRowManager* rows = object.getRowManager();
    const orbxmps::ORBColumnManager* columns = object.getColumnManager();
    if (elements == nullptr || rows == nullptr || columns == nullptr) return false;

    // The model names rows and columns by the library's own name storage, kept alive here.
    model.names.keepAlive(rows->nameOwner());
    model.names.keepAlive(columns->nameOwner());
    orbxmps::NameTable& rowNames = object.store().rowNames;
    model.names.keepAlive(rowNames.offsetOwner());
    const std::size_t rowCount = rows->rowCount();
    model.rowNameTable.borrow(rowNames.characters().data(), rowNames.offsets().data(), rowCount);
    // Before the threads part: both walk the orders, which the first request makes.
    rows->nameOrder();
    // The columns touch nothing the rows and bounds touch: they are made on a second core
    // while this one makes the rows, then the bounds.
    const PodVector<std::uint32_t>& columnOrder = columns->nameOrder();
    // The bounds' count and blank array go to the thread free first: this one, once the rows
    // are made, counts and packs in one pass; the other counts only, so that its memory never
    // holds a second set of packed shares.
    FirstAsking boundsLayoutMade;
    BoundsLayout boundsLayout;
    SideTask columnsTask([&] {
        addColumns(object.store(), columnOrder, rowCount, model);
        boundsLayoutMade.run([&] {
            PackedShares unused;
            boundsLayout = layOutBounds(object.store(), kNeverPacked, unused, model);
        });
    });
    PackedShares packed;
    addRows(*rows, object.store(), packedFrom, packed, model);
    boundsLayoutMade.run(
        [&] { boundsLayout = layOutBounds(object.store(), packedFrom, packed, model); });
    addBounds(*columns, object.store(), packedFrom, packed, boundsLayout);
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
