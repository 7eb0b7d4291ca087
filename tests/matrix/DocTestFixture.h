#pragma once

#include "CNorvaDoc.h"
#include "MatrixTestSupport.h"

namespace matrixtest {

// Rows differing only in case, a zero RHS, a range on a row without RHS, a coefficient of 0.1,
// a zero coefficient, and columns that are default, upper-bounded, fixed and free. The library
// column order (X1, Y2, FX5, FREE) differs from the name order.
inline const std::string kTinyMps = testsupport::testData("mps/tiny.mps");
// Line 5 holds a value that is not a number.
inline const std::string kBadValueMps = testsupport::testData("bad/bad_value.mps");

class DocTest : public ::testing::Test {
protected:
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
