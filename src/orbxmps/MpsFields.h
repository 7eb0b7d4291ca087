#pragma once

#include <cstdint>
#include <string_view>

#include "orbxmps.h"

namespace orbxmps {

// The fields of one MPS data line, as views into the line. In fixed MPS the fields are
// positional: an empty field between others stays in place (a blank set name is field 0 of
// an RHS line), and count ends after the last non-empty one.
struct MpsFields {
    static constexpr int kMaxFields = 6;

    std::string_view field[kMaxFields];
    int count = 0;
    bool tooMany = false;    // free MPS: more fields than any section uses
    bool strayText = false;  // fixed MPS: text between or after the fields

    std::string_view operator[](int i) const { return field[i]; }
};

// Splits a data line. Free MPS splits on blanks and tabs. Fixed MPS takes columns 2-3, 5-12,
// 15-22, 25-36, 40-47 and 50-61, each trimmed, so names may hold inner blanks; without a code
// field (sections other than ROWS and BOUNDS) columns 2-3 are skipped. readablePastEnd says
// that the 64 bytes from the line's start, and the 63 after its end, may be read.
void splitMpsFields(std::string_view line, MpsFormat format, bool hasCodeField, MpsFields& out,
                    bool readablePastEnd = false);

// Where a line's fields lie in it: what splitShortFreeAt() writes.
struct MpsFieldPlaces {
    std::uint16_t (&start)[MpsFields::kMaxFields];
    std::uint16_t (&length)[MpsFields::kMaxFields];
    std::uint8_t& count;
    bool& tooMany;
};

// splitMpsFields() of a free-format line of at most 64 bytes, with 63 readable after it, into
// places rather than views: read back at once, the views' wide stores would not be forwarded
// to the loads. False, writing nothing, for a longer line (or without SSE2).
bool splitShortFreeAt(std::string_view line, MpsFieldPlaces& places);

// The line without leading and trailing blanks and tabs.
std::string_view trimBlanks(std::string_view text);

}  // namespace orbxmps
