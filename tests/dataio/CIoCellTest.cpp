#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "CIoBitCell.h"
#include "CIoCell.h"
#include "CIoDateCell.h"
#include "CIoDoubleCell.h"
#include "CIoFloatCell.h"
#include "CIoLongCell.h"
#include "CIoShortCell.h"
#include "CIoStrCell.h"
#include "CIoTimeCell.h"
#include "CIoTimeStampCell.h"
#include "CIoTinyIntCell.h"
#include "LocaleGuard.h"

namespace {

TEST(CIoCell, TextCellReadsTheLeadingIntegerLikeAtoi) {
    const CIoStrCell cell("12abc");
    EXPECT_EQ(cell.AsLong(), 12);
    EXPECT_EQ(cell.AsInteger(), 12);
    EXPECT_DOUBLE_EQ(cell.AsDouble(), 12.0);
    EXPECT_DOUBLE_EQ(CIoStrCell("12.5").AsDouble(), 12.0);
    EXPECT_EQ(CIoStrCell("  -7x").AsLong(), -7);
    EXPECT_EQ(CIoStrCell("abc").AsLong(), 0);
    EXPECT_EQ(CIoStrCell("99999999999").AsInteger(), 2147483647);
    EXPECT_EQ(CIoStrCell("-99999999999").AsInteger(), -2147483647 - 1);
}

TEST(CIoCell, TextCellAnswersOtherKindsWithTheMarkers) {
    const CIoStrCell cell("12abc");
    EXPECT_EQ(cell.GetShort(), -999);
    EXPECT_EQ(cell.GetLong(), -999);
    EXPECT_FLOAT_EQ(cell.GetFloat(), -999.0f);
    EXPECT_DOUBLE_EQ(cell.GetDouble(), -999.99);
    EXPECT_EQ(cell.GetBit(), '!');
    EXPECT_EQ(cell.GetTinyInt(), '!');
    EXPECT_EQ(cell.GetString(), "12abc");
    const IoDateTime none = cell.GetDateTimeValue();
    EXPECT_EQ(none.days, 0.0);
    EXPECT_EQ(none.status, kIoDateTimeValid);
}

TEST(CIoCell, NumericCellsAnswerOnlyTheirOwnGetter) {
    const CIoShortCell shortCell(42);
    EXPECT_EQ(shortCell.GetShort(), 42);
    EXPECT_EQ(shortCell.GetLong(), -999);
    EXPECT_EQ(shortCell.GetString(), "!");
    const CIoLongCell longCell(100000);
    EXPECT_EQ(longCell.GetLong(), 100000);
    EXPECT_EQ(longCell.GetShort(), -999);
    EXPECT_DOUBLE_EQ(longCell.GetDouble(), -999.99);
    EXPECT_FLOAT_EQ(CIoFloatCell(2.5f).GetFloat(), 2.5f);
    EXPECT_DOUBLE_EQ(CIoFloatCell(2.5f).GetDouble(), -999.99);
    EXPECT_DOUBLE_EQ(CIoDoubleCell(2.5).GetDouble(), 2.5);
    EXPECT_FLOAT_EQ(CIoDoubleCell(2.5).GetFloat(), -999.0f);
    EXPECT_EQ(CIoBitCell(1).GetBit(), 1);
    EXPECT_EQ(CIoBitCell(1).GetTinyInt(), '!');
    EXPECT_EQ(CIoTinyIntCell(7).GetTinyInt(), 7);
    EXPECT_EQ(CIoTinyIntCell(7).GetBit(), '!');
}

TEST(CIoCell, TextFormsFollowTheClassFormats) {
    EXPECT_EQ(CIoBitCell(1).AsString(), "1");
    EXPECT_EQ(CIoTinyIntCell(-5).AsString(), "-5");
    EXPECT_EQ(CIoShortCell(-32768).AsString(), "-32768");
    EXPECT_EQ(CIoLongCell(2147483647).AsString(), "2147483647");
    EXPECT_EQ(CIoFloatCell(12.5f).AsString(), "12.500000");
    EXPECT_EQ(CIoDoubleCell(-0.0000004).AsString(), "-0.000000");
    EXPECT_EQ(CIoDoubleCell(1e20).AsString(), "100000000000000000000.000000");
    EXPECT_EQ(CIoDoubleCell(1.0 / 3.0).AsString(), "0.333333");
}

TEST(CIoCell, NumberTextIgnoresTheProcessLocale) {
    testsupport::NumericLocale locale(testsupport::kCommaLocale);
    if (!locale.active()) GTEST_SKIP() << testsupport::kMissingCommaLocale;
    EXPECT_EQ(CIoDoubleCell(12.5).AsString(), "12.500000");
    EXPECT_STREQ(CIoFloatCell(-0.25f).AsText(), "-0.250000");
}

TEST(CIoCell, AsTextSharesOneBufferPerClass) {
    const CIoLongCell first(1);
    const CIoLongCell second(2);
    const CIoShortCell other(3);
    const char* firstText = first.AsText();
    const char* otherText = other.AsText();
    second.AsText();
    EXPECT_EQ(firstText, second.AsText());
    EXPECT_STREQ(firstText, "2");
    EXPECT_STREQ(otherText, "3");
}

TEST(CIoCell, FloatingCellsTruncateTowardZeroForIntegers) {
    EXPECT_EQ(CIoDoubleCell(2.9).AsLong(), 2);
    EXPECT_EQ(CIoDoubleCell(-2.9).AsLong(), -2);
    EXPECT_EQ(CIoFloatCell(-7.99f).AsInteger(), -7);
    EXPECT_EQ(CIoDoubleCell(1e30).AsInteger(), 2147483647);
    EXPECT_EQ(CIoDoubleCell(std::numeric_limits<double>::quiet_NaN()).AsLong(), 0);
}

TEST(CIoCell, SetNumberTruncatesOnIntegerCells) {
    CIoShortCell shortCell;
    shortCell.SetNumber(-3.7);
    EXPECT_EQ(shortCell.GetShort(), -3);
    shortCell.SetNumber(1e9);
    EXPECT_EQ(shortCell.GetShort(), 32767);
    CIoLongCell longCell;
    longCell.SetNumber(123456.999);
    EXPECT_EQ(longCell.GetLong(), 123456);
    CIoDoubleCell doubleCell;
    doubleCell.SetNumber(-3.7);
    EXPECT_DOUBLE_EQ(doubleCell.GetDouble(), -3.7);
    CIoStrCell text("keep");
    text.SetNumber(5.0);
    EXPECT_EQ(text.GetString(), "keep");
}

TEST(CIoCell, DateTimeCellsFormatTheirFields) {
    const IoDateTime value = makeIoDateTime(2024, 2, 29, 7, 5, 9);
    EXPECT_EQ(CIoDateCell(value).AsString(), "2024-02-29");
    EXPECT_EQ(CIoTimeCell(value).AsString(), "07:05:09");
    EXPECT_EQ(CIoTimeStampCell(value).AsString(), "2024-02-29 07:05:09");
    IoDateTime out;
    CIoTimeStampCell(value).GetDateTime(out);
    EXPECT_DOUBLE_EQ(out.days, value.days);
    // Date cells hold no number: the numeric answers are the markers.
    EXPECT_DOUBLE_EQ(CIoDateCell(value).AsDouble(), -999.99);
    EXPECT_EQ(CIoDateCell(value).AsLong(), -999);
}

TEST(CIoCell, InvalidDateTimeFormatsAsMinusOnes) {
    const IoDateTime invalid{0.0, kIoDateTimeInvalid};
    EXPECT_EQ(CIoTimeCell(invalid).AsString(), "-1:-1:-1");
    EXPECT_EQ(CIoDateCell(invalid).AsString(), "-001--1--1");
    EXPECT_EQ(CIoTimeStampCell(makeIoDateTime(2024, 2, 30)).AsString(), "-001--1--1 -1:-1:-1");
}

TEST(CIoCell, BaseAnswersAreTheNoValueMarkers) {
    // A time cell overrides none of the text or number slots but the text forms.
    const CIoTimeCell cell(makeIoDateTime(2000, 1, 1));
    EXPECT_EQ(cell.GetString(), "!");
    EXPECT_EQ(cell.GetShort(), -999);
    EXPECT_EQ(cell.AsInteger(), 0);
    EXPECT_EQ(cell.GetBit(), '!');
}

TEST(CIoCell, FlagsAndPositionsFollowConstruction) {
    const CIoLongCell plain(1);
    EXPECT_EQ(plain.Flags(), kCellMadeFlag);
    EXPECT_EQ(plain.Position(0), -1);
    const CIoStrCell marked("x", 4, true, true);
    EXPECT_EQ(marked.Flags(), kCellMadeFlag | kCellFirstOptionFlag | kCellSecondOptionFlag);
    EXPECT_EQ(marked.Position(0), 4);
    EXPECT_EQ(marked.Position(2), -1);
}

TEST(CIoCell, EmptyCellsHaveTheClassOfTheirTypeCode) {
    const std::pair<int, int> expected[] = {
        {-7, -7}, {-6, -6}, {5, 5},   {4, 4}, {7, 7},  {6, 8},  {8, 8},  {2, 8}, {3, 8},
        {9, 9},   {10, 10}, {11, 11}, {1, 1}, {12, 1}, {-1, 1}, {-4, 1}, {93, 1}};
    for (const auto& [typeCode, cellType] : expected) {
        const std::unique_ptr<CIoCell> cell = makeEmptyCell(typeCode);
        EXPECT_EQ(cell->SqlType(), cellType) << "type code " << typeCode;
        EXPECT_TRUE(cell->IsNull());
        EXPECT_EQ(cell->AsString(), "") << "type code " << typeCode;
        EXPECT_STREQ(cell->AsText(), "") << "type code " << typeCode;
    }
}

TEST(CIoCell, NullCellsGiveZeroNumbersAndEmptyText) {
    const std::unique_ptr<CIoCell> nullDouble = makeEmptyCell(8);
    EXPECT_DOUBLE_EQ(nullDouble->AsDouble(), 0.0);
    EXPECT_EQ(nullDouble->AsLong(), 0);
    EXPECT_DOUBLE_EQ(nullDouble->GetDouble(), 0.0);
    const std::unique_ptr<CIoCell> nullText = makeEmptyCell(12);
    EXPECT_EQ(nullText->AsLong(), 0);
    EXPECT_EQ(nullText->GetString(), "");
    const std::unique_ptr<CIoCell> nullDate = makeEmptyCell(9);
    EXPECT_EQ(nullDate->GetDateTimeValue().status, kIoDateTimeInvalid);
}

TEST(CIoCell, SettingAValueEndsNull) {
    std::unique_ptr<CIoCell> cell = makeEmptyCell(4);
    cell->SetNumber(17);
    EXPECT_FALSE(cell->IsNull());
    EXPECT_EQ(cell->AsString(), "17");
    std::unique_ptr<CIoCell> date = makeEmptyCell(11);
    date->SetDateTime(makeIoDateTime(2001, 9, 1, 12, 0, 0));
    EXPECT_EQ(date->AsString(), "2001-09-01 12:00:00");
    std::unique_ptr<CIoCell> text = makeEmptyCell(1);
    text->SetText(nullptr);
    EXPECT_FALSE(text->IsNull());
    EXPECT_EQ(text->AsString(), "");
}

}  // namespace
