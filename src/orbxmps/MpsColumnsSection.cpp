#include "HugePages.h"
#include "MpsNumber.h"
#include "MpsRowLookup.h"
#include "MpsSections.h"

namespace orbxmps {

namespace {

std::string_view unquoted(std::string_view text) {
    if (text.size() >= 2 && text.front() == '\'' && text.back() == '\'')
        return text.substr(1, text.size() - 2);
    return text;
}

// 'MARKER' lines switch integer marking on ('INTORG') and off ('INTEND'); quotes optional.
bool processMarker(MpsParseState& state, const MpsFields& fields) {
    if (fields.count < 3 || unquoted(fields[1]) != "MARKER") return false;
    std::string_view kind;
    for (int i = 2; i < fields.count && kind.empty(); ++i) kind = fields[i];
    const std::string_view bare = unquoted(kind);
    // An unquoted MARKER followed by a number is an entry of a row named MARKER.
    if (fields[1] == "MARKER" && bare != "INTORG" && bare != "INTEND") return false;
    if (bare == "INTORG") {
        state.integerMarker = true;
    } else if (bare == "INTEND") {
        state.integerMarker = false;
    } else {
        state.fail(MpsParseState::quoted("unknown marker", kind));
    }
    return true;
}

// A COLUMNS line split ahead of its turn, with the hashes of its names.
struct StagedLine {
    std::string_view text;
    std::uint64_t number;
    MpsFields fields;
    bool newColumn;  // false when the line continues the column of the line before
    std::uint64_t columnHash;
    std::uint64_t rowHash[2];
    std::int64_t row[2];
};

// Name lookups miss the cache at random, which would set the pace of the whole reader. So
// lines are taken in batches: the first pass splits them, hashes their names and prefetches
// the hash slots; the second pass, in file order, finds, checks and stores.
class ColumnBuilder {
public:
    static constexpr int kBatchSize = 32;

    explicit ColumnBuilder(MpsParseState& state)
        : m_state(state), m_store(state.store), m_rows(state.store.rowNames) {
        m_state.rowStamp.resize(m_store.rowCount());
    }

    bool full() const { return m_staged == kBatchSize; }

    void stage() {
        StagedLine& staged = m_batch[m_staged];
        staged.text = m_state.line;
        staged.number = m_state.lineNumber;
        MpsFields& fields = staged.fields;
        splitMpsFields(staged.text, m_state.format, false, fields);
        const std::string_view previous =
            m_staged > 0 ? m_batch[m_staged - 1].fields[0] : m_name;
        staged.newColumn = !NameTable::same(fields[0], previous) || (m_staged == 0 && !m_haveColumn);
        if (staged.newColumn) {
            staged.columnHash = NameTable::hash(fields[0]);
            m_store.columnNames.prefetch(staged.columnHash);
        }
        for (int k = 0; k < 2 && fields.count >= 3 + 2 * k; ++k) {
            const std::uint64_t hash = NameTable::hash(fields[1 + 2 * k]);
            staged.rowHash[k] = hash;
            staged.row[k] = m_rows.findCached(fields[1 + 2 * k], hash);
            if (staged.row[k] == MpsRowLookup::kNotCached) m_rows.prefetch(hash);
        }
        ++m_staged;
    }

    void flush() {
        adviseOnGrowth();
        // The rows' stamps are the next random access: look the rows up first and prefetch.
        for (int i = 0; i < m_staged; ++i) {
            StagedLine& staged = m_batch[i];
            for (int k = 0; k < 2 && staged.fields.count >= 3 + 2 * k; ++k) {
                if (staged.row[k] == MpsRowLookup::kNotCached)
                    staged.row[k] = m_rows.find(staged.fields[1 + 2 * k], staged.rowHash[k]);
                if (staged.row[k] >= 0) __builtin_prefetch(&m_state.rowStamp[staged.row[k]]);
            }
        }
        const std::string_view line = m_state.line;
        const std::uint64_t lineNumber = m_state.lineNumber;
        for (int i = 0; i < m_staged; ++i) process(m_batch[i]);
        m_staged = 0;
        m_state.line = line;
        m_state.lineNumber = lineNumber;
    }

private:
    // The element arrays are the bulk of the memory: on huge pages their growth costs a
    // fault per 2 MB instead of per 4 kB.
    void adviseOnGrowth() {
        if (m_store.elementValue.capacityBytes() == m_advisedBytes) return;
        m_advisedBytes = m_store.elementValue.capacityBytes();
        adviseHugePages(m_store.elementValue.data(), m_advisedBytes);
        adviseHugePages(m_store.elementRow.data(), m_store.elementRow.capacityBytes());
    }

