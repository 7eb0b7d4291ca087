#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>

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
#include "CellFromValue.h"
#include "DataMessages.h"
#include "DataioTestSupport.h"
#include "IUserInterface.h"
#include "IoDateTime.h"
#include "LocaleGuard.h"
#include "TableReporter.h"

namespace {

template <class Number>
std::string str(Number value) {
    return std::to_string(value);
}

// Each answer of a cell as text: text cells read their leading integer like atoi; a getter of
// another kind answers with the no-value markers; floating cells truncate toward zero; the
// text forms follow the class formats.
TEST(CIoCell, AnswersOfEveryKind) {
    const IoDateTime day = makeIoDateTime(2024, 2, 29, 7, 5, 9);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {str(CIoStrCell("12abc").AsLong()), "12"}, {str(CIoStrCell("12abc").AsInteger()), "12"},
        {str(CIoStrCell("12.5").AsDouble()), str(12.0)}, {str(CIoStrCell("  -7x").AsLong()), "-7"},
        {str(CIoStrCell("abc").AsLong()), "0"},
        {str(CIoStrCell("99999999999").AsInteger()), "2147483647"},
        {str(CIoStrCell("-99999999999").AsInteger()), "-2147483648"},
        {str(CIoStrCell("x").GetShort()), "-999"}, {str(CIoStrCell("x").GetLong()), "-999"},
        {str(CIoStrCell("x").GetFloat()), str(-999.0)},
        {str(CIoStrCell("x").GetDouble()), str(-999.99)},
        {std::string(1, CIoStrCell("x").GetBit()), "!"},
        {std::string(1, CIoStrCell("x").GetTinyInt()), "!"},
        {str(CIoStrCell("x").GetDateTimeValue().days), str(0.0)},
        {str(CIoShortCell(42).GetShort()), "42"}, {CIoShortCell(42).GetString(), "!"},
        {str(CIoLongCell(100000).GetLong()), "100000"},
        {str(CIoFloatCell(2.5f).GetFloat()), str(2.5)},
        {str(CIoDoubleCell(2.5).GetDouble()), str(2.5)}, {str(CIoBitCell(1).GetBit()), "1"},
        {str(CIoTinyIntCell(7).GetTinyInt()), "7"}, {str(CIoTimeCell(day).AsInteger()), "0"},
        {str(CIoDateCell(day).AsDouble()), str(-999.99)}, {str(CIoDateCell(day).AsLong()), "-999"},
        {str(CIoDoubleCell(2.9).AsLong()), "2"}, {str(CIoDoubleCell(-2.9).AsLong()), "-2"},
        {str(CIoFloatCell(-7.99f).AsInteger()), "-7"},
        {str(CIoDoubleCell(1e30).AsInteger()), "2147483647"},
        {str(CIoDoubleCell(nan).AsLong()), "0"}, {CIoBitCell(1).AsString(), "1"},
        {CIoTinyIntCell(-5).AsString(), "-5"}, {CIoShortCell(-32768).AsString(), "-32768"},
        {CIoLongCell(2147483647).AsString(), "2147483647"},
        {CIoFloatCell(12.5f).AsString(), "12.500000"},
        {CIoDoubleCell(-0.0000004).AsString(), "-0.000000"},
        {CIoDoubleCell(1e20).AsString(), "100000000000000000000.000000"},
        {CIoDoubleCell(1.0 / 3.0).AsString(), "0.333333"},
        {CIoDateCell(day).AsString(), "2024-02-29"}, {CIoTimeCell(day).AsString(), "07:05:09"},
        {CIoTimeStampCell(day).AsString(), "2024-02-29 07:05:09"},
        {CIoTimeCell(IoDateTime{0.0, kIoDateTimeInvalid}).AsString(), "-1:-1:-1"},
        {CIoDateCell(IoDateTime{0.0, kIoDateTimeInvalid}).AsString(), "-001--1--1"},
        {CIoTimeStampCell(makeIoDateTime(2024, 2, 30)).AsString(), "-001--1--1 -1:-1:-1"},
    };
    // clang-format on
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
    IoDateTime out;
    CIoTimeStampCell(day).GetDateTime(out);
    EXPECT_DOUBLE_EQ(out.days, day.days);
    EXPECT_EQ(CIoStrCell("x").GetDateTimeValue().status, kIoDateTimeValid);
}

