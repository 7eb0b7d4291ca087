#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PrimalLists.h"

namespace {

CPrimalRow makeRow(const std::string& name, float activity = 0.0f) {
    CPrimalRow row;
    row.Name = name;
    row.Activity = activity;
    row.Status = 3;
    return row;
}

CPrimalCol makeColumn(const std::string& name, float cost = 0.0f) {
    CPrimalCol column;
    column.Name = name;
    column.Cost = cost;
    column.Status = 3;
    return column;
}

TEST(StatusCodeOfText, ReadsEachKnownText) {
    int code = 2;
    for (const char* text : {"FR", "BS", "EQ", "UL", "LL", "**", "++"})
        EXPECT_EQ(StatusCodeOfText(text), code++) << text;
}

TEST(StatusCodeOfText, GivesOneForAnyOtherText) {
    for (const char* text : {"bs", "BS ", " BS", "", "B", "BSX", "fr", "*", "+-", "UL\n"})
        EXPECT_EQ(StatusCodeOfText(text), 1) << '"' << text << '"';
    EXPECT_EQ(StatusCodeOfText(std::string("BS\0", 3)), 1);
}

TEST(PrimalLists, ComparisonIsNormalisedByteOrder) {
    EXPECT_EQ(ComparePrimalRows(makeRow("A"), makeRow("C")), -1);
    EXPECT_EQ(ComparePrimalRows(makeRow("C"), makeRow("A")), 1);
    EXPECT_EQ(ComparePrimalRows(makeRow("ROW1"), makeRow("ROW1")), 0);
    EXPECT_EQ(ComparePrimalCols(makeColumn("X"), makeColumn("X1")), -1);
    EXPECT_EQ(ComparePrimalCols(makeColumn("x"), makeColumn("X")), 1);
    // A byte above 127 sorts after every ASCII byte, as strcmp compares unsigned bytes.
    EXPECT_EQ(ComparePrimalCols(makeColumn("\xC3\xA9"), makeColumn("z")), 1);
}

TEST(PrimalLists, SortsByBytesWithUpperCaseFirst) {
    PrimalLists lists;
    for (const char* name : {"b", "\xC3\xA9", "B", "_", "a", "Z", "A1", "A"})
        lists.AddPrimalRow(makeRow(name));
    lists.SortPrimalLists();
    std::vector<std::string> names;
    for (const CPrimalRow& row : lists.rows) names.push_back(row.Name);
    const std::vector<std::string> expected = {"A", "A1", "B", "Z", "_", "a", "b", "\xC3\xA9"};
    EXPECT_EQ(names, expected);
}

TEST(PrimalLists, FindsOnlyTheExactName) {
    PrimalLists lists;
    lists.AddPrimalRow(makeRow("ROW1", 1.5f));
    lists.AddPrimalRow(makeRow("row2", 2.5f));
    lists.AddPrimalColumn(makeColumn("X1", 4.0f));
    lists.AddPrimalColumn(makeColumn("X10", 5.0f));
    lists.SortPrimalLists();

    const CPrimalRow* row = lists.FindPrimalRow("ROW1");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->Activity, 1.5f);
    EXPECT_EQ(lists.FindPrimalRow("row1"), nullptr);
    EXPECT_EQ(lists.FindPrimalRow("ROW2"), nullptr);
    EXPECT_EQ(lists.FindPrimalRow("ROW1 "), nullptr);
    EXPECT_EQ(lists.FindPrimalRow(" ROW1"), nullptr);

    const CPrimalCol* column = lists.FindPrimalColumn("X1");
    ASSERT_NE(column, nullptr);
    EXPECT_EQ(column->Cost, 4.0f);
    EXPECT_EQ(lists.FindPrimalColumn("x1"), nullptr);
    EXPECT_EQ(lists.FindPrimalColumn("X"), nullptr);
}

TEST(PrimalLists, FindsNothingWithoutSolution) {
    PrimalLists lists;
    lists.SortPrimalLists();
    EXPECT_EQ(lists.FindPrimalRow("ROW1"), nullptr);
    EXPECT_EQ(lists.FindPrimalColumn(""), nullptr);
}

TEST(PrimalLists, KeepsDuplicateNamesSideBySide) {
    PrimalLists lists;
    lists.AddPrimalColumn(makeColumn("X", 1.0f));
    lists.AddPrimalColumn(makeColumn("W", 3.0f));
    lists.AddPrimalColumn(makeColumn("X", 2.0f));
    lists.SortPrimalLists();
    ASSERT_EQ(lists.columns.size(), 3u);
    EXPECT_EQ(lists.columns[1].Name, "X");
    EXPECT_EQ(lists.columns[2].Name, "X");
    const CPrimalCol* found = lists.FindPrimalColumn("X");
    ASSERT_NE(found, nullptr);
    EXPECT_TRUE(found->Cost == 1.0f || found->Cost == 2.0f);
}

TEST(PrimalLists, ClearEmptiesOnlyItsOwnList) {
    PrimalLists lists;
    lists.AddPrimalRow(makeRow("R"));
    lists.AddPrimalColumn(makeColumn("C"));
    lists.ClearPrimalRows();
    EXPECT_TRUE(lists.rows.empty());
    EXPECT_EQ(lists.columns.size(), 1u);
    lists.ClearPrimalColumns();
    EXPECT_TRUE(lists.columns.empty());

    lists.AddPrimalRow(makeRow("S"));
    lists.SortPrimalLists();
    EXPECT_EQ(lists.FindPrimalRow("R"), nullptr);
    EXPECT_NE(lists.FindPrimalRow("S"), nullptr);
}

}  // namespace
