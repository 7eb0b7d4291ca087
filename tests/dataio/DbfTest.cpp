#include <algorithm>
#include <cmath>
#include <utility>

#include "DataioTestSupport.h"
#include "DbfColumnChecks.h"
#include "DbfFieldDecoding.h"
#include "DbfNumberFormat.h"
#include "IoDateTime.h"
#include "LocaleGuard.h"

namespace {

using testsupport::dbfFile;
using testsupport::patchedDbf;

using DbfOpenTest = testsupport::DbfTableFixture;

// types.dbf is version 4; the same bytes marked version 3 open alike, and so do both with a
// longer header, whose terminator ends the fields.
TEST_F(DbfOpenTest, AcceptsVersions3And4AndALongerHeaderWithTheirColumns) {
    const std::size_t headerLength = 32 + 6 * 32 + 1;
    std::string version3 = dbfFile("types.dbf"), longer = version3;
    version3[0] = 3;
    longer.insert(headerLength, 263, '\0');
    for (const std::string& bytes :
         {dbfFile("types.dbf"), version3,
          patchedDbf(longer, testsupport::kDbfHeaderLength, headerLength + 263)}) {
        SCOPED_TRACE("version " + std::to_string(bytes[0]) + ", " + std::to_string(bytes.size()));
        CDbfTbl table;
        ASSERT_TRUE(openTable(table, write(bytes)));
        std::string columns;
        for (const auto& c : table.Columns())
            columns += c.name + " " + std::to_string(c.sqlType) + " " + std::to_string(c.width) +
                       "." + std::to_string(c.decimals) + ", ";
        EXPECT_EQ(columns,
                  "NAME 12 8.0, PRICE 8 10.2, RATE 8 12.4, DAY 9 8.0, NOTE -1 10.0, OK -7 1.0, ");
        IoRowList rows;
        ASSERT_TRUE(table.Read(rows, "", "", "NAME"));
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0]->ValueCells().at(0)->AsString(), "  pan");
        EXPECT_TRUE(table.Close(1));
    }
}

// Every header the reader cannot trust fails the open with its one message and no columns.
// (Files cut short anywhere are the damage test's below.)
TEST_F(DbfOpenTest, RejectsHeadersItCannotTrustWithOneMessage) {
    const std::string damaged = "Invalid or damaged DBF file header encountered.";
    const std::string types = dbfFile("types.dbf");          // records of 50 bytes
    std::vector<std::pair<std::string, std::string>> cases;  // bytes, message
    for (char version : {'\x83', '\x30', '\x02', '\x05'})
        cases.emplace_back(std::string(1, version) + types.substr(1),
                           "Unsupported DBF version encountered.  Only DBF versions 3 and 4 "
                           "are allowed.");
    for (uint32_t length : {0, 1, 49, 51, 65535})
        cases.emplace_back(patchedDbf(types, testsupport::kDbfRecordLength, length), damaged);
    // 64 leaves room for the first descriptor only, whose length is not the record length.
    for (uint32_t length : {0, 31, 64})
        cases.emplace_back(patchedDbf(types, testsupport::kDbfHeaderLength, length), damaged);
    for (char type : {'X', 'c', 'B', '\0'}) {
        std::string bytes = types;
        bytes[32 + 32 + 11] = type;  // the second field's
        cases.emplace_back(bytes, "Unkown or unsupported data type for column  [PRICE]");
    }
    // A header length past the end: no terminator, no records.
    cases.emplace_back(patchedDbf(types, testsupport::kDbfHeaderLength, 60000).substr(0, 96),
                       damaged);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        CDbfTbl table;
        EXPECT_FALSE(openTable(table, write(cases[i].first)));
        EXPECT_EQ(testsupport::messageLines(table.reporter().messages()), cases[i].second + "\n");
        EXPECT_TRUE(table.Columns().empty());
    }
}

// The columns of the file opened before are forgotten.
TEST_F(DbfOpenTest, RejectsAMissingFileOrAFolderWithItsPathAndReason) {
    ASSERT_TRUE(openBytes(dbfFile("codes.dbf")));
    const std::string path = m_folder / "absent.dbf";
    EXPECT_FALSE(open(path));
    EXPECT_EQ(messages(), "E Unable to open table [" + path + "]\n\nNo such file or directory\n");
    EXPECT_TRUE(m_table.Columns().empty());
    EXPECT_FALSE(read("", "", "*"));
    EXPECT_TRUE(m_table.Close(1));
    CDbfTbl folder;
    EXPECT_FALSE(openTable(folder, m_folder.path()));
    EXPECT_EQ(testsupport::messageLines(folder.reporter().messages()),
              "Unable to open table [" + m_folder.path() + "]\n\nIs a directory\n");
}

