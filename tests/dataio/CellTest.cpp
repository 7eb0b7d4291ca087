#include <algorithm>
#include <cstdio>

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

namespace {

// The moment of a text "y-m-d h:m:s".
IoDateTime dayOf(const std::string& text) {
    IoDateTimeFields d;
    std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d", &d.year, &d.month, &d.day, &d.hour, &d.minute,
                &d.second);
    return makeIoDateTime(d.year, d.month, d.day, d.hour, d.minute, d.second);
}

// A cell of a class of tests/data/dataio/cell-answers.txt holding value.
std::unique_ptr<CIoCell> makeCell(const std::string& cellClass, const std::string& value) {
    const IoDateTime day = dayOf(value);
    if (cellClass == "Empty") return makeEmptyCell(std::stoi(value));
    if (cellClass == "Str") return std::make_unique<CIoStrCell>(value);
    if (cellClass == "Short") return std::make_unique<CIoShortCell>(std::stoi(value));
    if (cellClass == "Long") return std::make_unique<CIoLongCell>(std::stol(value));
    if (cellClass == "Float") return std::make_unique<CIoFloatCell>(std::stof(value));
    if (cellClass == "Double") return std::make_unique<CIoDoubleCell>(std::stod(value));
    if (cellClass == "Bit") return std::make_unique<CIoBitCell>(std::stoi(value));
    if (cellClass == "TinyInt") return std::make_unique<CIoTinyIntCell>(std::stoi(value));
    if (cellClass == "Date") return std::make_unique<CIoDateCell>(day);
    if (cellClass == "Time") return std::make_unique<CIoTimeCell>(day);
    return std::make_unique<CIoTimeStampCell>(day);
}

std::string answer(CIoCell& cell, const std::string& getter) {
    if (getter.starts_with("SetNumber ")) cell.SetNumber(std::stod(getter.substr(10)));
    if (getter.starts_with("SetDateTime ")) cell.SetDateTime(dayOf(getter.substr(12)));
    if (getter == "SetText") cell.SetText(nullptr);
    if (getter == "Class" || getter.starts_with("Set"))
        return std::to_string(cell.SqlType()) + (cell.IsNull() ? " null [" : " set [") +
               cell.AsString() + "] [" + cell.AsText() + "]";
    const auto byte = [](char c) -> std::string {
        return c == kNoValueChar ? kNoValueText : std::to_string(c);
    };
    if (getter == "AsLong") return std::to_string(cell.AsLong());
    if (getter == "AsInteger") return std::to_string(cell.AsInteger());
    if (getter == "AsDouble") return std::to_string(cell.AsDouble());
    if (getter == "AsString") return cell.AsString();
    if (getter == "GetShort") return std::to_string(cell.GetShort());
    if (getter == "GetLong") return std::to_string(cell.GetLong());
    if (getter == "GetFloat") return std::to_string(cell.GetFloat());
    if (getter == "GetDouble") return std::to_string(cell.GetDouble());
    if (getter == "GetBit") return byte(cell.GetBit());
    if (getter == "GetTinyInt") return byte(cell.GetTinyInt());
    if (getter == "GetString") return cell.GetString();
    if (getter == "GetDays") return std::to_string(cell.GetDateTimeValue().days);
    if (getter == "GetDateTime") {
        IoDateTime filled;
        cell.GetDateTime(filled);
        return std::to_string(filled.days);
    }
    ADD_FAILURE() << "no getter " << getter;
    return {};
}

TEST(CIoCell, AnswersOfEveryKind) {
    const auto lines = testsupport::dataTable("dataio/cell-answers.txt");
    ASSERT_EQ(lines.size(), 71u);
    for (const auto& f : lines) {
        SCOPED_TRACE(f[0] + " " + f[1] + " " + f[2]);
        EXPECT_EQ(answer(*makeCell(f[0], f[1]), f[2]), f[3]);
    }
    EXPECT_EQ(CIoStrCell("x").GetDateTimeValue().status, kIoDateTimeValid);
    CIoLongCell made;
    made.SetNumber(1);
    EXPECT_EQ(made.Flags(), kCellMadeFlag);
}

TEST(CIoCell, NumberTextIgnoresTheProcessLocale) {
    testsupport::NumericLocale locale(testsupport::kCommaLocale);
    if (!locale.active()) GTEST_SKIP() << testsupport::kMissingCommaLocale;
    EXPECT_EQ(CIoDoubleCell(12.5).AsString(), "12.500000");
    EXPECT_STREQ(CIoFloatCell(-0.25f).AsText(), "-0.250000");
}

// Each line of tests/data/dataio/fetched-cells.txt: the value, set in the member its kind uses,
// made a cell of the class and text the line gives.
TEST(CellFromValue, CellsOfEachKindOnBothPaths) {
    const std::vector<std::string> kinds = {
        "Null",   "Boolean",  "Unsigned8", "Integer16", "Integer32", "Integer64", "Single",
        "Double", "Currency", "Decimal",   "DateTime",  "Text",      "Binary"};
    const auto lines = testsupport::dataTable("dataio/fetched-cells.txt");
    ASSERT_EQ(lines.size(), 20u);
    for (std::vector<std::string> f : lines) {
        f.resize(6);
        SCOPED_TRACE(f[0] + " " + f[1] + " " + f[2]);
        const auto kind = std::find(kinds.begin(), kinds.end(), f[1]) - kinds.begin();
        ASSERT_LT(kind, std::ssize(kinds));
        FetchedValue value;
        value.kind = static_cast<FetchedValue::Kind>(kind);
        if (kind >= 1 && kind <= 5) value.integer = std::stoll(f[2]);
        if (kind >= 6 && kind <= 9) value.number = std::stod(f[2]);
        if (kind == 9 || kind >= 11) value.text = f[2];
        if (kind == 10) value.dateTime = dayOf(f[2]);
        const int column = std::stoi(f[3]);
        const auto cell =
            f[0] == "ado" ? cellFromAdoValue(value, column) : cellFromOdbcValue(value, column);
        EXPECT_EQ(std::tuple(cell->SqlType(), cell->AsString(), cell->IsNull()),
                  std::tuple(std::stoi(f[4]), f[5], f[5].empty()));
    }
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

// Each line of tests/data/dataio/day-numbers.txt, made from its fields, split into them or both.
TEST(IoDateTime, DayNumbersAndFieldsAsTheDataFileSays) {
    const auto lines = testsupport::dataTable("dataio/day-numbers.txt");
    ASSERT_EQ(lines.size(), 23u);
    for (const auto& f : lines) {
        SCOPED_TRACE(f[1] + " " + f[2]);
        const bool invalid = f[1] == "invalid";
        if (f[0] != "split") {
            const IoDateTime made = dayOf(f[2]);
            EXPECT_EQ(made.status, invalid ? kIoDateTimeInvalid : kIoDateTimeValid);
            if (!invalid) {
                EXPECT_DOUBLE_EQ(made.days, std::stod(f[1]));
            }
        }
        if (f[0] != "make") {
            EXPECT_EQ(invalid ? fields(0.0, kIoDateTimeInvalid) : fields(std::stod(f[1])), f[2]);
        }
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

TEST(DataMessages, FormatExpandsEachPlaceholderOnce) {
    EXPECT_EQ(datamsg::format(datamsg::kUnableToOpenTable, "%1%1"), "Unable to open table [%1%1]");
}

// No interface or no stream shows nothing and crashes nothing; the texts are always kept.
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
