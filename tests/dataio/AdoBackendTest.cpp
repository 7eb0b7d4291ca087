#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "CIoLongCell.h"
#include "CIoShortCell.h"
#include "CIoTable.h"
#include "DataMessages.h"
#include "DataioTestSupport.h"

namespace {

using testsupport::allMessages;

// The private server the ctest fixture starts; the tests skip when run without it.
class AdoPostgresTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (s_port.empty()) GTEST_SKIP() << "NORVA_TEST_PG_PORT is not set: no PostgreSQL server";
        m_connection = std::make_shared<OdbcConnection>();
        ASSERT_EQ(
            testsupport::openPostgres(*m_connection, 5303, "PrCase",
                                      testsupport::sqlStatements("dataio/results-postgres.sql")),
            "");
    }

    CIoTable read(const std::string& table, const std::string& keys, const std::string& values,
                  const std::string& columns, TableOptions options = {}) {
        return CIoTable(m_connection, table, keys, values, columns, 10, "", options);
    }

    static inline const std::string s_port = testsupport::postgresPort();
    AdoConnectionRef m_connection;
};

TEST_F(AdoPostgresTest, KeysSelectTheirRows) {
    testsupport::expectKeyReads(false, false,
                                [this](auto&&... request) { return read(request...); });
    EXPECT_TRUE(testsupport::tableExists(*m_connection, "PrCase"));
}

// Keys are long cells, booleans short cells (true -1); the caller's connection stays open.
TEST_F(AdoPostgresTest, CellsOfEachClassThroughTheCallersConnection) {
    const CIoTable columns = read("PrPrimalColumn", "SolutionID", "*", "ColumnName");
    ASSERT_EQ(columns.RowCount(), 5) << allMessages(columns);
    EXPECT_EQ(columns.KeyAsLong(4, 0), 3);
    EXPECT_NE(dynamic_cast<const CIoLongCell*>(columns.Rows()[4]->KeyCells()[0].get()), nullptr);
    EXPECT_EQ(m_connection->State(), 1);
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
    description.connect =
        "Provider=PostgreSQL OLE DB Provider;Data Source=127.0.0.1;Port=" + s_port +
        ";Location=norva_test";
    description.user = "postgres";
    description.tableName = "PrCase";
    description.kind = 10;
    const CIoTable table(description, "CaseID", "2", "CaseName", options);
    ASSERT_EQ(table.Status(), kTableRead) << allMessages(table);
    EXPECT_EQ(table.ValueAsString(0, 0), "summer");
    // Names as the catalog and the table spell them (PostgreSQL folded them), quoted.
    EXPECT_EQ(log.str(), "SELECT \"casename\",\"caseid\" FROM \"prcase\" WHERE \"caseid\" = 2\n\n");
}

// A numeric column is not available (a warning box says so); a missing table fails the open
// and leaves the caller's connection open.
TEST_F(AdoPostgresTest, RejectsANumericColumnAndAMissingTable) {
    TableOptions warnings;
    warnings.showWarningBoxes = true;
    const CIoTable numeric = read("PrSolution", "SolutionID", "1", "Gap", warnings);
    EXPECT_EQ(numeric.Status(), kTableNotRead);
    EXPECT_NE(allMessages(numeric).find("Column [gap] with unsupported data type skipped."),
              std::string::npos)
        << allMessages(numeric);
    EXPECT_NE(allMessages(numeric).find("Can Not Find Extract Column [Gap]."), std::string::npos);
    const CIoTable table = read("PrNoSuchTable", "SolutionID", "1", "RowName");
    EXPECT_EQ(table.Status(), kTableNotOpened);
    EXPECT_NE(allMessages(table).find("Unable to open table [PrNoSuchTable]\n\n"),
              std::string::npos)
        << allMessages(table);
    EXPECT_EQ(m_connection->State(), 1);
}

// The ACE provider on an Access-named file reaches the SQLite file through its content.
TEST(AdoAccessFileTest, ReadsAFileNamedByTheDataPath) {
    testsupport::SqliteTestDatabase db;
    CIoTableDescription description;
    description.dataPath = db.path();
    description.tableName = "PrPrimalRow";
    description.kind = 10;
    const CIoTable table(description, "SolutionID", "3", "RowName,Activity");
    ASSERT_EQ(table.Status(), kTableRead) << allMessages(table);
    ASSERT_EQ(table.RowCount(), 2);
    EXPECT_DOUBLE_EQ(table.ValueAsDouble(1, 1), 3.0);

    description.dataPath = db.folder() / "missing.accdb";
    const CIoTable missing(description, "SolutionID", "3", "RowName");
    EXPECT_EQ(missing.Status(), kTableNotOpened);
    EXPECT_NE(allMessages(missing).find("missing.accdb\" does not exist"), std::string::npos);
}

// A hostile table name is one quoted name: it opens no table and changes nothing.
TEST(AdoAccessFileTest, HostileTableNamesAreOneQuotedName) {
    testsupport::SqliteTestDatabase db;
    CIoTableDescription description;
    description.dataPath = db.path();
    description.kind = 10;
    for (const char* name : {"PrCase; DROP TABLE PrCase", "PrCase--", "Pr Case", "[PrCase]"}) {
        SCOPED_TRACE(name);
        description.tableName = name;
        const CIoTable table(description, "CaseID", "*", "CaseName");
        EXPECT_EQ(table.Status(), kTableNotOpened);
        EXPECT_NE(allMessages(table).find("no such table"), std::string::npos)
            << allMessages(table);
    }
    description.tableName = "Query::PrCase";
    const CIoTable table(description, "CaseID", "*", "CaseName");
    EXPECT_EQ(table.Status(), kTableRead) << allMessages(table);
    EXPECT_EQ(table.RowCount(), 2);
}

}  // namespace