// In the header at the open, in the records at the read; only the whole record area succeeds.
TEST_F(DbfOpenTest, EveryTruncationFailsWhereItIsCut) {
    const std::string bytes = dbfFile("codes.dbf");
    const std::size_t headerLength = 32 + 3 * 32 + 1;
    const std::size_t recordsEnd = headerLength + 9 * 15;
    for (std::size_t size = 0; size <= recordsEnd; ++size) {
        SCOPED_TRACE(size);
        CDbfTbl table;
        const bool opened = openTable(table, write(bytes.substr(0, size)));
        ASSERT_EQ(opened, size >= headerLength - 1);  // the terminator may be missing
        const auto& messages = table.reporter().messages();
        if (!opened) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].text, "Invalid or damaged DBF file header encountered.");
            continue;
        }
        IoRowList rows;
        rows.push_back(std::make_unique<CIoRow>());  // the caller's own row stays, alone
        EXPECT_EQ(table.Read(rows, "", "", "*"), size == recordsEnd);
        EXPECT_EQ(rows.size(), size == recordsEnd ? 9u : 1u);
        if (size != recordsEnd) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_TRUE(holds(messages[0].text, "read the next record"));
        }
    }
}

// Whatever a header byte holds, the open either succeeds or fails with one message, and a
// read never leaves the record buffer (run under the address sanitizer to see it).
TEST_F(DbfOpenTest, SurvivesAnyValueInAnyHeaderByte) {
    const std::string bytes = dbfFile("codes.dbf");
    for (std::size_t at = 0; at < 32 + 3 * 32 + 1; ++at) {
        for (unsigned char fill : {0x00, 0x01, 0x0D, 0x7F, 0xFF}) {
            SCOPED_TRACE(std::to_string(at) + " " + std::to_string(fill));
            std::string damaged = bytes;
            damaged[at] = static_cast<char>(fill);
            CDbfTbl table;
            if (!openTable(table, write(damaged))) {
                EXPECT_EQ(table.reporter().messages().size(), 1u);
                continue;
            }
            IoRowList rows;
            EXPECT_TRUE(table.Read(rows, "", "", "*") || !table.reporter().messages().empty());
        }
    }
}

using DbfReadTest = testsupport::DbfTableFixture;

// Numbers read and write with a point under a comma locale, where the C library stops at the
// point: the reader must not rely on it.
TEST_F(DbfReadTest, DecodesEveryFieldTypeAndBlanksAsNullCellsOfTheirClass) {
    testsupport::NumericLocale locale(testsupport::kCommaLocale);
    ASSERT_TRUE(locale.active()) << testsupport::kMissingCommaLocale;
    ASSERT_EQ(std::strtod("-12.50", nullptr), -12.0);
    ASSERT_TRUE(openBytes(dbfFile("types.dbf")));
    ASSERT_TRUE(read("", "", "NAME,PRICE,RATE,DAY,NOTE,OK")) << messages();
    ASSERT_EQ(m_rows.size(), 2u);
    EXPECT_EQ(value(0, 0).GetString(), "  pan");  // leading blanks are data
    EXPECT_DOUBLE_EQ(value(0, 1).GetDouble(), -12.5);
    EXPECT_DOUBLE_EQ(value(0, 2).GetDouble(), 0.0125);
    const IoDateTimeFields day = splitIoDateTime(value(0, 3).GetDateTimeValue());
    EXPECT_EQ((std::vector<int>{day.year, day.month, day.day}), (std::vector<int>{2024, 2, 29}));
    EXPECT_EQ(value(0, 4).GetString(), "        17");  // the memo's own bytes
    EXPECT_EQ(value(0, 5).GetBit(), 1);
    const int classes[] = {1, 8, 8, 9, 1, -7};
    for (std::size_t column = 0; column < 6; ++column) {
        SCOPED_TRACE(column);
        const CIoCell &full = value(0, column), &blank = value(1, column);
        EXPECT_EQ(std::tuple(full.IsNull(), full.SqlType(), blank.IsNull(), blank.SqlType(),
                             blank.AsString()),
                  std::tuple(false, classes[column], true, classes[column], ""));
    }
    EXPECT_NE(value(1, 3).GetDateTimeValue().status, kIoDateTimeValid);
    EXPECT_EQ(formatDbfNumber(-12.5, 8, 2), "  -12.50");
    EXPECT_DOUBLE_EQ(parseDbfNumber(formatDbfNumber(1234.5678, 10, 3)), 1234.568);
}

