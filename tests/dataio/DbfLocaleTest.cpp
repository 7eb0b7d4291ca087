#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "DbfFieldDecoding.h"
#include "DbfNumberFormat.h"
#include "DbfTableFixture.h"
#include "LocaleGuard.h"

namespace {

using testsupport::DbfFileBuilder;

class DbfLocaleTest : public testsupport::DbfTableFixture {};

TEST_F(DbfLocaleTest, ReadsAPointDecimalUnderACommaLocale) {
    testsupport::NumericLocale locale(testsupport::kCommaLocale);
    ASSERT_TRUE(locale.active()) << testsupport::kMissingCommaLocale;
    // The C library now stops at the point: the reader must not rely on it.
    ASSERT_EQ(std::strtod("-12.50", nullptr), -12.0);

    ASSERT_TRUE(openBuilt(DbfFileBuilder()
                              .field("PRICE", 'N', 10, 2)
                              .field("RATE", 'F', 12, 4)
                              .field("DAY", 'D', 8)
                              .record({"    -12.50", "      0.0625", "20240229"})));
    ASSERT_TRUE(read("", "", "*")) << messages();
    ASSERT_EQ(m_rows.size(), 1u);
    EXPECT_DOUBLE_EQ(value(0, 0).GetDouble(), -12.5);
    EXPECT_DOUBLE_EQ(value(0, 1).GetDouble(), 0.0625);
    EXPECT_EQ(value(0, 2).AsString(), "2024-02-29");
}

TEST_F(DbfLocaleTest, WritesAPointDecimalUnderACommaLocale) {
    testsupport::NumericLocale locale(testsupport::kCommaLocale);
    ASSERT_TRUE(locale.active()) << testsupport::kMissingCommaLocale;
    EXPECT_EQ(formatDbfNumber(-12.5, 8, 2), "  -12.50");
    EXPECT_DOUBLE_EQ(parseDbfNumber(formatDbfNumber(1234.5678, 10, 3)), 1234.568);
}

}  // namespace
