#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "MatrixStore.h"
#include "MpsError.h"
#include "MpsFields.h"
#include "MpsLineFeed.h"
#include "NameOrdersAside.h"
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
    kSos,
    kCones,
    kIndicators,
    kObjName,
    kExtraRows,  // LAZYCONS, USERCUTS: rows written apart
    kSkipped,    // a section of another solver's model that the matrix cannot hold
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
    MpsParseState(const std::string& path, MpsFormat format, MpsLineFeed& feed, MatrixStore& store)
        : path(path), format(format), feed(feed), store(store) {}

    const std::string& path;
    const MpsFormat format;  // kFree or kFixed
    MpsLineFeed& feed;
    MatrixStore& store;

    const MpsLineRecord* record = nullptr;  // the current line
    std::string_view line;                  // its text
    std::uint64_t lineNumber = 0;           // its number, for messages
    bool atEnd = false;
    MpsFields fields;

    bool rowsRead = false;
    bool columnsStarted = false;
    bool columnsFinished = false;
    bool senseGiven = false;
    bool integerMarker = false;
    bool sosMarker = false;
    std::string objectiveName;  // from OBJNAME: this free row is the objective  // between 'SOSORG' and 'SOSEND' markers
    std::uint32_t quadraticRow = 0;      // QCMATRIX's row, the objective in QUADOBJ and QMATRIX
    PodVector<std::uint32_t> rowStamp;   // 1 + the last column that had an entry in the row
    PodVector<std::uint8_t> rowEntries;  // kRhsGiven | kRangeGiven per row
    MpsSetChoice rhsSet;
    MpsSetChoice rangeSet;
    MpsSetChoice boundSet;
    // The row and column found last, for findNext().
    struct NextGuess {
        std::int64_t last = -1;
        std::uint32_t misses = 0;  // lookups in a row that guessing did not answer
    };
    NextGuess lastRow;
    NextGuess lastColumn;
    // The names' orders, sorted aside while the sections after COLUMNS are read.
    NameOrdersAside nameOrders;

    // Moves to the next line; false at a section header (then in line) or at the end of the
    // file (atEnd). Comments and empty lines are gone already.
    bool nextDataLine() {
        record = feed.next();
        if (record == nullptr) {
            atEnd = true;
            line = feed.finalLine();
            lineNumber = feed.finalLineNumber();
            return false;
        }
        line = record->text;
        lineNumber = record->number;
        return record->kind == MpsLineKind::kData;
    }

    enum class LineKind { kData, kHeader, kBlockEnd };

    // Like nextDataLine() but only within the current block of lines (see MpsLineFeed), so
    // that a caller can hold the lines of a batch together.
    LineKind nextDataLineInBlock() {
        const MpsLineRecord* next = feed.nextInBlock();
        if (next == nullptr) return LineKind::kBlockEnd;
        record = next;
        line = record->text;
        lineNumber = record->number;
        return record->kind == MpsLineKind::kData ? LineKind::kData : LineKind::kHeader;
    }

    // The current line's fields; a line that does not fit the format is rejected here.
    void split(bool hasCodeField, std::string_view sectionName) {
        if (record->codeField == hasCodeField)
            record->spans.expand(record->text, fields);  // split ahead by the line feed
        else
            splitMpsFields(line, format, hasCodeField, fields);
        if (fields.tooMany || fields.strayText) failLayout(sectionName);
    }

    // Files list RHS, ranges and bounds mostly in row or column order, so the names after
    // the last one found are tried first: most lookups become a sequential read, not a hash
    // probe. next is lastRow or lastColumn.
    // Lists in no order miss every guess: after a few misses in a row only one lookup in 16
    // guesses, until a guess answers again. A table with repeated names is not guessed in:
    // a guess could answer with a later one of them, where a lookup answers with the first.
    static std::int64_t findNext(const NameTable& names, std::string_view name, NextGuess& next) {
        constexpr std::size_t kLookAhead = 8;  // lists skip some rows or columns
        constexpr std::uint32_t kMissesBeforePause = 4;
        constexpr std::uint32_t kPause = 16;
        if (!names.hasAddedRepeats() &&
            (next.misses < kMissesBeforePause || next.misses % kPause == 0)) {
            const auto first = static_cast<std::size_t>(next.last + 1);
            const std::size_t end = std::min(first + kLookAhead, names.size());
            for (std::size_t guess = first; guess < end; ++guess)
                if (NameTable::same(names.name(guess), name)) {
                    next.misses = 0;
                    return next.last = static_cast<std::int64_t>(guess);
                }
        }
        ++next.misses;
        const std::int64_t found = names.find(name);
        if (found >= 0) next.last = found;
        return found;
    }

    [[noreturn]] void fail(std::string_view what) const {
        throwContentError(path, lineNumber, what, line);
    }
    // Keeps the file loadable: what is skipped or kept against the rules is said, with the
    // line, in the object's warnings.
    void warn(std::string_view what) const {
        store.warnings.add(contentMessage(path, lineNumber, what, line));
    }
    // Columns between SOS markers in COLUMNS: a set, its members weighted by position.
    void beginMarkedSet(std::string_view typeField, std::string_view name);
    void addMarkedSetMember(std::uint32_t column);
    // A number field; fails with the reason when it is none.
    double number(std::string_view text) const;
    // The same for a coefficient, right-hand side or range, which must fit a 32-bit float.
    double modelValue(std::string_view text) const;
    [[noreturn]] void failLayout(std::string_view sectionName) const;
    // Names in messages: "<kind> '<name>'".
    static std::string quoted(std::string_view kind, std::string_view name);
};

inline constexpr std::uint8_t kRhsGiven = 1;
inline constexpr std::uint8_t kRangeGiven = 2;
// Counts stay below 2^32 so that 32-bit indexes and the 1-based stamps fit.
inline constexpr std::size_t kMaxCount = 0xFFFFFFFFu;

}  // namespace orbxmps
