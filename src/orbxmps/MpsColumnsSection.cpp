#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <new>

#include "ByteSource.h"
#include "MpsNumber.h"
#include "MpsRowLookup.h"
#include "MpsSections.h"
#include "PageWarmer.h"

namespace orbxmps {

namespace {

std::string_view unquoted(std::string_view text) {
    if (text.size() >= 2 && text.front() == '\'' && text.back() == '\'')
        return text.substr(1, text.size() - 2);
    return text;
}

// 'MARKER' lines switch integer marking on ('INTORG') and off ('INTEND'), and make the
// columns between 'SOSORG' and 'SOSEND' a special ordered set (S1 unless the first field
// says S2); quotes optional.
bool processMarker(MpsParseState& state, const MpsFields& fields) {
    // "name 'MARKER' kind", or "S1|S2 name 'MARKER' 'SOSORG'" from writers that put the set
    // type first.
    int at = -1;
    if (fields.count >= 3 && unquoted(fields[1]) == "MARKER") at = 1;
    if (at < 0 && fields.count >= 4 && fields[2] == "'MARKER'" &&
        (fields[0] == "S1" || fields[0] == "S2"))
        at = 2;
    if (at < 0) return false;
    std::string_view kind;
    for (int i = at + 1; i < fields.count && kind.empty(); ++i) kind = fields[i];
    const std::string_view bare = unquoted(kind);
    const bool known =
        bare == "INTORG" || bare == "INTEND" || bare == "SOSORG" || bare == "SOSEND";
    // An unquoted MARKER followed by a number is an entry of a row named MARKER.
    if (fields[at] == "MARKER" && !known) return false;
    if (bare == "INTORG") {
        state.integerMarker = true;
    } else if (bare == "INTEND") {
        state.integerMarker = false;
    } else if (bare == "SOSORG") {
        state.beginMarkedSet(at == 2 ? fields[0] : std::string_view("S1"), fields[at - 1]);
    } else if (bare == "SOSEND") {
        state.sosMarker = false;
    } else {
        state.fail(MpsParseState::quoted("unknown marker", kind));
    }
    return true;
}

// A COLUMNS line taken ahead of its turn, with its rows once found.
struct StagedLine {
    const MpsLineRecord* record;
    MpsFields fields;  // the record's, as views
    bool newColumn;  // false when the line continues the column of the line before
    std::int64_t row[2];
};

// The lines come split and hashed, their values parsed when the feed had the time
// (MpsBlockFiller). What remains is lookups, which miss the cache at random and would set the
// pace: so lines are taken in batches, the first pass checks the recent-rows cache and
// prefetches the hash slots of the rest, the second fetches the characters of long names,
// the third finds those rows and prefetches their stamps, the last checks and stores in file
// order.
class ColumnBuilder {
public:
    static constexpr int kBatchSize = 32;
    // Few files spend fewer bytes on an entry (typical ones 20 to 30), so the file's size
    // over this bounds the entry count well enough to reserve for it.
    static constexpr std::uintmax_t kFewestBytesPerEntry = 12;

    explicit ColumnBuilder(MpsParseState& state)
        : m_state(state), m_store(state.store), m_rows(state.store.rowNames) {
        m_state.rowStamp.resize(m_store.rowCount());
        reserveEntries();
    }

    bool full() const { return m_staged == kBatchSize; }

    void stage() {
        StagedLine& staged = m_batch[m_staged];
        const MpsLineRecord& record = *m_state.record;
        staged.record = &record;
        record.spans.expand(record.text, staged.fields);
        const MpsFields& fields = staged.fields;
        const std::string_view previous = m_staged > 0 ? m_batch[m_staged - 1].fields[0] : m_name;
        staged.newColumn =
            !NameTable::same(fields[0], previous) || (m_staged == 0 && !m_haveColumn);
        if (staged.newColumn) m_store.columnNames.prefetch(record.hash[0]);
        for (int k = 0; k < 2 && fields.count >= 3 + 2 * k; ++k) {
            staged.row[k] = m_rows.findCached(fields[1 + 2 * k], record.hash[1 + k]);
            if (staged.row[k] == MpsRowLookup::kNotCached) m_rows.prefetch(record.hash[1 + k]);
        }
        ++m_staged;
    }

