#include <gtest/gtest.h>

#include <string>

#include "DbfColumnChecks.h"
#include "TableMessages.h"

namespace {

class DbfColumnChecksTest : public testing::Test {
protected:
    // The check's answer and its messages, one a line.
    bool check(const ColumnDescriptionList& columns) {
        m_reporter = TableReporter();
        return checkDbfColumns(columns, m_reporter);
    }
    std::string messages() const { return testsupport::messageLines(m_reporter.messages(), true); }

    TableReporter m_reporter;
};

TEST_F(DbfColumnChecksTest, AcceptsEveryTypeThatAFieldCanHold) {
    const ColumnDescriptionList columns = {
        {"FLAG", -7, 1, 0},       {"TINY", -6, 3, 0},   {"COUNT", 4, 10, 0},  {"SMALL", 5, 5, 0},
        {"DAY", 9, 8, 0},         {"STAMP", 11, 14, 0}, {"NOTE", -1, 255, 0}, {"CODE", 1, 1, 0},
        {"AT", 10, 8, 0},         {"NAME", 12, 255, 0}, {"F", 6, 12, 11},     {"R", 7, 8, 2},
        {"ABCDEFGHIJ", 8, 20, 0},
    };
    EXPECT_TRUE(check(columns)) << messages();
    EXPECT_EQ(messages(), "");
    EXPECT_TRUE(check({}));
}

TEST_F(DbfColumnChecksTest, RejectsANameLongerThanTenCharacters) {
    EXPECT_FALSE(check({{"OK", 4, 0, 0}, {"ABCDEFGHIJK", 4, 0, 0}}));
    EXPECT_EQ(messages(), "E Column Name  [ABCDEFGHIJK] is too long.\n");
}

TEST_F(DbfColumnChecksTest, RejectsAnEmptyName) {
    EXPECT_FALSE(check({{"", 12, 10, 0}}));
    EXPECT_EQ(messages(), "E Zero length column name specified.\n");
}

TEST_F(DbfColumnChecksTest, RejectsTextWiderThan255) {
    for (int type : {-1, 1, 10, 12}) {
        EXPECT_FALSE(check({{"WIDE", type, 256, 0}})) << type;
        EXPECT_EQ(messages(), "E Column WIDE is too wide.\n") << type;
    }
}

TEST_F(DbfColumnChecksTest, RejectsAsManyDecimalsAsDigits) {
    for (int type : {6, 7, 8}) {
        EXPECT_FALSE(check({{"PRICE", type, 4, 4}})) << type;
        EXPECT_EQ(messages(), "E To many decimal places specified  in column PRICE.\n") << type;
    }
    EXPECT_FALSE(check({{"PRICE", 8, 4, 9}}));
}

TEST_F(DbfColumnChecksTest, RejectsTypesThatNoFieldHolds) {
    for (int type : {2, 3, -5, -2, 0, 93}) {
        EXPECT_FALSE(check({{"AMOUNT", type, 10, 2}})) << type;
        EXPECT_EQ(messages(), "E Unknown SQL Data Type Encountered.\n") << type;
    }
}

TEST_F(DbfColumnChecksTest, StopsAtTheFirstFailure) {
    EXPECT_FALSE(check({{"A", 4, 0, 0}, {"TOOWIDE", 12, 300, 0}, {"", 2, 0, 0}}));
    EXPECT_EQ(messages(), "E Column TOOWIDE is too wide.\n");
}

}  // namespace
