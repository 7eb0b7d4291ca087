#include <gtest/gtest.h>

#include <string>

#include "DbfTableFixture.h"
#include "IoDateTime.h"

namespace {

using testsupport::DbfFileBuilder;

class DbfReadTest : public testsupport::DbfTableFixture {
protected:
    // Codes with their counts; record 3 is deleted, record 5 has an empty code.
    DbfFileBuilder codes() {
        DbfFileBuilder builder;
        builder.field("CODE", 'C', 6).field("COUNT", 'N', 5);
        builder.record({"AB", "1"})
            .record({"ABC", "2"})
            .record({"AB", "3"}, true)
            .record({"ab", "4"})
            .record({"", "5"})
            .record({"AXC", "6"})
            .record({"AXXC", "7"})
            .record({"AC", "8"});
        return builder;
    }

    // The COUNT of every row read, in order, e.g. "1 2 ".
    std::string counts() const {
        std::string out;
        for (std::size_t row = 0; row < m_rows.size(); ++row) {
            out += std::to_string(value(row, 0).AsLong()) + " ";
        }
        return out;
    }
};

TEST_F(DbfReadTest, DecodesEveryFieldType) {
    ASSERT_TRUE(openBuilt(
        DbfFileBuilder(4)
            .field("NAME", 'C', 8)
            .field("PRICE", 'N', 10, 2)
            .field("RATE", 'F', 12, 4)
            .field("DAY", 'D', 8)
            .field("NOTE", 'M', 10)
            .field("OK", 'L', 1)
            .record({"  pan  ", "    -12.50", "  1.25e-2", "20240229", "        17", "T"})));
    ASSERT_TRUE(read("", "", "NAME,PRICE,RATE,DAY,NOTE,OK")) << messages();
    ASSERT_EQ(m_rows.size(), 1u);
    EXPECT_EQ(value(0, 0).GetString(), "  pan");  // leading blanks are data
    EXPECT_EQ(value(0, 0).SqlType(), 1);
    EXPECT_DOUBLE_EQ(value(0, 1).GetDouble(), -12.5);
    EXPECT_DOUBLE_EQ(value(0, 2).GetDouble(), 0.0125);
    const IoDateTimeFields day = splitIoDateTime(value(0, 3).GetDateTimeValue());
    EXPECT_EQ(day.year, 2024);
    EXPECT_EQ(day.month, 2);
    EXPECT_EQ(day.day, 29);
    EXPECT_EQ(value(0, 3).SqlType(), 9);
    EXPECT_EQ(value(0, 4).GetString(), "        17");  // the memo's own bytes
    EXPECT_EQ(value(0, 5).GetBit(), 1);
    EXPECT_EQ(value(0, 5).SqlType(), -7);
    for (std::size_t column = 0; column < 6; ++column) EXPECT_FALSE(value(0, column).IsNull());
}

TEST_F(DbfReadTest, BlankFieldsAreNullCellsOfTheirClass) {
    ASSERT_TRUE(openBuilt(DbfFileBuilder()
                              .field("NAME", 'C', 4)
                              .field("PRICE", 'N', 6, 2)
                              .field("DAY", 'D', 8)
                              .field("OK", 'L', 1)
                              .record({"", "", "", ""})));
    ASSERT_TRUE(read("", "", "*")) << messages();
    ASSERT_EQ(m_rows.size(), 1u);
    const int classes[] = {1, 8, 9, -7};
    for (std::size_t column = 0; column < 4; ++column) {
        EXPECT_TRUE(value(0, column).IsNull()) << column;
        EXPECT_EQ(value(0, column).SqlType(), classes[column]) << column;
        EXPECT_EQ(value(0, column).AsString(), "") << column;
    }
    EXPECT_NE(value(0, 2).GetDateTimeValue().status, kIoDateTimeValid);
}

TEST_F(DbfReadTest, LogicalIsOneOnlyForT) {
    DbfFileBuilder builder;
    builder.field("OK", 'L', 1);
    for (const char* flag : {"T", "Y", "F", "N", "t", "?", " "}) builder.record({flag});
    ASSERT_TRUE(openBuilt(builder));
    ASSERT_TRUE(read("", "", "OK")) << messages();
    ASSERT_EQ(m_rows.size(), 7u);
    const char expected[] = {1, 0, 0, 0, 0, 0};
    for (std::size_t row = 0; row < 6; ++row) {
        EXPECT_EQ(value(row, 0).GetBit(), expected[row]) << row;
        EXPECT_FALSE(value(row, 0).IsNull()) << row;
    }
    EXPECT_TRUE(value(6, 0).IsNull());
}

TEST_F(DbfReadTest, NumbersReadLikeAtofInTheCLocale) {
    DbfFileBuilder builder;
    builder.field("X", 'N', 12, 3);
    for (const char* text :
         {"      -12.50", "  +3.25", "    .5", "12abc", "abc", "  1e3", "  +-4", "  *****"}) {
        builder.record({text});
    }
    ASSERT_TRUE(openBuilt(builder));
    ASSERT_TRUE(read("", "", "X")) << messages();
    const double expected[] = {-12.5, 3.25, 0.5, 12.0, 0.0, 1000.0, 0.0, 0.0};
    ASSERT_EQ(m_rows.size(), std::size(expected));
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        EXPECT_DOUBLE_EQ(value(row, 0).GetDouble(), expected[row]) << row;
    }
}

