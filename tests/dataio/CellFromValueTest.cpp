#include <gtest/gtest.h>

#include "CellFromValue.h"

namespace {

using Kind = FetchedValue::Kind;

FetchedValue integerValue(Kind kind, int64_t integer) {
    FetchedValue value;
    value.kind = kind;
    value.integer = integer;
    return value;
}

FetchedValue numberValue(Kind kind, double number) {
    FetchedValue value;
    value.kind = kind;
    value.number = number;
    return value;
}

TEST(CellFromValue, BooleansAreShortCellsWithThePathsTrue) {
    const auto odbcTrue = cellFromOdbcValue(integerValue(Kind::kBoolean, 1), -7);
    EXPECT_EQ(odbcTrue->SqlType(), 5);
    EXPECT_EQ(odbcTrue->GetShort(), 1);
    const auto adoTrue = cellFromAdoValue(integerValue(Kind::kBoolean, 1), -7);
    EXPECT_EQ(adoTrue->SqlType(), 5);
    EXPECT_EQ(adoTrue->GetShort(), -1);
    EXPECT_EQ(cellFromAdoValue(integerValue(Kind::kBoolean, 0), -7)->GetShort(), 0);
}

TEST(CellFromValue, IntegerKinds) {
    EXPECT_EQ(cellFromOdbcValue(integerValue(Kind::kInteger16, -12), 5)->GetShort(), -12);
    const auto bit = cellFromOdbcValue(integerValue(Kind::kUnsigned8, 1), -6);
    EXPECT_EQ(bit->SqlType(), -7);
    EXPECT_EQ(bit->GetBit(), 1);
    EXPECT_EQ(cellFromAdoValue(integerValue(Kind::kInteger32, 2000000000), 5)->GetLong(),
              2000000000);
}

TEST(CellFromValue, WideIntegersKeepTheirValue) {
    const auto small = cellFromOdbcValue(integerValue(Kind::kInteger64, -2147483648LL), 4);
    EXPECT_EQ(small->SqlType(), 4);
    EXPECT_EQ(small->GetLong(), -2147483647 - 1);
    const auto large = cellFromAdoValue(integerValue(Kind::kInteger64, 1LL << 40), 4);
    EXPECT_EQ(large->SqlType(), 8);
    EXPECT_DOUBLE_EQ(large->GetDouble(), 1099511627776.0);
}

TEST(CellFromValue, FloatingCurrencyAndDecimalValues) {
    const auto single = cellFromOdbcValue(numberValue(Kind::kSingle, 0.5), 7);
    EXPECT_EQ(single->SqlType(), 7);
    EXPECT_FLOAT_EQ(single->GetFloat(), 0.5f);
    EXPECT_DOUBLE_EQ(cellFromOdbcValue(numberValue(Kind::kDouble, 3.0), 8)->GetDouble(), 3.0);
    const auto money = cellFromAdoValue(numberValue(Kind::kCurrency, 12.5), 3);
    EXPECT_EQ(money->SqlType(), 8);
    EXPECT_DOUBLE_EQ(money->GetDouble(), 12.5);
    FetchedValue decimal = numberValue(Kind::kDecimal, -1234.5678);
    decimal.text = "-1234.5678";
    EXPECT_DOUBLE_EQ(cellFromAdoValue(decimal, 3)->GetDouble(), -1234.5678);
    EXPECT_DOUBLE_EQ(cellFromOdbcValue(decimal, 3)->AsDouble(), -1234.5678);
}

TEST(CellFromValue, DateTimeAndText) {
    FetchedValue date;
    date.kind = Kind::kDateTime;
    date.dateTime = makeIoDateTime(2024, 2, 29, 12, 0, 0);
    const auto stamp = cellFromOdbcValue(date, 9);
    EXPECT_EQ(stamp->SqlType(), 11);
    EXPECT_EQ(stamp->AsString(), "2024-02-29 12:00:00");
    date.dateTime = IoDateTime{0.0, kIoDateTimeInvalid};
    EXPECT_EQ(cellFromAdoValue(date, 11)->AsString(), "-001--1--1 -1:-1:-1");
    FetchedValue text;
    text.kind = Kind::kText;
    text.text = "12abc";
    const auto cell = cellFromAdoValue(text, 4);
    EXPECT_EQ(cell->SqlType(), 1);
    EXPECT_EQ(cell->AsLong(), 12);
}

TEST(CellFromValue, NullAndBinaryGiveEmptyCellsOfTheColumnType) {
    FetchedValue null;
    const auto nullDouble = cellFromAdoValue(null, 8);
    EXPECT_EQ(nullDouble->SqlType(), 8);
    EXPECT_TRUE(nullDouble->IsNull());
    EXPECT_DOUBLE_EQ(nullDouble->AsDouble(), 0.0);
    EXPECT_EQ(cellFromAdoValue(null, 3)->SqlType(), 8);
    EXPECT_EQ(cellFromOdbcValue(null, 11)->SqlType(), 11);
    FetchedValue binary;
    binary.kind = Kind::kBinary;
    binary.text = "\x01\x02";
    const auto cell = cellFromOdbcValue(binary, -2);
    EXPECT_EQ(cell->SqlType(), 1);
    EXPECT_TRUE(cell->IsNull());
    EXPECT_EQ(cell->AsString(), "");
}

}  // namespace
