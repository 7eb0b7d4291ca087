#pragma once

#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "MpsFields.h"
#include "PodVector.h"

namespace orbxmps {

enum class MpsLineKind : std::uint8_t { kData, kHeader };

// A line's fields as places in the line: a quarter of the bytes of their views. Records
// cross from one core to the other, and their memory is most of the feed's.
struct MpsFieldSpans {
    std::uint16_t start[MpsFields::kMaxFields];
    std::uint16_t length[MpsFields::kMaxFields];
    std::uint8_t count;
    bool tooMany;
    bool strayText;

    // The first fields.count fields, split from line (those after are not read); a data
    // line's fields fit 16 bits (lines hold at most 64 kB).
    void assign(const MpsFields& fields, std::string_view line) {
        std::memset(start, 0, sizeof start);
        std::memset(length, 0, sizeof length);
        for (int i = 0; i < fields.count; ++i) {
            const std::string_view field = fields.field[i];
            // A fixed-format field may be empty, and its view anywhere.
            if (field.empty()) continue;
            start[i] = static_cast<std::uint16_t>(field.data() - line.data());
            length[i] = static_cast<std::uint16_t>(field.size());
        }
        count = static_cast<std::uint8_t>(fields.count);
        tooMany = fields.tooMany;
        strayText = fields.strayText;
    }
    // The fields of a short free-format line (see splitShortFreeAt); false, for a line that
    // needs splitMpsFields() and assign(), without them.
    bool splitShortFree(std::string_view line) {
        std::memset(start, 0, sizeof start);
        std::memset(length, 0, sizeof length);
        strayText = false;
        MpsFieldPlaces places{start, length, count, tooMany};
        return splitShortFreeAt(line, places);
    }
    // The field of line, the text it was split from; an empty field is an empty view at the
    // line's start, made without a branch.
    std::string_view field(std::string_view line, int i) const {
        return {line.data() + start[i], length[i]};
    }
    void expand(std::string_view line, MpsFields& out) const {
        for (int i = 0; i < MpsFields::kMaxFields; ++i) out.field[i] = field(line, i);
        out.count = count;
        out.tooMany = tooMany;
        out.strayText = strayText;
    }
};

// One significant line (comments and empty lines are left out). Data lines come split;
// COLUMNS lines also with their names hashed. This work runs on another thread than the one
// that stores the model.
struct MpsLineRecord {
    std::string_view text;
    std::uint64_t number;
    MpsLineKind kind;
    bool codeField;    // fields split with the type field of ROWS and BOUNDS lines
    bool columnsLine;  // hash is filled
    bool rowsLine;     // a ROWS line of two fields: hash[1] is filled
    // COLUMNS: value[k] holds field 2 + 2k, parsed and within the model's range, when the
    // line feed's thread had the time; else the storing thread parses the field.
    bool valueParsed[2];
    MpsFieldSpans spans;
    std::uint64_t hash[3];  // of fields 0, 1 and 3 (column, row, row)
    double value[2];
};

// A run of lines copied out of the reader's buffer, with their records. The text has a fixed
// capacity, so views into it stay put, and readable padding after it for whole-word loads.
struct MpsLineBlock {
    static constexpr std::size_t kTextCapacity = 256 * 1024;
    // Records take several times the bytes of their lines (short ROWS lines ten times): a
    // block of short lines would otherwise hold megabytes of them while the model grows. The
    // blocks in flight are part of a small model's peak: 4096 records a block made a 1M
    // model's 1.3 MB more than this, for no speed.
    static constexpr std::size_t kRecordCapacity = 2048;
    static constexpr std::size_t kPadding = 64;

    // Uncleared but for the padding: the filler clears the bytes after each line it copies,
    // and pages a small file never reaches are never touched.
    MpsLineBlock() : text(new char[kTextCapacity + kPadding]) {
        std::memset(text.get() + kTextCapacity, 0, kPadding);
    }

    std::unique_ptr<char[]> text;
    std::size_t textUsed = 0;
    PodVector<MpsLineRecord> records;
    bool endOfFile = false;    // no block follows
    std::exception_ptr error;  // raised once the records before it are consumed
    // At the end of the file: its last line, comment or not, for messages about the end.
    std::string finalLine;
    std::uint64_t finalLineNumber = 0;

    void reset() {
        textUsed = 0;
        records.resize(0);
        endOfFile = false;
        error = nullptr;
    }
};

}  // namespace orbxmps
