#pragma once

#include <gtest/gtest.h>

#include <string>

#include "CNorvaDoc.h"
#include "MatrixTestSupport.h"

namespace matrixtest {

// Rows differing only in case, a zero RHS, a range on a row without RHS, a coefficient of 0.1,
// a zero coefficient, and columns that are default, upper-bounded, fixed and free. The library
// column order (X1, Y2, FX5, FREE) differs from the name order.
inline constexpr const char* kTinyMps = R"(NAME          TINY
ROWS
 N  OBJ
 L  Cap
 G  cap
 E  BAL
COLUMNS
    X1        OBJ       1.0        Cap       0.1
    X1        BAL       2.0
    Y2        cap       -3.5       BAL       0
    FX5       OBJ       7          Cap       1
    FREE      cap       1
RHS
    RHS       Cap       4          BAL       0
    RHS       cap       2
RANGES
    RNG       BAL       3
BOUNDS
 UP BND       Y2        8
 FX BND       FX5       5
 FR BND       FREE
ENDATA
)";

inline constexpr const char* kOtherMps = R"(NAME OTHER
ROWS
 N  profit
 L  limit
COLUMNS
    z  profit  1  limit  2
RHS
    RHS  limit  9
ENDATA
)";

// Line 5 holds a value that is not a number.
inline constexpr const char* kBadValueMps = R"(NAME BAD
ROWS
 N  OBJ
COLUMNS
    X1  OBJ  1.0.0
ENDATA
)";

class DocTest : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& content) {
        const std::string path = folder / name;
        writeFile(path, content);
        return path;
    }

    bool openMatrix(CNorvaDoc& document, const std::string& path) {
        flags.openAsSolution = false;
        return document.OnOpenDocument(path);
    }

    TempFolder folder;
    RecordingUserInterface ui;
    AppFlags flags;
    RecordingResultsDatabase database;
    CNorvaDoc doc{ui, flags, nullptr};
    CNorvaDoc docWithDatabase{ui, flags, &database};
};

}  // namespace matrixtest
