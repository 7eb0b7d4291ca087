#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "MpsFields.h"
#include "PodVector.h"

namespace orbxmps {

enum class MpsLineKind : std::uint8_t { kData, kHeader };

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
    MpsFields fields;
    std::uint64_t hash[3];  // of fields 0, 1 and 3 (column, row, row)
};

// A run of lines copied out of the reader's buffer, with their records. The text has a fixed
// capacity, so views into it stay put, and readable padding after it for whole-word loads.
struct MpsLineBlock {
    static constexpr std::size_t kTextCapacity = 256 * 1024;
    // Records take several times the bytes of their lines (short ROWS lines ten times): a
    // block of short lines would otherwise hold megabytes of them while the model grows.
    static constexpr std::size_t kRecordCapacity = 4096;
    static constexpr std::size_t kPadding = 64;

    MpsLineBlock() : text(new char[kTextCapacity + kPadding]()) {}

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
