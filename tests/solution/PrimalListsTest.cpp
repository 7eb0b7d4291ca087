#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PrimalLists.h"

namespace {

TEST(StatusCodeOfText, ReadsEachKnownTextAndGivesOneForAnyOther) {
    int code = 2;
    for (const char* text : {"FR", "BS", "EQ", "UL", "LL", "**", "++"})
        EXPECT_EQ(StatusCodeOfText(text), code++) << text;
    for (const char* text : {"bs", "BS ", " BS", "", "B", "BSX", "fr", "*", "+-", "UL\n"})
        EXPECT_EQ(StatusCodeOfText(text), 1) << '"' << text << '"';
    EXPECT_EQ(StatusCodeOfText(std::string("BS\0", 3)), 1);
}

// Byte order, as strcmp compares unsigned bytes: upper case first, a byte above 127 last.
TEST(PrimalLists, SortsByBytesAndFindsOnlyTheExactName) {
    EXPECT_EQ(ComparePrimalRows({"C", 0, 0, 3}, {"A", 0, 0, 3}), 1);
    EXPECT_EQ(ComparePrimalRows({"ROW1", 0, 0, 3}, {"ROW1", 0, 0, 3}), 0);
    EXPECT_EQ(ComparePrimalCols({"X", 0, 0, 0, 3}, {"X1", 0, 0, 0, 3}), -1);
    PrimalLists lists;
    EXPECT_EQ(lists.FindPrimalRow("A"), nullptr);  // nothing before any solution
    float activity = 1.0f;
    for (const char* name : {"b", "\xC3\xA9", "B", "_", "a", "Z", "A1", "A"}) {
        lists.AddPrimalRow({name, activity, 0, 3});
        lists.AddPrimalColumn({name, 0, 0, activity++, 3});
    }
    lists.SortPrimalLists();
    std::vector<std::string> names;
    for (const CPrimalRow& row : lists.rows) names.push_back(row.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"A", "A1", "B", "Z", "_", "a", "b", "\xC3\xA9"}));
    ASSERT_NE(lists.FindPrimalRow("A1"), nullptr);
    EXPECT_EQ(lists.FindPrimalRow("A1")->Activity, 7.0f);
    EXPECT_EQ(lists.FindPrimalColumn("\xC3\xA9")->Cost, 2.0f);
    for (const char* missing : {"a1", "A1 ", " A1", "A2", "", "\xC3"}) {
        EXPECT_EQ(lists.FindPrimalRow(missing), nullptr) << missing;
        EXPECT_EQ(lists.FindPrimalColumn(missing), nullptr) << missing;
    }
}

}  // namespace
