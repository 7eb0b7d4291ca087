#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "AppFlags.h"
#include "CNorvaDoc.h"
#include "ColumnDisplay.h"
#include "DetailContent.h"
#include "IUserInterface.h"
#include "NameList.h"
#include "RowDisplay.h"
#include "RowIndex.h"
#include "TempFolder.h"

namespace displaytest {

// Rows for the sign test (ALLPOS, ALLNEG, ZEROCOEF, POSRHS, NEGRHS), rows with nonlinear
// terms (QROW: X and Y in a first term, Y again in a second; QSIGN: only its term is
// negative), and columns with default, upper, fixed, free and minus-infinity bounds.
// The library column order (X, Y, Z, W, V) is not the name order.
inline constexpr const char* kDetailMps = R"(NAME          DETAIL
ROWS
 N  OBJ
 L  ALLPOS
 G  ALLNEG
 L  ZEROCOEF
 L  POSRHS
 E  NEGRHS
 L  QROW
 G  QSIGN
COLUMNS
    X         OBJ       1.5        ALLPOS    2
    X         ALLNEG    -1         POSRHS    1
    X         NEGRHS    -1         QROW      3
    X         QSIGN     1
    Y         ALLPOS    0          ALLNEG    -2
    Y         ZEROCOEF  0          POSRHS    4
    Y         QROW      -1
    Z         OBJ       -2         ZEROCOEF  -1
    Z         NEGRHS    -1
    W         OBJ       1          POSRHS    0.5
    V         ALLPOS    1
RHS
    RHS       ALLPOS    -3         POSRHS    5
    RHS       NEGRHS    -2         QROW      4
RANGES
    RNG       POSRHS    2.5
BOUNDS
 UP BND       Y         8
 FX BND       Z         1.5
 FR BND       W
 MI BND       V
 UP BND       V         4
QCMATRIX   QROW
    X         Y         2
    Y         Y         -0.5
QCMATRIX   QSIGN
    Y         Y         -1
ENDATA
)";

// Opens models and solutions in a document, and shows rows and columns of it.
class DisplayDocTest : public ::testing::Test {
protected:
    // Opens mps text as File Open does; fails the test when it cannot.
    void openModel(const std::string& mps = kDetailMps) {
        flags.openAsSolution = false;
        ASSERT_TRUE(doc.OnOpenDocument(folder.write("detail.mps", mps))) << ui.lastMessage;
    }
    // Reads a KNLP solution ("NAME VALUE" lines after three header lines) as Open Solution does.
    void openSolution(const std::string& entries) {
        flags.openAsSolution = true;
        const std::string path = folder.write("KNLP_Solution.001", "h\nh\nh\n" + entries);
        ASSERT_TRUE(doc.OnOpenDocument(path)) << ui.lastMessage;
        flags.openAsSolution = false;
    }

    DetailSources sources(const RowIndex* index = nullptr,
                          const PrimalColumnMap* primalColumns = nullptr) const {
        DetailSources made = detailSourcesOf(doc, index, format);
        made.primalColumns = primalColumns;
        return made;
    }
    DetailContent showRow(std::string_view name) {
        const std::optional<std::size_t> row = NameList(doc.model(), true).indexOf(name);
        EXPECT_TRUE(row.has_value()) << name;
        const RowIndex index(doc.model());
        DetailContent content;
        BuildRowDisplay(sources(&index), row, content);
        return content;
    }
    DetailContent showColumn(std::string_view name) {
        const std::optional<std::size_t> column = NameList(doc.model(), false).indexOf(name);
        EXPECT_TRUE(column.has_value()) << name;
        DetailContent content;
        BuildColumnDisplay(sources(), column, content);
        return content;
    }
    // The five texts the list shows for the first entry named name; empty when none is.
    static std::vector<std::string> cellsNamed(const DetailContent& content,
                                               std::string_view name) {
        for (std::size_t i = 0; i < content.entries.size(); ++i)
            if (content.entries[i].name == name) return cellsAt(content, i);
        return {};
    }
    static std::vector<std::string> cellsAt(const DetailContent& content, std::size_t entry) {
        std::vector<std::string> cells;
        for (int column = 0; column < 5; ++column) cells.push_back(content.cellText(entry, column));
        return cells;
    }

    testsupport::TempFolder folder;
    RecordingUserInterface ui;
    AppFlags flags;
    CNorvaDoc doc{ui, flags, nullptr};
    NumberFormatOptions format;
};

}  // namespace displaytest