    void flush() {
        if (m_rows.hasLongNames()) {
            for (int i = 0; i < m_staged; ++i) {
                const StagedLine& staged = m_batch[i];
                for (int k = 0; k < 2 && staged.fields.count >= 3 + 2 * k; ++k)
                    if (staged.row[k] == MpsRowLookup::kNotCached)
                        m_rows.prefetchCharacters(staged.fields[1 + 2 * k],
                                                  staged.record->hash[1 + k]);
            }
        }
        for (int i = 0; i < m_staged; ++i) {
            StagedLine& staged = m_batch[i];
            const MpsLineRecord& record = *staged.record;
            for (int k = 0; k < 2 && staged.fields.count >= 3 + 2 * k; ++k) {
                if (staged.row[k] == MpsRowLookup::kNotCached)
                    staged.row[k] = m_rows.find(staged.fields[1 + 2 * k], record.hash[1 + k]);
                if (staged.row[k] >= 0) __builtin_prefetch(&m_state.rowStamp[staged.row[k]]);
            }
        }
        const std::size_t count = m_store.elementCount();
        // A batch adds at most two entries a line; the arrays may move only once the warmer
        // stopped touching them.
        if (count + 2 * kBatchSize > m_warmer.capacity()) m_warmer.stop();
        m_warmer.reached(count);
        const MpsLineRecord* current = m_state.record;
        for (int i = 0; i < m_staged; ++i) process(m_batch[i]);
        m_staged = 0;
        m_state.record = current;
        m_state.line = current->text;
        m_state.lineNumber = current->number;
    }

    // At the end of the section: what the warmer faulted in past the last entry, or what
    // doubling left (a compressed file's arrays grow), goes back now, before the sections
    // that follow allocate on top of it.
    void finish() {
        if (m_warmer.running()) m_warmer.stop();
        m_store.elementRow.shrinkToFit();
        m_store.elementValue.shrinkToFit();
    }

private:
    // The element arrays are the two that grow large. Grown step by step, each step may move
    // them; reserved from the file's size, they stay put. Only what is written takes memory,
    // the rest is given back at the end, and a wrong guess (a compressed file) only means
    // growing.
    void reserveEntries() {
        const auto entries = static_cast<std::size_t>(
            std::min<std::uintmax_t>(backedBytes(m_state.path) / kFewestBytesPerEntry, kMaxCount));
        try {
            m_store.elementRow.reserve(entries);
            m_store.elementValue.reserve(entries);
        } catch (const std::bad_alloc&) {
            // Address space refused: the arrays grow as they go instead.
            return;
        }
        m_warmer.start({{m_store.elementRow.data(),
                         m_store.elementRow.capacityBytes() / sizeof(std::uint32_t),
                         sizeof(std::uint32_t)},
                        {m_store.elementValue.data(),
                         m_store.elementValue.capacityBytes() / sizeof(double), sizeof(double)}});
    }

    // The bytes the file really holds: a sparse file's size promises more than its blocks,
    // and what it promises must not become a reservation that nothing can back. A gzip
    // file's content is read from its trailer, as its own size would reserve a fraction.
    static std::uintmax_t backedBytes(const std::string& path) {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return 0;
        const auto size = static_cast<std::uintmax_t>(info.st_size);
        const auto blocks = static_cast<std::uintmax_t>(info.st_blocks) * 512u;
        const long pages = ::sysconf(_SC_PHYS_PAGES);
        const long pageSize = ::sysconf(_SC_PAGESIZE);
        const std::uintmax_t memory =
            pages > 0 && pageSize > 0 ? static_cast<std::uintmax_t>(pages) *
                                            static_cast<std::uintmax_t>(pageSize)
                                      : size;
        const std::uintmax_t backed = std::max(std::min(size, blocks), gzipContentSizeHint(path));
        return std::min(backed, memory);
    }

    void process(const StagedLine& staged) {
        const MpsLineRecord& record = *staged.record;
        m_state.line = record.text;
        m_state.lineNumber = record.number;
        const MpsFields& fields = staged.fields;
        if (fields.tooMany || fields.strayText) {
            m_state.fields = fields;
            m_state.failLayout("COLUMNS");
        }
        if (processMarker(m_state, fields)) return;
        if (fields.count != 3 && fields.count != 5)
            m_state.fail(
                "expected column, row and value (and a second row and value) in COLUMNS section");
        if (staged.newColumn) selectColumn(fields[0], record.hash[0]);
        addEntry(staged, 0);
        if (fields.count == 5) addEntry(staged, 1);
    }