// Each line of tests/data/dataio/dbf-reads.txt reads its rows with its messages (and keys); a
// value's text is empty exactly when the cell is NULL; on a line that gives the keys, an empty
// key cell is the placeholder of an empty key piece, not a cell the table made.
TEST_F(DbfReadTest, ReadsAsTheDataFileSays) {
    const auto lines = testsupport::dataTable("dataio/dbf-reads.txt");
    ASSERT_EQ(lines.size(), 13u);
    for (std::vector<std::string> f : lines) {
        f.resize(7);
        SCOPED_TRACE(f[0] + " " + f[1] + " = " + f[2] + " : " + f[3]);
        CDbfTbl table;
        ASSERT_TRUE(openTable(table, write(dbfFile(f[0]), f[0])));
        IoRowList rows;
        std::replace(f[5].begin(), f[5].end(), '/', '\n');
        EXPECT_EQ(table.Read(rows, f[1], f[2], f[3]), !f[5].starts_with("E "));
        std::string text, keys;
        for (const auto& row : rows) {
            for (const auto& cell : row->ValueCells()) {
                text += (&cell == &row->ValueCells().front() ? "" : "/") + cell->AsString();
                EXPECT_EQ(cell->IsNull(), cell->AsString().empty());
            }
            for (const auto& cell : row->KeyCells()) {
                keys += (&cell == &row->KeyCells().front() ? "" : "/") + cell->AsString();
                if (!f[6].empty() && cell->AsString().empty()) {
                    EXPECT_EQ(cell->Flags() & kCellMadeFlag, 0u);
                }
            }
            text += ";";
            keys += ";";
        }
        EXPECT_EQ(text, f[4]);
        if (!f[6].empty()) {
            EXPECT_EQ(keys, f[6]);
        }
        EXPECT_EQ(testsupport::messageLines(table.reporter().messages(), true), f[5]);
    }
}

TEST_F(DbfReadTest, ReadsTheRecordCountAndAgainFromTheFirstRecord) {
    EXPECT_FALSE(read("", "", "*"));
    EXPECT_TRUE(holds(messages(), "Unable to open table"));
    ASSERT_TRUE(openBytes(patchedDbf(dbfFile("codes.dbf"), testsupport::kDbfRecordCount, 2)));
    ASSERT_TRUE(read("", "", "COUNT")) << messages();
    ASSERT_TRUE(read("CODE", "AB", "COUNT")) << messages();
    ASSERT_EQ(m_rows.size(), 3u);
    EXPECT_EQ(value(1, 0).AsLong(), 2);
    EXPECT_EQ(value(2, 0).AsLong(), 1);
}

TEST(DbfColumnChecksTest, AcceptsWhatAFieldCanHoldAndStopsAtTheFirstFailure) {
    const auto cases = testsupport::dataTable("dataio/dbf-column-checks.txt");
    ASSERT_EQ(cases.size(), 11u);
    for (auto f : cases) {
        f.resize(2);  // an accepted case has no messages
        SCOPED_TRACE(f[0]);
        ColumnDescriptionList columns;
        std::istringstream list(f[0]);
        for (std::string column; std::getline(list, column, ',');) {
            auto& c = columns.emplace_back();
            std::istringstream(column) >> c.name >> c.sqlType >> c.width >> c.decimals;
            if (c.name == "-") c.name.clear();
        }
        std::replace(f[1].begin(), f[1].end(), '/', '\n');
        TableReporter reporter;
        EXPECT_EQ(checkDbfColumns(columns, reporter), f[1].empty());
        EXPECT_EQ(testsupport::messageLines(reporter.messages(), true), f[1]);
    }
}

// Right-aligned and rounded; no integer digit below one, except a zero without decimals and a
// value that rounds up to one; no sign on a value that rounds to zero; stars for a field too
// narrow (or a value that is no number); nothing for a width that is none.
TEST(DbfNumberFormatTest, WritesFixedFieldsOfTheirWidth) {
    const auto cases = testsupport::dataTable("dataio/dbf-numbers.txt");
    ASSERT_EQ(cases.size(), 29u);
    for (const auto& f : cases)
        EXPECT_EQ(
            formatDbfNumber(std::strtod(f[0].c_str(), nullptr), std::stoi(f[1]), std::stoi(f[2])),
            f.at(3))
            << f[0] << " in " << f[1] << "." << f[2];
}

TEST(DbfNumberFormatTest, ReadsBackAsTheRoundedValue) {
    for (double value : {0.0, 0.05, -0.05, 1.5, -1234.5678, 98765.4321, 1e-7}) {
        const std::string text = formatDbfNumber(value, 12, 3);
        ASSERT_EQ(text.size(), 12u) << value;
        EXPECT_DOUBLE_EQ(parseDbfNumber(text), std::round(value * 1000.0) / 1000.0)
            << value << " as \"" << text << "\"";
    }
}

}  // namespace