TEST(CIoCell, NumberTextIgnoresTheProcessLocale) {
    testsupport::NumericLocale locale(testsupport::kCommaLocale);
    if (!locale.active()) GTEST_SKIP() << testsupport::kMissingCommaLocale;
    EXPECT_EQ(CIoDoubleCell(12.5).AsString(), "12.500000");
    EXPECT_STREQ(CIoFloatCell(-0.25f).AsText(), "-0.250000");
}

// A number set on an empty cell: integer cells truncate and saturate; text cells ignore it.
TEST(CIoCell, SetNumberTruncatesOnIntegerCells) {
    const std::tuple<int, double, const char*> cases[] = {
        {5, -3.7, "-3"}, {5, 1e9, "32767"}, {4, 123456.999, "123456"}, {4, 17, "17"}, {1, 5, ""}};
    for (const auto& [typeCode, number, text] : cases) {
        const std::unique_ptr<CIoCell> cell = makeEmptyCell(typeCode);
        cell->SetNumber(number);
        EXPECT_EQ(cell->AsString(), text) << typeCode << " " << number;
        EXPECT_EQ(cell->IsNull(), *text == '\0');
    }
    CIoStrCell text("keep");
    text.SetNumber(5.0);
    EXPECT_EQ(text.GetString(), "keep");
    CIoLongCell made;
    made.SetNumber(1);
    EXPECT_EQ(made.Flags(), kCellMadeFlag);
}

// Empty cells have the class of their type code, zero numbers and empty text, until a value
// is set.
TEST(CIoCell, EmptyCellsHaveTheClassOfTheirTypeCode) {
    const std::pair<int, int> expected[] = {
        {-7, -7}, {-6, -6}, {5, 5},   {4, 4}, {7, 7},  {6, 8},  {8, 8},  {2, 8}, {3, 8},
        {9, 9},   {10, 10}, {11, 11}, {1, 1}, {12, 1}, {-1, 1}, {-4, 1}, {93, 1}};
    for (const auto& [typeCode, cellType] : expected) {
        SCOPED_TRACE(typeCode);
        const std::unique_ptr<CIoCell> cell = makeEmptyCell(typeCode);
        EXPECT_EQ(cell->SqlType(), cellType);
        EXPECT_TRUE(cell->IsNull());
        EXPECT_EQ(cell->AsString(), "");
        EXPECT_STREQ(cell->AsText(), "");
    }
    EXPECT_EQ(makeEmptyCell(12)->AsLong(), 0);
    std::unique_ptr<CIoCell> date = makeEmptyCell(11);
    date->SetDateTime(makeIoDateTime(2001, 9, 1, 12, 0, 0));
    EXPECT_EQ(date->AsString(), "2001-09-01 12:00:00");
    std::unique_ptr<CIoCell> text = makeEmptyCell(1);
    text->SetText(nullptr);
    EXPECT_FALSE(text->IsNull());
    EXPECT_EQ(text->AsString(), "");
}

using enum FetchedValue::Kind;

FetchedValue fv(FetchedValue::Kind kind, int64_t integer, double number = 0,
                std::string text = "") {
    FetchedValue value;
    value.kind = kind;
    value.integer = integer;
    value.number = number;
    value.text = std::move(text);
    return value;
}

