#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "CliTestSupport.h"

namespace {

// A results table in a fresh SQLite file, written by the sqlite3 shell so that the tool is
// the only reader under test.
const char* const kResultsSql =
    "CREATE TABLE PrSolution (SolutionID INTEGER, SolutionName TEXT, Objective REAL);\n"
    "INSERT INTO PrSolution VALUES (1, 'base', 10.5);\n"
    "INSERT INTO PrSolution VALUES (2, 'O''Brien', 2.25);\n"
    "INSERT INTO PrSolution VALUES (3, NULL, NULL);\n";

struct DbfField {
    std::string name;
    char type;
    uint8_t length;
};

// A version 3 DBF file: header, descriptors, terminator, then each record's bytes as given
// (the deletion mark first).
std::string dbfBytes(const std::vector<DbfField>& fields, const std::vector<std::string>& records) {
    uint16_t recordLength = 1;
    for (const DbfField& field : fields) recordLength = uint16_t(recordLength + field.length);
    const uint16_t headerLength = uint16_t(32 + 32 * fields.size() + 1);
    std::string bytes(32, '\0');
    bytes[0] = 3;
    const uint32_t count = uint32_t(records.size());
    for (int i = 0; i < 4; ++i) bytes[4 + i] = char((count >> (8 * i)) & 0xFF);
    bytes[8] = char(headerLength & 0xFF);
    bytes[9] = char(headerLength >> 8);
    bytes[10] = char(recordLength & 0xFF);
    bytes[11] = char(recordLength >> 8);
    for (const DbfField& field : fields) {
        std::string descriptor(32, '\0');
        descriptor.replace(0, field.name.size(), field.name);
        descriptor[11] = field.type;
        descriptor[16] = char(field.length);
        bytes += descriptor;
    }
    bytes += '\r';
    for (const std::string& record : records) bytes += record;
    return bytes;
}

class TableRequestToolTest : public CliToolTest {
protected:
    std::string makeResultsDatabase(const std::string& name) {
        const std::string path = m_files / name;
        const std::string command = "sqlite3 '" + path + "'";
        std::FILE* shell = ::popen(command.c_str(), "w");
        if (shell == nullptr) {
            ADD_FAILURE() << "cannot run " << command;
            return path;
        }
        std::fputs(kResultsSql, shell);
        EXPECT_EQ(::pclose(shell), 0) << "sqlite3 failed on " << path;
        return path;
    }

    static std::string accessConnect(const std::string& path) {
        return "ODBC;DRIVER={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=" + path;
    }
};

TEST_F(TableRequestToolTest, ReadsKeyedRowsThroughTheAccessDriverName) {
    const std::string database = makeResultsDatabase("results.mdb");
    const InspectRun result =
        run({"--table", "PrSolution", "--kind", "8", "--connect", accessConnect(database), "--keys",
             "SolutionID", "--values", "*", "--columns", "SolutionName,Objective"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    // Values in request order, then the key; a NULL prints as nothing.
    EXPECT_EQ(result.out,
              "status 0\nrows 3\n"
              "base\t10.500000\t1\n"
              "O'Brien\t2.250000\t2\n"
              "\t\t3\n");
}

TEST_F(TableRequestToolTest, HostileKeyValueReadsNothingAndChangesNothing) {
    const std::string database = makeResultsDatabase("results.db");
    const std::string connect = accessConnect(database);
    const InspectRun hostile =
        run({"--table", "PrSolution", "--kind", "8", "--connect", connect, "--keys", "SolutionName",
             "--values", "x' OR 'a'='a'; DROP TABLE PrSolution; --", "--columns", "SolutionID"});
    EXPECT_EQ(hostile.exitCode, 0) << hostile.err;
    EXPECT_EQ(hostile.out, "status 0\nrows 0\n");
    EXPECT_NE(hostile.err.find("No Match for Source Key Value."), std::string::npos) << hostile.err;

    const InspectRun quoted =
        run({"--table", "PrSolution", "--kind", "8", "--connect", connect, "--keys", "SolutionName",
             "--values", "O'Brien", "--columns", "SolutionID"});
    EXPECT_EQ(quoted.out, "status 0\nrows 1\n2\tO'Brien\n") << quoted.err;

    const InspectRun after = run(
        {"--table", "PrSolution", "--kind", "8", "--connect", connect, "--columns", "SolutionID"});
    EXPECT_EQ(after.out, "status 0\nrows 3\n1\n2\n3\n") << after.err;
}

TEST_F(TableRequestToolTest, ReportsFailedRequestsWithTheirStatus) {
    const std::string database = makeResultsDatabase("results.db");
    const std::string connect = accessConnect(database);
    const std::string missing = m_files / "absent.mdb";
    const struct {
        std::vector<std::string> arguments;
        const char* out;
        std::string phrase;
    } cases[] = {
        {{"--table", "PrSolution", "--kind", "8", "--connect", connect, "--columns", "Nope"},
         "status 2\nrows 0\n",
         "Can Not Find Extract Column [Nope]."},
        {{"--table", "PrSolution", "--kind", "8", "--connect", connect, "--columns", ""},
         "status 2\nrows 0\n",
         "No Extract Columns Specified."},
        {{"--table", "PrMissing", "--kind", "8", "--connect", connect, "--columns", "X"},
         "status 1\nrows 0\n",
         "PrMissing"},
        {{"--table", "PrSolution", "--kind", "5", "--columns", "SolutionID"},
         "status 1\nrows 0\n",
         ""},
        {{"--table", "PrSolution", "--kind", "8", "--connect", accessConnect(missing), "--columns",
          "SolutionID"},
         "status 1\nrows 0\n",
         missing},
    };
    for (const auto& c : cases) {
        const InspectRun result = run(c.arguments);
        EXPECT_EQ(result.exitCode, 1) << c.phrase;
        EXPECT_EQ(result.out, c.out) << result.err;
        EXPECT_NE(result.err.find(c.phrase), std::string::npos) << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(missing)) << "a missing database file was created";
}

TEST_F(TableRequestToolTest, ReadsDbfFileWithKeyPattern) {
    const std::string path = m_files.write(
        "prices.dbf",
        dbfBytes({{"CODE", 'C', 4}, {"PRICE", 'N', 8}},
                 {" AB1   -12.50", "*AB2     1.00", " XY3     3.25", " AB4    99   "}));
    const InspectRun result = run({"--table", path, "--kind", "7", "--keys", "CODE", "--values",
                                   "AB?", "--columns", "PRICE"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "status 0\nrows 2\n-12.500000\tAB1\n99.000000\tAB4\n");
}

TEST_F(TableRequestToolTest, RejectsBadTableUsage) {
    const struct {
        std::vector<std::string> arguments;
        const char* phrase;
    } cases[] = {
        {{"--table", "T", "--columns", "A"}, "--table needs --kind"},
        {{"--table", "T", "--kind", "8"}, "--table needs --columns"},
        {{"--table", "T", "--kind", "eight", "--columns", "A"}, "--kind needs a number: eight"},
        {{"--table", "T", "--kind", "8", "--columns", "A", "x.mps"}, "--table takes no matrix"},
        {{"--dump", "x.mps", "--kind", "8"}, "go with --table"},
        {{"--table", "T", "--kind", "8", "--columns"}, "--columns needs a value"},
    };
    for (const auto& c : cases) expectUsageError(c.arguments, c.phrase);
}

}  // namespace
