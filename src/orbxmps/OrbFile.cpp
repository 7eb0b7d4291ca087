#include "OrbFile.h"

#include <cassert>
#include <new>

#include "NameOrder.h"
#include "OrbErrors.h"
#include "OrbExtensions.h"
#include "OrbFormat.h"
#include "OrbLoader.h"
#include "OrbOutput.h"

namespace orbxmps {

namespace {

using orb::OrbOutput;
using orb::Tag;

void writeSectionHead(OrbOutput& out, Tag tag, std::uint64_t length) {
    unsigned char head[orb::kSectionHeaderSize] = {};
    orb::storeLittle<std::uint32_t>(head, static_cast<std::uint32_t>(tag));
    orb::storeLittle<std::uint64_t>(head + 8, length);
    out.write(head, sizeof head);
}

void writePadding(OrbOutput& out, std::uint64_t length) {
    static constexpr unsigned char kZeros[orb::kAlignment] = {};
    out.write(kZeros, static_cast<std::size_t>(orb::paddingOf(length)));
}

void writeSection(OrbOutput& out, Tag tag, const void* data, std::uint64_t length) {
    writeSectionHead(out, tag, length);
    out.write(data, static_cast<std::size_t>(length));
    writePadding(out, length);
}

template <typename T>
void writeArray(OrbOutput& out, Tag tag, const PodVector<T>& values) {
    writeSection(out, tag, values.data(), values.size() * sizeof(T));
}

void writeDimensions(OrbOutput& out, const MatrixStore& store) {
    orb::Dimensions d;
    d.rows = store.rowCount();
    d.columns = store.columnCount();
    d.elements = store.elementCount();
    d.terms = store.nonlinear.terms.size();
    d.objectiveRow = store.objectiveRow;
    d.options = (store.maximise ? orb::kOptionMaximise : 0u) |
                (store.solutionFromColumnValues ? orb::kOptionSolutionFromColumnValues : 0u);
    writeSection(out, Tag::kDimensions, &d, sizeof d);
}

void writeColumnStarts(OrbOutput& out, const MatrixStore& store) {
    // A store that never had a column may not have its closing start yet.
    static constexpr std::uint32_t kNoColumns[1] = {0};
    if (store.columnCount() == 0 && store.columnStart.empty())
        return writeSection(out, Tag::kColumnStarts, kNoColumns, sizeof kNoColumns);
    assert(store.columnStart.size() == store.columnCount() + 1);
    writeArray(out, Tag::kColumnStarts, store.columnStart);
}

void writeTerms(OrbOutput& out, const PodVector<NonlinearTerm>& terms) {
    const std::uint64_t length = terms.size() * orb::kTermRecordSize;
    writeSectionHead(out, Tag::kNonlinearTerms, length);
    // Field by field, so that the struct's padding never reaches the file.
    for (const NonlinearTerm& term : terms) {
        unsigned char record[orb::kTermRecordSize] = {};
        orb::storeLittle<std::uint32_t>(record, term.row);
        orb::storeLittle<std::uint32_t>(record + 4, term.first);
        orb::storeLittle<std::uint32_t>(record + 8, term.second);
        orb::storeLittle<double>(record + 16, term.coefficient);
        out.write(record, sizeof record);
    }
    writePadding(out, length);
}

void writeSolution(OrbOutput& out, const MatrixStore& store) {
    writeArray(out, Tag::kColumnActivities, store.columnActivity);
    writeArray(out, Tag::kReducedCosts, store.reducedCost);
    writeArray(out, Tag::kColumnStatuses, store.columnStatus);
    writeArray(out, Tag::kRowActivities, store.rowActivity);
    writeArray(out, Tag::kDualValues, store.dualValue);
}

// The name order spares every open the sort; a store that has not made it yet gets it here.
const PodVector<std::uint32_t>& nameOrderOf(const NameTable& names,
                                            const PodVector<std::uint32_t>& stored,
                                            PodVector<std::uint32_t>& made) {
    if (stored.size() == names.size()) return stored;
    made = sortedNameOrder(names);
    return made;
}

void writeNamesInOrder(OrbOutput& out, Tag characterTag, Tag offsetTag, const NameTable& names,
                       const PodVector<std::uint32_t>& order) {
    const NameTable laidOut = layOutInOrder(names, order);
    writeArray(out, characterTag, laidOut.characters());
    writeArray(out, offsetTag, laidOut.offsets());
}

}  // namespace

void writeOrbFile(const std::string& path, const MatrixStore& store) {
    PodVector<std::uint32_t> madeRowOrder;
    PodVector<std::uint32_t> madeColumnOrder;
    const PodVector<std::uint32_t>& rowOrder =
        nameOrderOf(store.rowNames, store.rowNameOrder, madeRowOrder);
    const PodVector<std::uint32_t>& columnOrder =
        nameOrderOf(store.columnNames, store.columnNameOrder, madeColumnOrder);
    OrbOutput out(path);
    writeDimensions(out, store);
    writeSection(out, Tag::kProblemName, store.problemName.data(), store.problemName.size());
    writeNamesInOrder(out, Tag::kRowNameCharacters, Tag::kRowNameOffsets, store.rowNames, rowOrder);
    writeArray(out, Tag::kRowTypes, store.rowType);
    writeArray(out, Tag::kRightHandSides, store.rhs);
    writeArray(out, Tag::kRanges, store.range);
    writeNamesInOrder(out, Tag::kColumnNameCharacters, Tag::kColumnNameOffsets, store.columnNames,
                      columnOrder);
    writeArray(out, Tag::kLowerBounds, store.lower);
    writeArray(out, Tag::kUpperBounds, store.upper);
    writeArray(out, Tag::kColumnFlags, store.columnFlags);
    writeColumnStarts(out, store);
    writeArray(out, Tag::kElementRows, store.elementRow);
    writeArray(out, Tag::kElementValues, store.elementValue);
    writeTerms(out, store.nonlinear.terms);
    if (!store.nonlinear.terms.empty() &&
        store.nonlinear.value.size() == store.nonlinear.terms.size())
        writeArray(out, Tag::kTermValues, store.nonlinear.value);
    if (!store.extensions.empty()) {
        const std::string extensions = orb::encodeExtensions(store.extensions);
        writeSection(out, Tag::kExtensions, extensions.data(), extensions.size());
    }
    writeArray(out, Tag::kRowNameOrder, rowOrder);
    writeArray(out, Tag::kColumnNameOrder, columnOrder);
    if (store.hasSolution) writeSolution(out, store);
    out.commit(store.hasSolution ? orb::kHeaderHasSolution : 0u);
}

void readOrbFile(const std::string& path, MatrixStore& store) {
    store.clear();
    MatrixStore loaded;
    try {
        orb::OrbLoader(path, loaded).load();
    } catch (const std::bad_alloc&) {
        throw ORB_ExcpBadAllocation(orb::kReadRoutine, path + ": not enough memory to load it");
    }
    store = std::move(loaded);
}

}  // namespace orbxmps