    void process(const StagedLine& staged) {
        m_state.line = staged.text;
        m_state.lineNumber = staged.number;
        const MpsFields& fields = staged.fields;
        if (fields.tooMany || fields.strayText) {
            m_state.fields = fields;
            m_state.failLayout("COLUMNS");
        }
        if (processMarker(m_state, fields)) return;
        if (fields.count != 3 && fields.count != 5)
            m_state.fail("expected column, row and value (and a second row and value) in COLUMNS section");
        if (staged.newColumn) selectColumn(fields[0], staged.columnHash);
        addEntry(fields[1], fields[2], staged.row[0]);
        if (fields.count == 5) addEntry(fields[3], fields[4], staged.row[1]);
    }

    void selectColumn(std::string_view name, std::uint64_t hash) {
        if (m_haveColumn && NameTable::same(name, m_name)) return;
        if (name.empty()) m_state.fail("missing column name in COLUMNS section");
        if (m_store.columnCount() >= kMaxCount - 1) m_state.fail("too many columns");
        const auto [column, added] = m_store.columnNames.insert(name, hash);
        if (!added)
            m_state.fail(MpsParseState::quoted("column", name) +
                         " appears again after other columns in COLUMNS section");
        m_stamp = column + 1;
        m_name = m_store.columnNames.name(column);
        m_haveColumn = true;
        m_store.columnStart.push_back(static_cast<std::uint32_t>(m_store.elementCount()));
        m_store.lower.push_back(0.0);
        m_store.upper.push_back(kInfinity);
        m_store.columnFlags.push_back(m_state.integerMarker ? kColumnInteger : 0);
    }

    void addEntry(std::string_view rowName, std::string_view valueText, std::int64_t row) {
        if (row < 0) m_state.fail(MpsParseState::quoted("unknown row", rowName) + " in COLUMNS section");
        // The stamp says whether this column has had the row already: no set per column.
        std::uint32_t& stamp = m_state.rowStamp[static_cast<std::size_t>(row)];
        if (stamp == m_stamp)
            m_state.fail(MpsParseState::quoted("row", rowName) + " appears twice in " +
                         MpsParseState::quoted("column", m_name));
        stamp = m_stamp;
        double value;
        if (!parseMpsNumber(valueText, value)) m_state.fail("value is not a number");
        if (m_store.elementCount() >= kMaxCount) m_state.fail("too many non-zeros (2^32 or more)");
        m_store.elementRow.push_back(static_cast<std::uint32_t>(row));
        m_store.elementValue.push_back(value);
    }

    MpsParseState& m_state;
    MatrixStore& m_store;
    MpsRowLookup m_rows;
    std::string_view m_name;  // stays valid: no other column name is added meanwhile
    std::uint32_t m_stamp = 0;
    bool m_haveColumn = false;
    std::size_t m_advisedBytes = 0;
    int m_staged = 0;
    StagedLine m_batch[kBatchSize];
};

}  // namespace

void processColumnsSection(MpsParseState& state) {
    state.columnsStarted = true;
    ColumnBuilder builder(state);
    // Lines of one batch come from one buffer fill, so their views stay valid together.
    while (state.nextDataLine()) {
        builder.stage();
        MpsParseState::LineKind kind = MpsParseState::LineKind::kData;
        while (!builder.full() && (kind = state.nextBufferedDataLine()) == MpsParseState::LineKind::kData)
            builder.stage();
        builder.flush();
        if (kind == MpsParseState::LineKind::kHeader) return;
    }
}

void finishColumns(MpsParseState& state) {
    if (state.columnsFinished) return;
    state.columnsFinished = true;
    state.columnsStarted = true;
    MatrixStore& store = state.store;
    store.columnStart.push_back(static_cast<std::uint32_t>(store.elementCount()));
    state.rowStamp.clear();
}

}  // namespace orbxmps
