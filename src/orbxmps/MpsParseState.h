#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "MatrixStore.h"
#include "MpsError.h"
#include "MpsFields.h"
#include "MpsLineReader.h"
#include "PodVector.h"
#include "orbxmps.h"

namespace orbxmps {

enum class MpsSection {
    kNone,
    kName,
    kObjsense,
    kRows,
    kColumns,
    kRhs,
    kRanges,
    kBounds,
    kQuadObj,
    kQMatrix,
    kQcMatrix,
    kEndata,
};

// The set name (RHS, RANGES, BOUNDS) whose lines are used: the first one seen. A line without
// a set name belongs to the set with the empty name.
class MpsSetChoice {
public:
    bool accepts(std::string_view set) {
        if (m_chosen) return set == m_name;
        m_chosen = true;
        m_name.assign(set);
        return true;
    }

private:
    std::string m_name;
    bool m_chosen = false;
};

// What one reading of an MPS file carries from line to line.
struct MpsParseState {
    MpsParseState(const std::string& path, MpsFormat format, MpsLineReader& reader,
                  MatrixStore& store)
        : path(path), format(format), reader(reader), store(store) {}

    const std::string& path;
    const MpsFormat format;  // kFree or kFixed
    MpsLineReader& reader;
    MatrixStore& store;

    std::string_view line;  // the current line
    std::uint64_t lineNumber = 0;  // its number, for messages
    bool atEnd = false;
    MpsFields fields;

    bool rowsRead = false;
    bool columnsStarted = false;
    bool columnsFinished = false;
    bool senseGiven = false;
    bool integerMarker = false;
    std::uint32_t quadraticRow = 0;  // QCMATRIX's row, the objective in QUADOBJ and QMATRIX
    PodVector<std::uint32_t> rowStamp;  // 1 + the last column that had an entry in the row
    PodVector<std::uint8_t> rowEntries;  // kRhsGiven | kRangeGiven per row
    MpsSetChoice rhsSet;
    MpsSetChoice rangeSet;
    MpsSetChoice boundSet;

    // Reads up to the next data line, skipping comments and empty lines. False at a section
    // header (then in line) or at the end of the file (atEnd).
    bool nextDataLine() {
        for (;;) {
            if (!reader.next(line)) {
                atEnd = true;
                return false;
            }
            lineNumber = reader.lineNumber();
            const LineKind kind = kindOf(line);
            if (kind != LineKind::kSkip) return kind == LineKind::kData;
        }
    }

    enum class LineKind { kSkip, kData, kHeader, kBufferEnd };

    // Like nextDataLine() but only from lines already buffered (see MpsLineReader):
    // kData, kHeader, or kBufferEnd when more must be read first.
    LineKind nextBufferedDataLine() {
        for (;;) {
            if (!reader.nextBuffered(line)) return LineKind::kBufferEnd;
            lineNumber = reader.lineNumber();
            const LineKind kind = kindOf(line);
            if (kind != LineKind::kSkip) return kind;
        }
    }

    static LineKind kindOf(std::string_view text) {
        if (text.empty() || text[0] == '*') return LineKind::kSkip;
        if (text[0] != ' ' && text[0] != '\t') return LineKind::kHeader;
        return text.find_first_not_of(" \t") == std::string_view::npos ? LineKind::kSkip
                                                                         : LineKind::kData;
    }

    // Splits the current line; a line that does not fit the format is rejected here.
    void split(bool hasCodeField, std::string_view sectionName) {
        splitMpsFields(line, format, hasCodeField, fields);
        if (fields.tooMany || fields.strayText) failLayout(sectionName);
    }

    // Files list RHS, ranges and bounds mostly in row or column order, so the name after the
    // last one found is tried first: most lookups become a sequential read, not a hash probe.
    static std::int64_t findNext(const NameTable& names, std::string_view name, std::int64_t& last) {
        const auto guess = static_cast<std::size_t>(last + 1);
        if (guess < names.size() && NameTable::same(names.name(guess), name))
            return last = static_cast<std::int64_t>(guess);
        const std::int64_t found = names.find(name);
        if (found >= 0) last = found;
        return found;
    }
    std::int64_t lastRow = -1;
    std::int64_t lastColumn = -1;

    [[noreturn]] void fail(std::string_view what) const {
        throwContentError(path, lineNumber, what, line);
    }
    [[noreturn]] void failLayout(std::string_view sectionName) const;
    // Names in messages: "<kind> '<name>'".
    static std::string quoted(std::string_view kind, std::string_view name);
};

inline constexpr std::uint8_t kRhsGiven = 1;
inline constexpr std::uint8_t kRangeGiven = 2;
// Counts stay below 2^32 so that 32-bit indexes and the 1-based stamps fit.
inline constexpr std::size_t kMaxCount = 0xFFFFFFFFu;

}  // namespace orbxmps
