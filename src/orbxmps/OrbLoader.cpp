#include "OrbLoader.h"

#include <cstring>
#include <limits>
#include <utility>

#include "NameOrder.h"
#include "OrbChecks.h"
#include "OrbErrors.h"
#include "OrbExtensions.h"
#include "ParallelWork.h"
#include "RepeatedNames.h"

namespace orbxmps::orb {

namespace {

std::string text(std::uint64_t value) { return std::to_string(value); }

// Bounds at or beyond the library's infinities mean infinite, as in an MPS file; they are
// stored as the infinities themselves, which is what the model's bound kinds compare with.
// Only what differs is written: the array may lie in the file's pages, which a write copies.
void settleInfiniteBounds(PodVector<double>& bounds) {
    for (double& bound : bounds) {
        if (bound > kInfinity) bound = kInfinity;
        if (bound < -kInfinity) bound = -kInfinity;
    }
}

// Duplicate names are kept, both records, as the model allows; each repeat is a warning.
void warnDuplicates(const NameTable& names, const std::vector<std::uint32_t>& repeats,
                    const char* kind, const std::string& path, LoadWarnings& warnings) {
    for (const std::uint32_t i : repeats)
        warnings.add(path + ": duplicate " + kind + " '" + std::string(names.name(i)) + "'");
}

std::string sectionLabel(std::size_t index, std::uint32_t tag) {
    if (index == kSectionCount) return "section with tag " + text(tag);
    return std::string("section '") + kSections[index].name + "'";
}

}  // namespace

void OrbLoader::load() {
    readHeader();
    readSections();
    // The checksum is summed while the arrays are checked and indexed: the checks alone make
    // indexing safe, and a mismatch still throws everything away.
    m_in.startChecksum();
    checkPresence();
    checkContentAndNames();
    m_store.finishLoad();
    if (!m_in.payloadMatches()) throwChecksumMismatch(m_in.path());
    // Only now: the checksum may have been summed from these arrays until here.
    settleInfiniteBounds(m_store.lower);
    settleInfiniteBounds(m_store.upper);
}

// A stored name order makes the search for repeats one pass over the names in that order, which
// checks the order on the way; version 1 files without one get the hash search. The table
// takes the names once their block is known sound.
OrbLoader::NameCheck OrbLoader::checkNames(const char* kind, PodVector<char>& characters,
                                           PodVector<NameOffset>& offsets,
                                           const PodVector<std::uint32_t>& order,
                                           NameTable& names) const {
    NameCheck check;
    const NameLayout layout = m_version >= 2 ? NameLayout::kNameOrder : NameLayout::kAsAdded;
    check.blockDamage = nameBlockDamage(kind, characters, offsets, layout);
    if (!check.blockDamage.empty()) return check;
    names.assign(std::move(characters), std::move(offsets), layout);
    if (layout == NameLayout::kAsAdded && order.empty() && names.size() > 0) {
        check.repeats = repeatedNames(names);
        return check;
    }
    const std::string damage = nameOrderDamage(names, order, check.repeats);
    if (!damage.empty()) check.orderDamage = std::string(kind) + " names: " + damage;
    return check;
}

void OrbLoader::damaged(const std::string& what) {
    if (!m_in.payloadMatches()) throwChecksumMismatch(m_in.path());
    throwDamaged(m_in.path(), what);
}

void OrbLoader::damagedBySize(const std::string& what) {
    if (m_in.fileSize() <= kCheapChecksum) damaged(what);
    throwDamaged(m_in.path(), what);
}

void OrbLoader::readHeader() {
    const std::string& path = m_in.path();
    unsigned char header[kHeaderSize];
    const std::size_t got = m_in.readHeader(header, kHeaderSize);
    if (got < sizeof kMagic || std::memcmp(header, kMagic, sizeof kMagic) != 0) throwNotOrb(path);
    if (got < kHeaderSize) throwTruncated(path, kHeaderSize, got);
    const auto version = loadLittle<std::uint32_t>(header + kVersionOffset);
    if (version < kOldestVersion || version > kVersion) throwUnsupportedVersion(path, version);
    m_version = version;

    const auto flags = loadLittle<std::uint32_t>(header + kFlagsOffset);
    const auto payload = loadLittle<std::uint64_t>(header + kPayloadSizeOffset);
    const std::uint64_t available = m_in.fileSize() - kHeaderSize;
    if (payload > available) {
        constexpr std::uint64_t kMost = std::numeric_limits<std::uint64_t>::max() - kHeaderSize;
        throwTruncated(path, payload > kMost ? payload : payload + kHeaderSize, m_in.fileSize());
    }
    if (payload < available)
        throwDamaged(path, text(available - payload) + " bytes follow the end of the payload");
    if ((flags & ~kHeaderHasSolution) != 0) throwDamaged(path, "unknown header flags");
    if (loadLittle<std::uint32_t>(header + kReservedOffset) != 0)
        throwDamaged(path, "the header's reserved field is not zero");
    m_solutionFlag = (flags & kHeaderHasSolution) != 0;
    m_in.beginPayload(payload, loadLittle<std::uint32_t>(header + kChecksumOffset));
}

void OrbLoader::readSections() {
    while (m_in.remaining() > 0) {
        const std::uint64_t at = m_in.consumed();
        if (m_in.remaining() < kSectionHeaderSize)
            damaged("a section header is cut short at payload byte " + text(at));
        unsigned char head[kSectionHeaderSize];
        m_in.read(head, kSectionHeaderSize);
        const auto tag = loadLittle<std::uint32_t>(head);
        const auto length = loadLittle<std::uint64_t>(head + 8);
        const std::size_t index = sectionIndex(tag);
        const std::string label = sectionLabel(index, tag);
        if (loadLittle<std::uint32_t>(head + 4) != 0)
            damaged(label + ": reserved field is not zero");
        const std::uint64_t left = m_in.remaining();
        if (length > left || paddingOf(length) > left - length)
            damaged(label + " of " + text(length) + " bytes runs past the end of the payload");
        if (at == 0 && tag != static_cast<std::uint32_t>(Tag::kDimensions))
            damaged("the payload does not begin with the dimensions");
        // No writer uses tag 0: it is what a zeroed or sparse stretch of a file reads as.
        if (tag == 0)
            damagedBySize("zero bytes where a section should begin, at payload byte " + text(at));
        if (index == kSectionCount) {
            m_in.skip(length + paddingOf(length));
            continue;
        }
        if (m_seen[index]) damaged(label + " appears twice");
        m_seen[index] = true;
        checkLength(kSections[index], length);
        readSection(index, length);
        m_in.skip(paddingOf(length));
    }
}

void OrbLoader::checkLength(const SectionInfo& section, std::uint64_t length) {
    // The dimensions are checked to fit 32 bits, so these products cannot overflow.
    const Dimensions& d = m_dimensions;
    std::uint64_t count = 1;
    switch (section.extent) {
        case Extent::kAny:
            return;
        case Extent::kFixed:
            break;
        case Extent::kRows:
            count = d.rows;
            break;
        case Extent::kColumns:
            count = d.columns;
            break;
        case Extent::kColumnsPlusOne:
            count = d.columns + 1;
            break;
        case Extent::kElements:
            count = d.elements;
            break;
        case Extent::kTerms:
            count = d.terms;
            break;
    }
    const std::uint64_t expected = count * section.itemSize;
    if (length != expected)
        damaged(std::string("section '") + section.name + "' holds " + text(length) +
                " bytes, expected " + text(expected));
}

void OrbLoader::readDimensions() {
    unsigned char bytes[kDimensionsSize];
    m_in.read(bytes, kDimensionsSize);
    std::memcpy(&m_dimensions, bytes, kDimensionsSize);
    const std::string damage = dimensionsDamage(m_dimensions);
    if (!damage.empty()) damaged(damage);
    // Before any array is sized from these counts.
    const std::string shortfall = payloadShortfall(m_dimensions, m_in.remaining());
    if (!shortfall.empty()) damagedBySize(shortfall);
    m_store.objectiveRow = m_dimensions.objectiveRow;
    m_store.maximise = (m_dimensions.options & kOptionMaximise) != 0;
    m_store.solutionFromColumnValues =
        (m_dimensions.options & kOptionSolutionFromColumnValues) != 0;
}

// In pieces, so that the name never takes more memory than the bytes read so far.
void OrbLoader::readProblemName(std::uint64_t length) {
    std::string& name = m_store.problemName;
    name.clear();
    char piece[4096];
    while (length > 0) {
        const std::size_t n = length < sizeof piece ? static_cast<std::size_t>(length) : sizeof piece;
        m_in.read(piece, n);
        name.append(piece, n);
        length -= n;
    }
}

PodVector<double>* OrbLoader::valueArray(Tag tag) {
    switch (tag) {
        case Tag::kRightHandSides:
            return &m_store.rhs;
        case Tag::kRanges:
            return &m_store.range;
        case Tag::kLowerBounds:
            return &m_store.lower;
        case Tag::kUpperBounds:
            return &m_store.upper;
        case Tag::kElementValues:
            return &m_store.elementValue;
        case Tag::kTermValues:
            return &m_store.nonlinear.value;
        case Tag::kColumnActivities:
            return &m_store.columnActivity;
        case Tag::kReducedCosts:
            return &m_store.reducedCost;
        case Tag::kRowActivities:
            return &m_store.rowActivity;
        case Tag::kDualValues:
            return &m_store.dualValue;
        default:
            return nullptr;
    }
}

void OrbLoader::readSection(std::size_t index, std::uint64_t length) {
    const Tag tag = kSections[index].tag;
    if (PodVector<double>* values = valueArray(tag)) return m_in.readArray(*values, length);
    switch (tag) {
        case Tag::kDimensions:
            return readDimensions();
        case Tag::kProblemName:
            return readProblemName(length);
        case Tag::kExtensions:
            return m_in.readArray(m_extensionBytes, length);
        case Tag::kRowNameCharacters:
            return m_in.readArray(m_rowCharacters, length);
        case Tag::kRowNameOffsets:
            return m_in.readArray(m_rowOffsets, length);
        case Tag::kRowTypes:
            return m_in.readArray(m_store.rowType, length);
        case Tag::kColumnNameCharacters:
            return m_in.readArray(m_columnCharacters, length);
        case Tag::kColumnNameOffsets:
            return m_in.readArray(m_columnOffsets, length);
        case Tag::kColumnFlags:
            return m_in.readArray(m_store.columnFlags, length);
        case Tag::kColumnStarts:
            return m_in.readArray(m_store.columnStart, length);
        case Tag::kElementRows:
            return m_in.readArray(m_store.elementRow, length);
        case Tag::kNonlinearTerms:
            return m_in.readArray(m_store.nonlinear.terms, length);
        case Tag::kColumnStatuses:
            return m_in.readArray(m_store.columnStatus, length);
        case Tag::kRowNameOrder:
            return m_in.readArray(m_store.rowNameOrder, length);
        case Tag::kColumnNameOrder:
            return m_in.readArray(m_store.columnNameOrder, length);
        default:
            return m_in.skip(length);  // a known tag without a reader is a bug
    }
}

void OrbLoader::checkPresence() {
    for (std::size_t i = 0; i < kSectionCount; ++i) {
        const std::string label = sectionLabel(i, 0);
        switch (kSections[i].presence) {
            case Presence::kOptional:
                break;
            case Presence::kRequired:
                if (!m_seen[i]) damaged(label + " is missing");
                break;
            case Presence::kSolution:
                if (m_solutionFlag && !m_seen[i])
                    damaged("the header announces a solution but " + label + " is missing");
                if (!m_solutionFlag && m_seen[i])
                    damaged(label + " is present but the header announces no solution");
                break;
        }
    }
    m_store.hasSolution = m_solutionFlag;
}

// The column names and the matrix's values are checked on a second thread while the row names
// and the matrix's structure are checked here; the checksum is summed aside meanwhile. Damage
// is reported as one thread would meet it: both name blocks, the matrix (structure, then
// values), the extensions, then both orders.
void OrbLoader::checkContentAndNames() {
    NameCheck rows;
    NameCheck columns;
    std::string damage;
    std::string valueDamage;
    const auto checkColumnsAndValues = [&] {
        columns = checkNames("column", m_columnCharacters, m_columnOffsets,
                             m_store.columnNameOrder, m_store.columnNames);
        valueDamage = matrixValueDamage(m_store);
    };
    const auto checkRowsAndMatrix = [&] {
        rows = checkNames("row", m_rowCharacters, m_rowOffsets, m_store.rowNameOrder,
                          m_store.rowNames);
        damage = matrixStructureDamage(m_dimensions, m_store);
    };
    // Below this many names a thread costs more than it saves.
    constexpr std::uint64_t kNamesForSecondThread = 1 << 12;
    runAlongsideIf(m_dimensions.rows + m_dimensions.columns >= kNamesForSecondThread,
                   checkColumnsAndValues, checkRowsAndMatrix);
    if (!rows.blockDamage.empty()) damaged(rows.blockDamage);
    if (!columns.blockDamage.empty()) damaged(columns.blockDamage);
    if (!damage.empty()) damaged(damage);
    if (!valueDamage.empty()) damaged(valueDamage);
    if (!m_extensionBytes.empty()) {
        damage = decodeExtensions({m_extensionBytes.data(), m_extensionBytes.size()},
                                  m_dimensions.rows, m_dimensions.columns, m_store.extensions);
        if (!damage.empty()) damaged(damage);
    }
    if (!rows.orderDamage.empty()) damaged(rows.orderDamage);
    if (!columns.orderDamage.empty()) damaged(columns.orderDamage);
    warnDuplicates(m_store.rowNames, rows.repeats, "row", m_in.path(), m_store.warnings);
    warnDuplicates(m_store.columnNames, columns.repeats, "column", m_in.path(),
                   m_store.warnings);
}

}  // namespace orbxmps::orb