// Each fetched value through the ODBC path and the ADO path: the cell's class and its text.
// Booleans are short cells, true -1 on the ADO path; wide integers keep their value; NULL and
// binary values give empty cells of the column's type.
TEST(CellFromValue, CellsOfEachKindOnBothPaths) {
    FetchedValue date = fv(kDateTime, 0);
    date.dateTime = makeIoDateTime(2024, 2, 29, 12, 0, 0);
    FetchedValue badDate = fv(kDateTime, 0);
    badDate.dateTime = IoDateTime{0.0, kIoDateTimeInvalid};
    const struct {
        FetchedValue value;
        int column;
        bool ado;
        int sqlType;
        std::string text;
    } cases[] = {
        // clang-format off
        {fv(kBoolean, 1), -7, false, 5, "1"}, {fv(kBoolean, 1), -7, true, 5, "-1"},
        {fv(kBoolean, 0), -7, true, 5, "0"}, {fv(kInteger16, -12), 5, false, 5, "-12"},
        {fv(kUnsigned8, 1), -6, false, -7, "1"}, {fv(kInteger32, 2000000000), 5, true, 4, "2000000000"},
        {fv(kInteger64, -2147483648LL), 4, false, 4, "-2147483648"},
        {fv(kInteger64, 1LL << 40), 4, true, 8, "1099511627776.000000"},
        {fv(kSingle, 0, 0.5), 7, false, 7, "0.500000"}, {fv(kDouble, 0, 3.0), 8, false, 8, "3.000000"},
        {fv(kCurrency, 0, 12.5), 3, true, 8, "12.500000"},
        {fv(kDecimal, 0, -1234.5678, "-1234.5678"), 3, true, 8, "-1234.567800"},
        {fv(kDecimal, 0, -1234.5678, "-1234.5678"), 3, false, 8, "-1234.567800"},
        {date, 9, false, 11, "2024-02-29 12:00:00"}, {badDate, 11, true, 11, "-001--1--1 -1:-1:-1"},
        {fv(kText, 0, 0, "12abc"), 4, true, 1, "12abc"}, {FetchedValue{}, 8, true, 8, ""},
        {FetchedValue{}, 3, true, 8, ""}, {FetchedValue{}, 11, false, 11, ""},
        {fv(kBinary, 0, 0, "\x01\x02"), -2, false, 1, ""},
        // clang-format on
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const auto& c = cases[i];
        const auto cell =
            c.ado ? cellFromAdoValue(c.value, c.column) : cellFromOdbcValue(c.value, c.column);
        EXPECT_EQ(cell->SqlType(), c.sqlType);
        EXPECT_EQ(cell->AsString(), c.text);
        EXPECT_EQ(cell->IsNull(), c.text.empty());
    }
    EXPECT_EQ(cellFromAdoValue(fv(kText, 0, 0, "12abc"), 4)->AsLong(), 12);
}

// The fields as "y-m-d h:m:s".
std::string fields(const IoDateTimeFields& f) {
    return std::to_string(f.year) + "-" + std::to_string(f.month) + "-" + std::to_string(f.day) +
           " " + std::to_string(f.hour) + ":" + std::to_string(f.minute) + ":" +
           std::to_string(f.second);
}
std::string fields(double days, int status = kIoDateTimeValid) {
    return fields(splitIoDateTime({days, status}));
}

// Day 0 is 30 December 1899; before it the time still counts forward (-1.25 is 29 December
// at 06:00).
TEST(IoDateTime, KnownDayNumbersAndTimeFractions) {
    // clang-format off
    const std::tuple<double, int, int, int, int> days[] = {{0.0, 1899, 12, 30, 0},
        {2.0, 1900, 1, 1, 0}, {36526.0, 2000, 1, 1, 0}, {45351.75, 2024, 2, 29, 18},
        {-1.25, 1899, 12, 29, 6}};
    // clang-format on
    for (const auto& [number, year, month, day, hour] : days) {
        SCOPED_TRACE(number);
        const IoDateTime value = makeIoDateTime(year, month, day, hour, 0, 0);
        EXPECT_EQ(value.status, kIoDateTimeValid);
        EXPECT_DOUBLE_EQ(value.days, number);
        EXPECT_EQ(fields(number), fields({year, month, day, hour, 0, 0}));
    }
}

TEST(IoDateTime, RoundTripsEverySecondOfADayAndManyDays) {
    for (int second = 0; second < 86400; second += 7) {
        const IoDateTimeFields f{2031, 7, 15, second / 3600, second / 60 % 60, second % 60};
        EXPECT_EQ(fields(makeIoDateTime(f.year, f.month, f.day, f.hour, f.minute, f.second).days),
                  fields(f));
    }
    for (int year : {100, 1600, 1899, 1900, 1970, 2000, 2100, 9999})
        for (int month = 1; month <= 12; ++month)
            EXPECT_EQ(fields(makeIoDateTime(year, month, 28, 23, 59, 59).days),
                      fields({year, month, 28, 23, 59, 59}));
}

