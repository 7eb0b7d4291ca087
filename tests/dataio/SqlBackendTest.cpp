#include <memory>
#include <tuple>

#include "CIoLongCell.h"
#include "CIoShortCell.h"
#include "CIoStrCell.h"
#include "DataMessages.h"
#include "DataioTestSupport.h"
#include "FileChecksum.h"

// The backends that build SQL, on SQLite and on PostgreSQL: names that a statement must carry
// as names, key values whose "%" and "_" must match themselves, and the tables of results-*.sql.

namespace {

using testsupport::allMessages;
using testsupport::executeStatements;

// The tables of tests/data/dataio/odd-names.sql and one whose column name holds a line end.
std::vector<std::string> oddTables() {
    std::vector<std::string> sql = testsupport::sqlStatements("dataio/odd-names.sql");
    sql.insert(sql.end(), {"CREATE TABLE \"Ctl\" (\"a\nb\" VARCHAR(20), \"Fine\" VARCHAR(20))",
                           "INSERT INTO \"Ctl\" VALUES ('x', 'y')"});
    return sql;
}

// Reads of a source kind (2, 8 or 10) on SQLite, whose file no read may change, or on the
// private PostgreSQL server that the ctest fixture starts (skipped without it). Kinds 2 and 8
// connect by themselves, to SQLite through the Access driver's string; kind 10 reads SQLite
// through the ACE provider on the file's path, PostgreSQL through the test's connection.
class SqlBackend : public testing::Test {
protected:
    void open(bool postgres, int kind) {
        m_postgres = postgres;
        m_kind = kind;
        m_connection = std::make_shared<OdbcConnection>();
        if (!postgres) {
            m_sqlite = std::make_unique<testsupport::SqliteTestDatabase>();
            ASSERT_EQ(executeStatements(m_sqlite->direct(), oddTables()), "");
            m_connect = testsupport::accessConnect(m_sqlite->path());
            m_dataPath = m_sqlite->path();
            ASSERT_TRUE(m_connection->OpenEx(m_connect)) << m_connection->lastError().text();
            m_checksum = testsupport::fileChecksum(m_sqlite->path());
            return;
        }
        if (testsupport::postgresPort().empty())
            GTEST_SKIP() << "NORVA_TEST_PG_PORT is not set: no PostgreSQL server";
        std::vector<std::string> sql = testsupport::sqlStatements("dataio/results-postgres.sql");
        for (const std::string& statement : oddTables()) sql.push_back(statement);
        ASSERT_EQ(testsupport::openPostgres(*m_connection, 5303, "\"Ctl\"", sql), "");
        m_connect =
            "DRIVER={PostgreSQL Unicode};Server=127.0.0.1;Port=" + testsupport::postgresPort() +
            ";Database=norva_test;Uid=postgres";
    }

    void TearDown() override {
        if (m_sqlite && m_checksum != 0) {
            EXPECT_EQ(testsupport::fileChecksum(m_sqlite->path()), m_checksum);
        }
    }

    CIoTable read(const std::string& table, const std::string& keys, const std::string& values,
                  const std::string& columns, TableOptions options = {}) {
        if (m_kind == 10 && m_dataPath.empty())
            return CIoTable(m_connection, table, keys, values, columns, 10, "", options);
        CIoTableDescription description;
        description.connect = m_kind == 10 ? "" : m_connect;
        description.dataPath = m_kind == 10 ? m_dataPath : "";
        description.tableName = table;
        description.kind = m_kind;
        return CIoTable(description, keys, values, columns, options);
    }

