#pragma once

#include <cstdio>
#include <optional>
#include <vector>

#include "ColumnDisplay.h"
#include "NameList.h"
#include "RowDisplay.h"
#include "RowIndexCache.h"
#include "Submatrix.h"
#include "TempFolder.h"
#include "TestData.h"
#include "TextHolds.h"

namespace displaytest {

using Lines = std::vector<std::string>;

// The models the display tests open, under tests/data/display.
inline std::string model(const char* name) {
    return testsupport::testData(std::string("display/") + name);
}

// The submatrix as text, for whole comparisons: "ROW type rhs" per row in the order added,
// then "COLUMN: row=value ..." per column in name order.
inline Lines describe(const Submatrix& submatrix) {
    Lines lines;
    for (std::size_t r = 0; r < submatrix.rowCount(); ++r) {
        const SubmatrixRow& row = submatrix.row(r);
        lines.push_back(row.name + " " + row.type + " " + std::to_string(row.rhs));
    }
    for (std::size_t c = 0; c < submatrix.columnCount(); ++c) {
        const SubmatrixColumn& column = submatrix.column(c);
        std::string line = column.name + ":";
        for (const SubmatrixEntry& entry : column.entries) {
            char value[32];
            std::snprintf(value, sizeof value, "%g", static_cast<double>(entry.value));
            line += " " + submatrix.row(entry.row).name + "=" + value;
        }
        lines.push_back(line);
    }
    return lines;
}

// Opens models and solutions in a document, and shows rows and columns of it.
class DisplayDocTest : public ::testing::Test {
protected:
    // Opens mps text as File Open does; fails the test when it cannot.
    void openModel(const std::string& mps = model("detail.mps")) {
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
    // The row or column named name as the detail view builds it.
    DetailContent show(std::string_view name, bool row) {
        const std::optional<std::size_t> place = NameList(doc.model(), row).indexOf(name);
        EXPECT_TRUE(place.has_value()) << name;
        // The entries view the index, which therefore outlives them.
        const RowIndex& index = indexes.indexFor(doc);
        DetailContent content;
        row ? BuildRowDisplay(sources(&index), place, content)
            : BuildColumnDisplay(sources(), place, content);
        return content;
    }
    DetailContent showRow(std::string_view name) { return show(name, true); }
    DetailContent showColumn(std::string_view name) { return show(name, false); }
    // The five texts the list shows for the first entry named name; empty when none is.
    static std::vector<std::string> cellsNamed(const DetailContent& content,
                                               std::string_view name) {
        for (std::size_t i = 0; i < content.entryCount(); ++i)
            if (content.entryName(i) == name) return cellsAt(content, i);
        return {};
    }
    // The value lines, left column then right: L1 L2 L3 R1 R2 R3 R4.
    static std::vector<std::string> valueLines(const DetailContent& c) {
        return {c.L1, c.L2, c.L3, c.R1, c.R2, c.R3, c.R4};
    }
    static std::vector<std::string> cellsAt(const DetailContent& content, std::size_t entry) {
        std::vector<std::string> cells;
        for (int column = 0; column < 5; ++column) cells.push_back(content.cellText(entry, column));
        return cells;
    }
    // Every entry's five texts in list order, then the sum line R3.
    static Lines shown(const DetailContent& content) {
        Lines texts;
        for (std::size_t i = 0; i < content.entryCount(); ++i)
            for (const std::string& cell : cellsAt(content, i)) texts.push_back(cell);
        texts.push_back(content.R3);
        return texts;
    }
    // Content that holds the entries of content whole, in their listed order, written alike.
    static DetailContent held(const DetailContent& content) {
        DetailContent whole;
        whole.rowDisplay = content.rowDisplay;
        whole.format = content.format;
        whole.R3 = content.R3;
        for (std::size_t i = 0; i < content.entryCount(); ++i)
            whole.entries.push_back(content.entry(i));
        return whole;
    }

    testsupport::TempFolder folder;
    RecordingUserInterface ui;
    AppFlags flags;
    CNorvaDoc doc{ui, flags, nullptr};
    NumberFormatOptions format;
    RowIndexCache indexes;
};

}  // namespace displaytest
