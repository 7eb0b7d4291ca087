#include "DenseRowLists.h"
#include "DisplayTestSupport.h"
#include "EntrySort.h"
#include "WidestCells.h"

namespace {

using displaytest::Lines;

class RowDisplayTest : public displaytest::DisplayDocTest {
protected:
    void SetUp() override { openModel(); }
};

TEST_F(RowDisplayTest, WithoutSolutionShowsCoefficientsLibraryValuesAndOneSidedWarnings) {
    const DetailContent content = showRow("POSRHS");
    EXPECT_EQ(cellsAt(content, 2), (Lines{"Y", "4.00000", "", "", ""}));
    EXPECT_EQ(valueLines(content),
              (Lines{"Row Type: LE", "RHS Value: 5.00000", "Range Value: 2.50000",
                     "Row Status: ", "Row Activity: 0.00000", "Row Activity Sum: 0.00000",
                     "Row Pi Value: 0.00000"}));

    const DetailContent equality = showRow("NEGRHS"), greater = showRow("ALLNEG");
    EXPECT_EQ(equality.L1 + "|" + equality.L3, "Row Type: EQ|Range Value: ");
    EXPECT_EQ(greater.L1 + "|" + greater.L2,
              "Row Type: GE|RHS Value: ");  // a zero RHS is not stored
    EXPECT_EQ(showRow("OBJ").L1, "Row Type: FR");
    // ALLPOS: coefficients >= 0 (one is 0) and a negative RHS, which counts as positive.
    // ALLNEG: all negative, RHS 0 counts as neither. ZEROCOEF: a zero coefficient is positive.
    // POSRHS, NEGRHS: the RHS counts with opposite sign. QSIGN: the only negative entry is a
    // nonlinear term's coefficient.
    Lines warnings;
    for (const char* row : {"ALLPOS", "ALLNEG", "ZEROCOEF", "POSRHS", "NEGRHS", "QSIGN"})
        warnings.push_back(showRow(row).warning);
    EXPECT_EQ(warnings, (Lines{"Warning: Row has no NEGATIVE entries.",
                               "Warning: Row has no POSITIVE entries.", "", "", "", ""}));
}

TEST_F(RowDisplayTest, NonlinearColumnsShowTheirLastTermAndNoProducts) {
    openSolution("X 2\nY 0.5\n");
    const DetailContent content = showRow("QROW");
    ASSERT_EQ(content.entryCount(), 2u);
    // X is in term 1 only; Y in terms 1 and 2 and keeps 2.
    EXPECT_EQ(cellsAt(content, 0), (Lines{"X", "", "2.00000", "", "1"}));
    EXPECT_EQ(cellsAt(content, 1), (Lines{"Y", "", "0.50000", "", "2"}));
    EXPECT_EQ(content.entry(0).coefficient, 3.0);
    EXPECT_EQ(content.R3, "Row Activity Sum: ");
    // QSIGN's linear column X takes part in no term of that row.
    EXPECT_EQ(cellsAt(showRow("QSIGN"), 0), (Lines{"X", "1.00000", "2.00000", "2.00000", ""}));
}

// The records give the status; without them the library's solution gives the rest alike.
TEST_F(RowDisplayTest, KnlpSolutionFillsActivitiesAndFallsBackToTheLibraryWithoutRecords) {
    openSolution("X 2\nY 0.5\nZ 1.5\nW -1\n");
    for (const char* status : {"Basic", ""}) {
        const DetailContent content = showRow("POSRHS");
        EXPECT_EQ(cellsAt(content, 0), (Lines{"W", "0.50000", "-1.00000", "-0.50000", ""}));
        EXPECT_EQ(content.R1 + "|" + content.R2 + "|" + content.R3,
                  "Row Status: " + std::string(status) +
                      "|Row Activity: 3.50000|Row Activity Sum: 3.50000");
        doc.primal().ClearPrimalColumns();
        doc.primal().ClearPrimalRows();
    }
}

TEST_F(RowDisplayTest, ProductsAndTheSumAre32BitFloats) {
    openModel(
        "NAME F\nROWS\n N obj\n L big\nCOLUMNS\n"
        "    A  big  4097\n    B  big  1\nENDATA\n");
    openSolution("A 4097\nB 1\n");
    format.decimals = 0;
    const DetailContent content = showRow("big");
    // 4097 * 4097 = 16785409 needs 25 bits; the float holds 16785408, and adding 1 stays there.
    EXPECT_EQ(content.cellText(0, 3), "16785408");
    EXPECT_EQ(content.R3, "Row Activity Sum: 16785408");
    EXPECT_EQ(content.R2, "Row Activity: 16785410");  // the library adds in double
}

// Row display makes its entries when asked for, finding records by column position (the
// cache's map). Held whole and sorted by the entry sort, they must list alike under every key,
// and so must the entries made with records found by name (an index without a map) and by the
// walk; the searches over them (an entry by name, the widest cells) must find what a pass over
// the whole entries finds. With a solution in the library and records that differ from it (a
// later duplicate record is never shown, a column without a record shows the library's value,
// a record of no column changes nothing), and with solution records alone.
TEST_F(RowDisplayTest, EntriesMadeOnDemandAgreeWithWholeEntriesAndLookupsByNameUnderEveryKey) {
    openSolution("X 2\nY 0.5\nZ -1.5\nW -1\nV 3\n");
    const PrimalLists records = doc.primal();
    doc.primal().ClearPrimalColumns();
    for (const CPrimalCol& record :
         {CPrimalCol{"Y", 4.0f, 0.0f, 0.0f, 3}, CPrimalCol{"W", -2.0f, 0.0f, 0.0f, 3},
          CPrimalCol{"Y", 9.0f, 0.0f, 0.0f, 3}, CPrimalCol{"NONE", 1.0f, 0.0f, 0.0f, 3}})
        doc.primal().AddPrimalColumn(record);
    doc.primal().SortPrimalLists();
    const DetailContent posrhs = showRow("POSRHS");
    EXPECT_EQ(cellsNamed(posrhs, "Y"), (Lines{"Y", "4.00000", "4.00000", "16.00000", ""}));
    EXPECT_EQ(cellsNamed(posrhs, "X"), (Lines{"X", "1.00000", "2.00000", "2.00000", ""}));
    EXPECT_EQ(posrhs.R3, "Row Activity Sum: 17.00000");  // W -1, X 2, Y 16
    for (const bool recordsAlone : {false, true}) {
        if (recordsAlone) {
            openModel();
            for (const CPrimalCol& record : records.columns) doc.primal().AddPrimalColumn(record);
            doc.primal().SortPrimalLists();
        }
        RowIndexCache cache;
        DetailSources made = sources(&cache.indexFor(doc), &cache.primalColumnsFor(doc));
        ASSERT_TRUE(cache.primalColumnsFor(doc).answersFor(doc.primal()));
        made.nameLengths = &cache.nameLengthsFor(doc);
        const RowIndex plain(doc.model());
        DenseRowLists listedAhead;
        listedAhead.pick(doc.model(), 2);
        listedAhead.listAll(doc.model());
        DetailSources byName = sources(&plain), byWalk = sources(), byList = sources();
        byList.denseRows = &listedAhead;
        for (std::size_t row = 0; row < doc.model().rows.size(); ++row) {
            made.sortKey = -1;  // the coefficients' own order
            DetailContent unsorted;
            BuildRowDisplay(made, row, unsorted);
            for (made.sortKey = 0; made.sortKey <= 4; ++made.sortKey) {
                DetailContent whole = held(unsorted), onDemand, named, walked, listed;
                sortEntries(whole.entries, made.sortKey, true);
                BuildRowDisplay(made, row, onDemand);
                byName.sortKey = byWalk.sortKey = byList.sortKey = made.sortKey;
                BuildRowDisplay(byName, row, named);
                BuildRowDisplay(byWalk, row, walked);
                BuildRowDisplay(byList, row, listed);
                const std::string where = (recordsAlone ? "records, row " : "library, row ") +
                                          std::to_string(row) + " key " +
                                          std::to_string(made.sortKey);
                EXPECT_EQ(shown(onDemand), shown(whole)) << where;
                EXPECT_EQ(shown(onDemand), shown(named)) << where;
                EXPECT_EQ(shown(onDemand), shown(walked)) << where;
                EXPECT_EQ(shown(onDemand), shown(listed)) << where;
                for (int column = 0; column < 5; ++column)
                    EXPECT_EQ(widestCellTexts(onDemand, column), widestCellTexts(whole, column))
                        << where << " column " << column;
                for (const CCol& column : doc.model().columns)
                    EXPECT_EQ(onDemand.findEntry(column.name()), whole.findEntry(column.name()))
                        << where << " " << column.name();
            }
        }
    }
}

// A row of many columns, some of them without a record, is summarized in one pass (its value
// columns' extremes and the sum of products); what that finds must be what passes over its
// whole entries and a lookup of each record by name find, whatever the number format; so must
// its order by activity and by product.
// Past a quarter of a million entries the summary is made in two halves side by side.
TEST_F(RowDisplayTest, ADenseRowsSummaryAgreesWithPassesOverItsEntries) {
    for (const int columns : {45, (1 << 18) + 45}) {
        std::string mps = "NAME DENSE\nROWS\n N obj\n L dense\nCOLUMNS\n";
        const char* coefficients[] = {"1", "-1", "2.5e7", "-3e-4", "0", "-4.5e5", "7", "1e12"};
        for (int c = 0; c < columns; ++c)
            mps += "    C" + std::to_string(c) + " dense " + coefficients[c % 8] + "\n";
        openModel(mps + "ENDATA\n");
        // All negative: a column without a record, were its activity taken as 0, would add one.
        const float activities[] = {-1.5f, -2e6f, -3.25f, -1e-7f, -8e5f};
        for (int c = 0; c < columns; ++c)
            if (c % 3 != 2)
                doc.primal().AddPrimalColumn(
                    {"C" + std::to_string(c), activities[c % 5], 0.0f, 0.0f, 3});
        doc.primal().SortPrimalLists();
        RowIndexCache cache;
        const RowIndex& index = cache.indexFor(doc);
        const PrimalColumnMap& map = cache.primalColumnsFor(doc);
        const std::size_t row = NameList(doc.model(), true).indexOf("dense").value();
        const bool few = columns < 1000;
        for (const int key : {0, 2, 3})
            for (const int decimals : {0, 5, 12})
                for (const bool scientific : {false, true}) {
                    if (!few && (key != 3 || decimals != 5 || scientific)) continue;
                    doc.setSortKey(key);
                    format = {decimals, scientific};
                    DetailContent summarized, byName;
                    BuildRowDisplay(sources(&index, &map), row, summarized);
                    BuildRowDisplay(sources(&index), row, byName);
                    ASSERT_NE(summarized.rowEntries.summarized(), nullptr);
                    const auto where = ::testing::Message()
                                       << columns << " columns, key " << key << " decimals "
                                       << decimals << " scientific " << scientific;
                    const DetailContent whole = held(summarized);
                    EXPECT_EQ(shown(summarized), shown(byName)) << where;
                    for (int column = 1; column <= 3; ++column)
                        EXPECT_EQ(widestCellTexts(summarized, column),
                                  widestCellTexts(whole, column))
                            << where << " column " << column;
                }
        doc.setSortKey(0);
    }
}

TEST_F(RowDisplayTest, NoSelectionOrLibraryObjectKeepsTheLabelsAndARowOutsideTheArrayThrows) {
    DetailContent content = showRow("ALLPOS");
    BuildRowDisplay(sources(), std::nullopt, content);
    EXPECT_EQ(content.entryCount(), 0u);
    EXPECT_EQ(valueLines(content), (Lines{"Row Type: ", "RHS Value: ", "Range Value: ",
                                          "Row Status: ", "Row Activity: ", "", "Row Pi Value: "}));
    EXPECT_EQ(content.warning, "Warning: Row has no NEGATIVE entries.");
    EXPECT_THROW(BuildRowDisplay(sources(), doc.model().rows.size(), content), std::out_of_range);
    // Without the library object only the entries empty.
    DetailContent kept = showRow("POSRHS");
    doc.ReleaseMatrixLibraryObject();
    BuildRowDisplay(sources(), 0, kept);
    EXPECT_EQ(std::tuple(kept.entryCount(), kept.L2, kept.R3),
              std::tuple(0u, "RHS Value: 5.00000", "Row Activity Sum: 0.00000"));
}

}  // namespace