    void selectColumn(std::string_view name, std::uint64_t hash) {
        if (m_haveColumn && NameTable::same(name, m_name)) return;
        if (name.empty()) m_state.fail("missing column name in COLUMNS section");
        if (m_store.columnCount() >= kMaxCount - 1) m_state.fail("too many columns");
        auto [column, added] = m_store.columnNames.insert(name, hash);
        if (!added) {
            // Kept as a second column of the same name, as the model keeps duplicates.
            column = m_store.columnNames.addRepeated(name, hash);
            m_state.warn(MpsParseState::quoted("column", name) +
                         " appears again after other columns: kept as a second column");
        }
        m_stamp = column + 1;
        m_name = m_store.columnNames.name(column);
        m_haveColumn = true;
        m_store.columnStart.push_back(static_cast<std::uint32_t>(m_store.elementCount()));
        m_store.lower.push_back(0.0);
        m_store.upper.push_back(kInfinity);
        m_store.columnFlags.push_back(m_state.integerMarker ? kColumnInteger : 0);
        if (m_state.sosMarker) m_state.addMarkedSetMember(column);
    }

    // Entry k of the line: row field 1 + 2k, value field 2 + 2k.
    void addEntry(const StagedLine& staged, int k) {
        const MpsLineRecord& record = *staged.record;
        const std::string_view rowName = staged.fields[1 + 2 * k];
        const double value =
            record.valueParsed[k] ? record.value[k] : parseValue(staged.fields[2 + 2 * k]);
        const std::int64_t row = staged.row[k];
        if (row < 0) {
            m_state.warn(MpsParseState::quoted("unknown row", rowName) +
                         " in COLUMNS section: entry skipped");
            return;
        }
        // The stamp says whether this column has had the row already: no set per column.
        std::uint32_t& stamp = m_state.rowStamp[static_cast<std::size_t>(row)];
        if (stamp == m_stamp)
            m_state.warn(MpsParseState::quoted("row", rowName) + " appears twice in " +
                         MpsParseState::quoted("column", m_name) + ": both entries kept");
        stamp = m_stamp;
        if (m_store.elementCount() >= kMaxCount) m_state.fail("too many non-zeros (2^32 or more)");
        m_store.elementRow.push_back(static_cast<std::uint32_t>(row));
        m_store.elementValue.push_back(value);
    }

    // A value that the line feed left to this thread, or could not read.
    double parseValue(std::string_view valueText) const {
        double value;
        static_assert(MpsLineBlock::kPadding >= 32, "a field's value is read in whole words");
        if (!parsePaddedMpsNumber(valueText, value)) m_state.fail(mpsNumberProblem(valueText));
        if (!fitsModelFloat(value)) m_state.fail(kValueBeyondFloat);
        return value;
    }

    MpsParseState& m_state;
    MatrixStore& m_store;
    MpsRowLookup m_rows;
    std::string_view m_name;  // stays valid: no other column name is added meanwhile
    std::uint32_t m_stamp = 0;
    bool m_haveColumn = false;
    int m_staged = 0;
    StagedLine m_batch[kBatchSize];
    PageWarmer m_warmer;  // last: stopped first, before the arrays it touches change hands
};

}  // namespace

void processColumnsSection(MpsParseState& state) {
    state.columnsStarted = true;
    ColumnBuilder builder(state);
    // A batch stays within one block of lines, whose views stay valid together.
    while (state.nextDataLine()) {
        builder.stage();
        MpsParseState::LineKind kind = MpsParseState::LineKind::kData;
        while (!builder.full() &&
               (kind = state.nextDataLineInBlock()) == MpsParseState::LineKind::kData)
            builder.stage();
        builder.flush();
        if (kind == MpsParseState::LineKind::kHeader) break;
    }
    builder.finish();
}

void finishColumns(MpsParseState& state) {
    if (state.columnsFinished) return;
    state.columnsFinished = true;
    state.columnsStarted = true;
    MatrixStore& store = state.store;
    store.columnStart.push_back(static_cast<std::uint32_t>(store.elementCount()));
    state.rowStamp.clear();
    // No section after COLUMNS adds a name, so the names' orders can be sorted now, aside:
    // the model needs them as soon as the read ends.
    state.nameOrders.start(store);
}

}  // namespace orbxmps
