#include <sys/stat.h>

#include "CsvText.h"
#include "DataioTestSupport.h"
#include "RegularTextFile.h"

namespace {

// Each line of tests/data/dataio/csv-texts.txt parses into its records and problem.
TEST(CsvTextTest, ReadsFieldsUpToTheFirstProblem) {
    const auto lines = testsupport::dataTable("dataio/csv-texts.txt");
    ASSERT_EQ(lines.size(), 4u);
    for (const auto& f : lines) {
        std::vector<CsvRecord> records;
        const CsvProblem problem = parseCsv(f[0], records);
        std::string out;
        for (const CsvRecord& record : records) {
            out += std::to_string(record.line) + ":";
            for (std::size_t i = 0; i < record.fields.size(); ++i)
                out += (i ? "/" : "") + record.fields[i];
            out += ";";
        }
        if (problem.line != 0) out += std::to_string(problem.line) + " " + problem.text;
        EXPECT_EQ(out, f[1]);
    }
}

using testsupport::allMessages;

// Text cells filtered by keys; a row with every key empty is skipped naming its line.
TEST(CWksTblTest, ReadsTextCellsFilteredByKeys) {
    const std::string cases = NORVA_TEST_DATA_DIR "/dataio/cases.csv";
    const CIoTable table(nullptr, cases, "caseid,run", "3,R1?", "Value,Run", 0);
    ASSERT_EQ(table.Status(), 0) << allMessages(table);
    ASSERT_EQ(table.RowCount(), 2);
    EXPECT_EQ(testsupport::rowText(table, 0) + ";" + testsupport::rowText(table, 1),
              "-12.5/R12;7,125/R13");
    EXPECT_EQ(std::tuple(table.Rows()[1]->ValueCells()[0]->SqlType(), table.KeyAsLong(1, 0),
                         table.KeyAsString(1, 1)),
              std::tuple(1, 3, "R13"));
    const CIoTable all(nullptr, cases, "CaseId,Run", "*,*", "Value", 0);
    ASSERT_EQ(all.Status(), 0) << allMessages(all);
    EXPECT_EQ(all.RowCount(), 3);
    EXPECT_EQ(allMessages(all), "Row 5 with all empty key values skipped.\n");
}

// What cannot be opened fails with status 1 naming the file and the reason: devices, pipes and
// folders never end, block or hold no text. A row of the wrong width fails the read (2).
TEST(CWksTblTest, RefusesWhatItCannotReadSayingWhy) {
    const testsupport::TempFolder folder;
    const std::string fifo = folder / "pipe.csv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string longLine =
        folder.write("long.csv", "A,B\n1,2\n" + std::string(kMaxTextLineBytes + 1, 'x') + "\n");
    const struct {
        std::string path;
        int status;
        const char* reason;
    } cases[] = {
        {folder.write("open.csv", "A,B\n1,\"2\n"), 1, "line 2: a quoted field is not closed"},
        {folder / "absent.csv", 1, "No such file or directory"},
        {folder.write("empty.csv", "\n\n"), 1, "no line of column names"},
        {"/dev/zero", 1, "not a regular file"},
        {fifo, 1, "not a regular file"},
        {folder.path(), 1, "a folder"},
        {longLine, 1, "line 3 is longer than 1048576 bytes"},
        {folder.write("ragged.csv", "A,B\n1,2\n3\n"), 2,
         "line 3: 1 fields where line 1 names 2 columns"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.path);
        const CIoTable table(nullptr, test.path, "", "", test.status == 2 ? "A" : "*", 0);
        EXPECT_EQ(table.Status(), test.status);
        EXPECT_EQ(table.RowCount(), 0);
        const std::string messages = allMessages(table);
        if (test.status == 1) {
            EXPECT_TRUE(holds(messages, "Unable to open table [" + test.path + "]\n\n"));
        }
        EXPECT_TRUE(holds(messages, test.reason));
    }
}

}  // namespace
