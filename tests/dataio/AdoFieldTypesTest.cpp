#include <gtest/gtest.h>
#include <sql.h>
#include <sqlext.h>

#include "AdoFieldTypes.h"

namespace {

// The ODBC type code and quoting the ADO backend gives a column of an ODBC SQL type.
std::optional<AdoColumnType> columnFor(int odbcSqlType) {
    return adoColumnType(adoFieldTypeForOdbc(odbcSqlType));
}

TEST(AdoFieldTypesTest, MapsColumnsAsTheAdoBackendReportsThem) {
    EXPECT_EQ(columnFor(SQL_INTEGER)->sqlType, 5);  // adInteger reports SMALLINT
    EXPECT_EQ(columnFor(SQL_BIGINT)->sqlType, 4);
    EXPECT_EQ(columnFor(SQL_DOUBLE)->sqlType, 8);
    EXPECT_EQ(columnFor(SQL_FLOAT)->sqlType, 8);
    EXPECT_EQ(columnFor(SQL_REAL)->sqlType, 7);
    EXPECT_EQ(columnFor(SQL_BIT)->sqlType, -7);
    EXPECT_EQ(columnFor(SQL_TINYINT)->sqlType, -6);
    for (int text : {SQL_CHAR, SQL_VARCHAR, SQL_LONGVARCHAR, SQL_WVARCHAR, SQL_WLONGVARCHAR}) {
        ASSERT_TRUE(columnFor(text)) << text;
        EXPECT_EQ(columnFor(text)->sqlType, 1);
        EXPECT_TRUE(columnFor(text)->quoted);
    }
    for (int date : {SQL_TYPE_DATE, SQL_TYPE_TIME, SQL_TYPE_TIMESTAMP}) {
        EXPECT_EQ(columnFor(date)->sqlType, 11);
        EXPECT_TRUE(columnFor(date)->quoted);
    }
    EXPECT_FALSE(columnFor(SQL_INTEGER)->quoted);
    EXPECT_EQ(adoColumnType(adotype::kCurrency)->sqlType, 3);
}

TEST(AdoFieldTypesTest, LeavesOutNumericBinaryAndUnknownColumns) {
    EXPECT_FALSE(columnFor(SQL_NUMERIC));
    EXPECT_FALSE(columnFor(SQL_DECIMAL));
    EXPECT_FALSE(columnFor(SQL_VARBINARY));
    EXPECT_FALSE(columnFor(SQL_GUID));
    EXPECT_FALSE(columnFor(-150));
}

}  // namespace
