#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "CIoTable.h"
#include "DataioTestSupport.h"
#include "FileChecksum.h"

// Names that a statement must carry as names, and key values whose "%" and "_" must match
// themselves, on SQLite and on PostgreSQL, through each backend that builds SQL.

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

// On PostgreSQL or SQLite, through the backend of a source kind.
class OddNamesTest : public testing::TestWithParam<std::tuple<bool, int>> {
protected:
    void SetUp() override {
        m_connection = std::make_shared<OdbcConnection>();
        if (!std::get<0>(GetParam())) {
            m_sqlite = std::make_unique<testsupport::SqliteTestDatabase>();
            ASSERT_EQ(executeStatements(m_sqlite->direct(), oddTables()), "");
            ASSERT_TRUE(m_connection->OpenEx(m_sqlite->accessConnect()))
                << m_connection->lastError().text();
            m_checksum = testsupport::fileChecksum(m_sqlite->path());
            return;
        }
        if (testsupport::postgresPort().empty())
            GTEST_SKIP() << "NORVA_TEST_PG_PORT is not set: no PostgreSQL server";
        ASSERT_EQ(testsupport::openPostgres(*m_connection, 5305, "\"Odd]Names\"", oddTables()), "");
    }

    void TearDown() override {
        if (m_sqlite) {
            EXPECT_EQ(testsupport::fileChecksum(m_sqlite->path()), m_checksum);
        }
    }

    CIoTable read(const std::string& table, const std::string& keys, const std::string& values,
                  const std::string& columns) {
        const int kind = std::get<1>(GetParam());
        if (kind == 10) return CIoTable(m_connection, table, keys, values, columns, 10, "");
        return CIoTable(m_connection.get(), table, keys, values, columns, kind);
    }

    std::unique_ptr<testsupport::SqliteTestDatabase> m_sqlite;
    std::shared_ptr<OdbcConnection> m_connection;
    std::uint64_t m_checksum = 0;
};

TEST_P(OddNamesTest, NamesWithBlanksCommasAndBracketsReadAsNames) {
    const CIoTable spaced = read("Odd]Names", "Code", "50ff", "Sol Name");
    ASSERT_EQ(spaced.Status(), kTableRead) << allMessages(spaced);
    ASSERT_EQ(spaced.RowCount(), 1);
    EXPECT_EQ(spaced.ValueAsString(0, 0), "beta");

    // The comma name is reached by a pattern (a list would split it) and is one column.
    const CIoTable comma = read("Odd]Names", "Sol Name", "gamma", "K?K*");
    ASSERT_EQ(comma.Status(), kTableRead) << allMessages(comma);
    ASSERT_EQ(comma.RowCount(), 1);
    ASSERT_EQ(comma.Rows()[0]->ValueCells().size(), 1u);
    EXPECT_EQ(comma.ValueAsString(0, 0), "three");

    EXPECT_EQ(read("Odd]Names", "Code", "*", "*").Rows().at(0)->ValueCells().size(), 3u);
}

TEST_P(OddNamesTest, PercentAndUnderscoreInAKeyPatternMatchThemselves) {
    const struct {
        const char* pattern;
        std::vector<std::string> names;
    } cases[] = {{"5%*", {"alpha"}},
                 {"a_b*", {"gamma"}},
                 {"a?b*", {"gamma", "delta"}},
                 {"*!", {"gamma", "delta"}},
                 {"5*", {"alpha", "beta"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        const CIoTable table = read("Odd]Names", "Code", c.pattern, "Sol Name");
        ASSERT_EQ(table.Status(), kTableRead) << allMessages(table);
        std::vector<std::string> names;
        for (int row = 0; row < table.RowCount(); ++row)
            names.push_back(table.ValueAsString(row, 0));
        EXPECT_EQ(names, c.names);
    }
}

TEST_P(OddNamesTest, AColumnNameWithAControlCharacterFailsTheRead) {
    const CIoTable table = read("Ctl", "Fine", "*", "*");
    EXPECT_EQ(table.Status(), kTableNotRead);
    EXPECT_NE(allMessages(table).find("\"a\\x0Ab\" holds a control character"), std::string::npos)
        << allMessages(table);
    EXPECT_EQ(read("Ctl", "Fine", "*", "Fine").RowCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Backends, OddNamesTest,
                         testing::Combine(testing::Bool(), testing::Values(2, 8, 10)));

}  // namespace