    bool m_postgres = false;
    int m_kind = 0;
    std::string m_connect, m_dataPath;
    std::unique_ptr<testsupport::SqliteTestDatabase> m_sqlite;
    std::shared_ptr<OdbcConnection> m_connection;
    std::uint64_t m_checksum = 0;
};

// On PostgreSQL or SQLite, through the backend of a source kind.
class SqlBackendTest : public SqlBackend,
                       public testing::WithParamInterface<std::tuple<bool, int>> {
protected:
    void SetUp() override { open(std::get<0>(GetParam()), std::get<1>(GetParam())); }
};

// Each line of tests/data/dataio/key-reads.txt (those for the ODBC path only on kinds 2 and 8)
// reads its rows and the leading rows it gives; every read succeeds on SQLite.
TEST_P(SqlBackendTest, KeysSelectTheirRows) {
    int lines = 0;
    for (std::vector<std::string> f : testsupport::dataTable("dataio/key-reads.txt")) {
        if (f[0].starts_with("odbc ") && m_kind == 10) continue;
        if (f[0].starts_with("odbc ")) f[0].erase(0, 5);
        f.resize(6);  // the first row may be left out
        SCOPED_TRACE(f[0] + " " + f[1] + " = " + f[2] + " : " + f[3]);
        const CIoTable table = read(f[0], f[1], f[2], f[3]);
        if (!m_postgres) {
            EXPECT_EQ(table.Status(), kTableRead) << allMessages(table);
        }
        ASSERT_EQ(table.RowCount(), std::stoi(f[4])) << allMessages(table);
        std::istringstream rows(f[5]);
        int row = 0;
        for (std::string expected; std::getline(rows, expected, ';');)
            EXPECT_EQ(testsupport::rowText(table, row++), expected);
        ++lines;
    }
    EXPECT_GE(lines, 10);
    EXPECT_TRUE(testsupport::tableExists(*m_connection, "PrCase"));
}

// No matching row is a warning, not a failure; a missing column or a column name with a
// control character fails the read; the test's connection stays open.
TEST_P(SqlBackendTest, RefusalsEndInTheirStatus) {
    const CIoTable none = read("PrPrimalRow", "SolutionID", "99", "RowName");
    EXPECT_EQ(std::tuple(none.Status(), none.RowCount(),
                         testsupport::messageLines(none.Messages(), true)),
              std::tuple(kTableRead, 0,
                         std::string("W ") + datamsg::text(datamsg::kNoMatchForKey) + "\n"));
    const CIoTable column = read("PrPrimalRow", "SolutionID", "1", "RowName,Slack");
    EXPECT_EQ(column.Status(), kTableNotRead);
    EXPECT_TRUE(holds(allMessages(column), "Can Not Find Extract Column [Slack]."));
    const CIoTable control = read("Ctl", "Fine", "*", "*");
    EXPECT_EQ(control.Status(), kTableNotRead);
    EXPECT_TRUE(holds(allMessages(control), "\"a\\x0Ab\" holds a control character"));
    EXPECT_EQ(m_connection->State(), 1);
}

// A missing or hostile table name is one quoted name: it opens no table and changes nothing.
TEST_P(SqlBackendTest, MissingAndHostileTableNamesOpenNoTable) {
    for (const std::string name :
         {"PrNoSuchTable", "PrCase; DROP TABLE PrCase", "PrCase--", "Pr Case", "[PrCase]"}) {
        SCOPED_TRACE(name);
        const CIoTable table = read(name, "CaseID", "*", "CaseName");
        EXPECT_EQ(table.Status(), kTableNotOpened);
        EXPECT_TRUE(allMessages(table).starts_with("Unable to open table [" + name + "]\n\n"));
        EXPECT_TRUE(holds(allMessages(table), m_postgres ? "does not exist" : "no such table"));
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, SqlBackendTest,
                         testing::Combine(testing::Bool(), testing::Values(2, 8, 10)));

// The ADO path on PostgreSQL.
class AdoPostgresTest : public SqlBackend {
protected:
    void SetUp() override { open(true, 10); }
};

// Keys are long cells, booleans short cells (true -1).
TEST_F(AdoPostgresTest, CellsOfEachClass) {
    const CIoTable columns = read("PrPrimalColumn", "SolutionID", "*", "ColumnName");
    ASSERT_EQ(columns.RowCount(), 5) << allMessages(columns);
    EXPECT_EQ(columns.KeyAsLong(4, 0), 3);
    EXPECT_NE(dynamic_cast<const CIoLongCell*>(columns.Rows()[4]->KeyCells()[0].get()), nullptr);
    const CIoTable table = read("PrSolution", "SolutionID", "*", "Optimal");
    ASSERT_EQ(table.Status(), kTableRead) << allMessages(table);
    ASSERT_EQ(table.RowCount(), 3);
    const CIoCell& yes = *table.Rows()[0]->ValueCells()[0];
    const CIoCell& no = *table.Rows()[1]->ValueCells()[0];
    ASSERT_NE(dynamic_cast<const CIoShortCell*>(&yes), nullptr);
    EXPECT_EQ(yes.GetShort(), -1);
    EXPECT_EQ(no.GetShort(), 0);
}

TEST_F(AdoPostgresTest, OpensItsOwnConnectionFromAProviderString) {
    std::ostringstream log;
    TableOptions options;
    options.logging = true;
    options.logStream = &log;
    CIoTableDescription description;
    description.connect = "Provider=PostgreSQL OLE DB Provider;Data Source=127.0.0.1;Port=" +
                          testsupport::postgresPort() + ";Location=norva_test";
    description.user = "postgres";
    description.tableName = "PrCase";
    description.kind = 10;
    const CIoTable table(description, "CaseID", "2", "CaseName", options);
    ASSERT_EQ(table.Status(), kTableRead) << allMessages(table);
    EXPECT_EQ(table.ValueAsString(0, 0), "summer");
    // Names as the catalog and the table spell them (PostgreSQL folded them), quoted.
    EXPECT_EQ(log.str(), "SELECT \"casename\",\"caseid\" FROM \"prcase\" WHERE \"caseid\" = 2\n\n");
}

TEST_F(AdoPostgresTest, RejectsANumericColumn) {
    TableOptions warnings;
    warnings.showWarningBoxes = true;
    const CIoTable numeric = read("PrSolution", "SolutionID", "1", "Gap", warnings);
    EXPECT_EQ(numeric.Status(), kTableNotRead);
    EXPECT_TRUE(holds(allMessages(numeric), "Column [gap] with unsupported data type skipped."));
    EXPECT_TRUE(holds(allMessages(numeric), "Can Not Find Extract Column [Gap]."));
}

// The ODBC path on SQLite, connecting through the Access driver's string.
class SqliteOdbcTest : public SqlBackend {
protected:
    void SetUp() override { open(false, 8); }
};

// A star key keeps the key cell, a number in a text column reads like atoi, an empty key piece
// gives a placeholder. (NULLs and dates: the key reads and the cell tests.)
TEST_F(SqliteOdbcTest, CellsOfEachColumnClass) {
    const CIoTable columns = read("PrPrimalColumn", "SolutionID", "*", "ColumnName,Activity");
    ASSERT_EQ(columns.RowCount(), 5) << allMessages(columns);
    EXPECT_EQ(
        std::tuple(columns.KeyAsLong(0, 0), columns.KeyAsLong(4, 0), columns.ValueAsDouble(3, 1)),
        std::tuple(1, 3, 7.25));

    const CIoTable texts = read("PrPrimalColOld", "RUNID", "R12", "ACTIVITY,DJ");
    ASSERT_EQ(texts.RowCount(), 2) << allMessages(texts);
    EXPECT_EQ(
        std::tuple(texts.ValueAsLong(0, 0), texts.ValueAsDouble(0, 0), texts.ValueAsLong(1, 0),
                   texts.Rows()[1]->ValueCells()[0]->GetShort(), texts.ValueAsLong(1, 1)),
        std::tuple(12, 12.0, 12, kNoValueInteger, 0));

    const CIoTable cases = read("PrCase", "CaseID,", "2,", "CaseName");
    ASSERT_EQ(cases.RowCount(), 1) << allMessages(cases);
    const CIoRow& row = *cases.Rows()[0];
    ASSERT_EQ(row.KeyCells().size(), 2u);
    EXPECT_EQ(row.KeyCells()[0]->AsLong(), 2);
    EXPECT_NE(dynamic_cast<const CIoStrCell*>(row.KeyCells()[1].get()), nullptr);
    EXPECT_EQ(row.KeyCells()[1]->Flags() & kCellMadeFlag, 0u);
}

TEST_F(SqliteOdbcTest, AMissingDatabaseFileIsNotMade) {
    const std::string missing = m_sqlite->folder() / "absent.mdb";
    m_connect = "ODBC;DRIVER={Microsoft Access Driver (*.mdb)};DBQ=" + missing;
    m_dataPath = missing;
    for (const int kind : {8, 10}) {
        m_kind = kind;
        const CIoTable table = read("PrCase", "CaseID", "1", "CaseName");
        EXPECT_EQ(table.Status(), kTableNotOpened);
        EXPECT_TRUE(holds(allMessages(table), "Unable to open table [PrCase]"));
        EXPECT_TRUE(holds(allMessages(table), missing + "\" does not exist"));
        EXPECT_FALSE(std::filesystem::exists(missing));
    }
}

TEST_F(SqliteOdbcTest, ReadsThroughACallersOpenDatabaseAndLeavesItOpen) {
    CDatabase database;
    ASSERT_TRUE(database.OpenEx(m_connect)) << database.lastError().text();
    EXPECT_TRUE(holds(database.ConnectString(), "Database=" + m_sqlite->path()));
    {
        const CIoTable table(&database, "PrSolution", "SolutionID", "*", "RunName", 8);
        ASSERT_EQ(table.Status(), kTableRead) << allMessages(table);
        ASSERT_EQ(table.RowCount(), 3);
        EXPECT_EQ(table.ValueAsString(2, 0), "O'Brien");
    }
    EXPECT_TRUE(database.IsOpen());
    const CIoTable again(&database, "Query::PrCase", "CaseID", "2", "CaseName", 8);
    ASSERT_EQ(again.Status(), kTableRead) << allMessages(again);
    EXPECT_EQ(again.ValueAsString(0, 0), "summer");
}

// Texts longer than one read piece arrive whole on plain ODBC, multi-byte characters intact.
TEST_F(SqliteOdbcTest, LongTextsArriveWhole) {
    m_kind = 2;
    std::string longText;
    for (int i = 0; i < 3000; ++i) longText += "ab\xC3\xA9" + std::to_string(i % 10);
    m_checksum = 0;  // the test writes a row of its own
    ASSERT_EQ(executeStatements(m_sqlite->direct(),
                                {"INSERT INTO PrCase VALUES (9, '" + longText + "')"}),
              "");
    const CIoTable text = read("PrCase", "CaseID", "9", "CaseName");
    ASSERT_EQ(text.Status(), kTableRead) << allMessages(text);
    EXPECT_EQ(text.ValueAsString(0, 0), longText);
}

}  // namespace