TEST_F(DbfReadTest, DatesReadAsYearMonthDay) {
    DbfFileBuilder builder;
    builder.field("DAY", 'D', 8);
    builder.record({"20240229"}).record({"19991231"}).record({"18991230"}).record({""});
    ASSERT_TRUE(openBuilt(builder));
    ASSERT_TRUE(read("", "", "DAY")) << messages();
    ASSERT_EQ(m_rows.size(), 4u);
    EXPECT_EQ(value(0, 0).AsString(), "2024-02-29");
    EXPECT_EQ(value(1, 0).AsString(), "1999-12-31");
    EXPECT_DOUBLE_EQ(value(2, 0).GetDateTimeValue().days, 0.0);  // day 0 of the convention
    EXPECT_TRUE(value(3, 0).IsNull());
    EXPECT_EQ(value(3, 0).AsString(), "");
}

TEST_F(DbfReadTest, TextEndsAtANulAndLosesTrailingBlanks) {
    std::string bytes = DbfFileBuilder().field("NAME", 'C', 8).record({"AB"}).bytes();
    bytes.replace(32 + 32 + 1 + 1, 8, std::string("AB\0\0\0\0\0\0", 8));
    ASSERT_TRUE(open(m_folder.write("nul.dbf", bytes)));
    ASSERT_TRUE(read("NAME", "AB", "NAME")) << messages();
    ASSERT_EQ(m_rows.size(), 1u);
    EXPECT_EQ(value(0, 0).GetString(), "AB");
}

// Patterns are case-sensitive, "*" any run and "?" one character; deleted records never
// come back, and a record with every key empty is skipped by its number (record 5 counts
// the deleted record 3 before it).
TEST_F(DbfReadTest, KeyPatternsSelectLiveRecords) {
    const std::string path = write(codes());
    const struct {
        const char* pattern;
        const char* counts;
        const char* messages;
    } cases[] = {
        {"*", "1 2 4 6 7 8 ", "W Row 5 with all empty key values skipped.\n"},
        {"AB*", "1 2 ", ""},
        {"A?C", "2 6 ", ""},
        {"AB", "1 ", ""},
        {"ZZ*", "", "W No Match for Source Key Value.\n"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.pattern);
        CDbfTbl table;
        CIoTableDescription description;
        description.tableName = path;
        ASSERT_TRUE(table.Open(description));
        IoRowList rows;
        EXPECT_TRUE(table.Read(rows, "CODE", test.pattern, "COUNT"));
        std::string counts;
        for (const auto& row : rows) counts += std::to_string(row->ValueCells()[0]->AsLong()) + " ";
        EXPECT_EQ(counts, test.counts);
        EXPECT_EQ(testsupport::messageLines(table.reporter().messages(), true), test.messages);
    }
}