// Noon stored a hair below 0.5 must not print as 11:59:59, nor a value just short of midnight
// as 23:59:60; invalid or unsplittable pairs give minus ones.
TEST(IoDateTime, RoundsToTheNearestSecondAndRefusesWhatItCannotSplit) {
    const std::pair<std::string, std::string> cases[] = {
        {fields(36526.5 - 1e-9), "2000-1-1 12:0:0"},
        {fields(36526.0 + 43199.6 / 86400.0), "2000-1-1 12:0:0"},
        {fields(36526.0 + 86399.7 / 86400.0), "2000-1-2 0:0:0"},
        {fields(36526.0, kIoDateTimeInvalid), "-1--1--1 -1:-1:-1"},
        {fields(1e12), "-1--1--1 -1:-1:-1"},
        {fields(-1e12), "-1--1--1 -1:-1:-1"},
        {fields(std::numeric_limits<double>::quiet_NaN()), "-1--1--1 -1:-1:-1"}};
    for (const auto& [got, expected] : cases) EXPECT_EQ(got, expected);
}

TEST(IoDateTime, RejectsOutOfRangeFields) {
    const int invalid[][6] = {{2023, 2, 29, 0, 0, 0}, {1900, 2, 29, 0, 0, 0},
                              {2024, 13, 1, 0, 0, 0}, {2024, 0, 1, 0, 0, 0},
                              {2024, 4, 31, 0, 0, 0}, {2024, 1, 1, 24, 0, 0},
                              {2024, 1, 1, 0, 60, 0}, {2024, 1, 1, 0, 0, -1},
                              {10000, 1, 1, 0, 0, 0}, {99, 12, 31, 0, 0, 0}};
    for (const auto& f : invalid)
        EXPECT_EQ(makeIoDateTime(f[0], f[1], f[2], f[3], f[4], f[5]).status, kIoDateTimeInvalid)
            << f[0] << "-" << f[1] << "-" << f[2] << " " << f[3] << ":" << f[4] << ":" << f[5];
    EXPECT_EQ(makeIoDateTime(2000, 2, 29).status, kIoDateTimeValid);
}

// An argument holding the placeholder is not expanded again.
TEST(DataMessages, FormatExpandsEachPlaceholderOnce) {
    EXPECT_EQ(datamsg::format(datamsg::kUnableToOpenTable, "%1%1"), "Unable to open table [%1%1]");
}

// Boxes and the log follow their own switches (no interface or no stream: nothing, no crash);
// the texts are kept whatever the switches say.
TEST(TableReporter, BoxesAndTheLogFollowTheirOwnSwitches) {
    const struct {
        bool ui, stream, errorBoxes, warningBoxes, logging;
        int boxes;
        const char *lastBox, *log;
    } cases[] = {{true, true, false, false, false, 0, "", ""},
                 {true, true, false, true, false, 1, "Warning: odd", ""},
                 {true, true, true, false, false, 1, "Error: bad", ""},
                 {false, false, false, false, true, 0, "", ""},
                 {false, true, true, false, true, 0, "", "Error: bad\nWarning: odd\nSELECT 1\n\n"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.lastBox) + c.log);
        RecordingUserInterface ui;
        std::ostringstream log;
        TableOptions options;
        options.userInterface = c.ui ? &ui : nullptr;
        options.logStream = c.stream ? &log : nullptr;
        options.showErrorBoxes = c.errorBoxes;
        options.showWarningBoxes = c.warningBoxes;
        options.logging = c.logging;
        TableReporter reporter(options);
        reporter.error("bad");
        reporter.warning("odd");
        reporter.logStatement("SELECT 1");
        EXPECT_EQ(ui.messageCount, c.boxes);
        EXPECT_EQ(c.boxes ? ui.lastCaption + ": " + ui.lastMessage : "", c.lastBox);
        EXPECT_EQ(log.str(), c.log);
        EXPECT_EQ(testsupport::messageLines(reporter.messages(), true), "E bad\nW odd\n");
    }
}

}  // namespace