TEST_F(DbfReadTest, EveryKeyMustMatch) {
    DbfFileBuilder builder;
    builder.field("CASE", 'N', 3).field("CODE", 'C', 4).field("VAL", 'N', 4);
    builder.record({"1", "X", "10"}).record({"1", "Y", "11"}).record({"2", "X", "12"});
    ASSERT_TRUE(openBuilt(builder));
    ASSERT_TRUE(read("CASE,CODE", "1,X", "VAL")) << messages();
    ASSERT_EQ(m_rows.size(), 1u);
    EXPECT_DOUBLE_EQ(value(0, 0).GetDouble(), 10.0);
    EXPECT_DOUBLE_EQ(key(0, 0).GetDouble(), 1.0);
    EXPECT_EQ(key(0, 1).GetString(), "X");
}

TEST_F(DbfReadTest, ANonEmptyKeyKeepsARecordWithOtherKeysEmpty) {
    DbfFileBuilder builder;
    builder.field("A", 'C', 2).field("B", 'C', 2).field("V", 'N', 2);
    builder.record({"", "", "1"}).record({"", "x", "2"});
    ASSERT_TRUE(openBuilt(builder));
    ASSERT_TRUE(read("A,B", "*,*", "V")) << messages();
    EXPECT_EQ(counts(), "2 ");
    EXPECT_EQ(messages(), "W Row 1 with all empty key values skipped.\n");
}

TEST_F(DbfReadTest, AnEmptyKeyPieceGivesAPlaceholderAndNoCondition) {
    ASSERT_TRUE(openBuilt(codes()));
    ASSERT_TRUE(read(",CODE", "zz,ABC", "COUNT")) << messages();
    ASSERT_EQ(m_rows.size(), 1u);
    EXPECT_EQ(key(0, 0).AsString(), "");
    EXPECT_EQ(key(0, 0).Flags() & kCellMadeFlag, 0u);
    EXPECT_EQ(key(0, 1).GetString(), "ABC");
}

TEST_F(DbfReadTest, FailsOnATruncatedFileAndKeepsNoRows) {
    const std::string bytes = codes().bytes();
    ASSERT_TRUE(open(m_folder.write("cut.dbf", bytes.substr(0, bytes.size() - 20))));
    auto earlier = std::make_unique<CIoRow>();
    m_rows.push_back(std::move(earlier));
    EXPECT_FALSE(read("CODE", "*", "COUNT"));
    EXPECT_EQ(m_rows.size(), 1u);  // only the caller's own row
    const std::string text = messages();
    EXPECT_NE(text.find("E An error occurred while trying to read the next record."),
              std::string::npos)
        << text;
}

TEST_F(DbfReadTest, FailsWhenTheRecordCountPromisesMore) {
    ASSERT_TRUE(openBuilt(codes().recordCount(9)));
    EXPECT_FALSE(read("", "", "COUNT"));
    EXPECT_NE(messages().find("read the next record"), std::string::npos) << messages();
}

TEST_F(DbfReadTest, ReadsTheRecordCountAndNoMore) {
    ASSERT_TRUE(openBuilt(codes().recordCount(2)));
    ASSERT_TRUE(read("", "", "COUNT")) << messages();
    EXPECT_EQ(counts(), "1 2 ");
}

TEST_F(DbfReadTest, ReadsAgainFromTheFirstRecord) {
    ASSERT_TRUE(openBuilt(codes()));
    ASSERT_TRUE(read("CODE", "AB", "COUNT")) << messages();
    ASSERT_TRUE(read("CODE", "AC", "COUNT")) << messages();
    EXPECT_EQ(counts(), "1 8 ");
}

TEST_F(DbfReadTest, FailsForAColumnTheFileLacks) {
    ASSERT_TRUE(openBuilt(codes()));
    EXPECT_FALSE(read("", "", "COUNT,PRICE"));
    EXPECT_NE(messages().find("[PRICE]"), std::string::npos) << messages();
}

TEST_F(DbfReadTest, FailsWhenNotOpen) {
    EXPECT_FALSE(read("", "", "*"));
    EXPECT_NE(messages().find("Unable to open table"), std::string::npos) << messages();
}

}  // namespace
