#include "DataioTestSupport.h"
#include "FileChecksum.h"

namespace {

using testsupport::accessConnect;
using testsupport::allMessages;

// A real Access file from a Debian package that the setup installs; the tests read a copy,
// since the package keeps it gzipped.
constexpr const char* kPackagedAccessFile =
    "/usr/share/doc/fp-units-db/3.2.2/examples/odbc/testodbc.mdb.gz";

class AccessFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kPackagedAccessFile))
            << kPackagedAccessFile << " is missing: scripts/install-deps.sh installs it with "
            << "the package fp-units-db-3.2.2";
        m_path = m_folder / "results.mdb";
        const std::string command =
            std::string("gzip -dc '") + kPackagedAccessFile + "' > '" + m_path + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        m_checksum = testsupport::fileChecksum(m_path);
    }

    // Reading never changes the file.
    void TearDown() override { EXPECT_EQ(testsupport::fileChecksum(m_path), m_checksum); }

    CIoTable read(const std::string& connect, int kind, const std::string& keys,
                  const std::string& values, const std::string& columns) const {
        CIoTableDescription description;
        description.connect = connect;
        description.tableName = "FPdev";
        description.kind = kind;
        return CIoTable(description, keys, values, columns);
    }

    testsupport::TempFolder m_folder;
    std::string m_path;
    std::uint64_t m_checksum = 0;
};

TEST_F(AccessFileTest, ReadsThroughTheWindowsDriverName) {
    const CIoTable all = read(accessConnect(m_path), 8, "id", "*", "UserName");
    ASSERT_EQ(all.Status(), kTableRead) << allMessages(all);
    ASSERT_EQ(all.RowCount(), 8);
    // The driver returns rows in the file's physical order, where id 6 comes last.
    EXPECT_EQ(std::tuple(all.ValueAsString(0, 0), all.KeyAsLong(7, 0), all.ValueAsString(7, 0)),
              std::tuple("Michael Van Canneyt", 6, "Jonas Maebe"));

    const CIoTable one = read(accessConnect(m_path), 8, "id", "5", "UserName,InstEmail");
    ASSERT_EQ(one.Status(), kTableRead) << allMessages(one);
    ASSERT_EQ(one.RowCount(), 1);
    EXPECT_EQ(testsupport::rowText(one), "Pierre Muller/muller@europe.u-strasbg.fr");
    // A hostile key reads nothing and leaves the file alone (the checksum after each test).
    EXPECT_EQ(read(accessConnect(m_path), 8, "UserName", "x' OR 'a'='a", "id").RowCount(), 0);
    EXPECT_EQ(read(accessConnect(m_path), 8, "id", "*", "id").RowCount(), 8);
}

// The driver has no ESCAPE: the "_" goes to it as a wildcard and the rows it let in for that
// reason are dropped afterwards.
TEST_F(AccessFileTest, UnderscoreInAPatternMatchesOnlyItself) {
    const std::string ace = "Provider=Microsoft.ACE.OLEDB.12.0;Data Source=" + m_path;
    const std::pair<const char*, int> cases[] = {
        {"Pierre_Muller*", 0}, {"Pierre?Muller*", 1}, {"P%*", 0}, {"P*", 2}};
    for (const auto& [pattern, rows] : cases) {
        for (const auto& [connect, kind] : {std::pair{accessConnect(m_path), 8}, {ace, 10}}) {
            SCOPED_TRACE(std::string(pattern) + " kind " + std::to_string(kind));
            EXPECT_EQ(read(connect, kind, "UserName", pattern, "id").RowCount(), rows);
        }
    }
}

// Bytes whose damage makes the mdbtools driver crash inside the process that reads: the
// system catalog's table definition (crashes while connecting) and the table's own.
TEST_F(AccessFileTest, ADamagedFileThatCrashesTheDriverEndsInTheFailurePath) {
    constexpr std::size_t kPageBytes = 2048;
    const std::size_t damagedPages[] = {2, 34};
    for (const std::size_t page : damagedPages) {
        SCOPED_TRACE("page " + std::to_string(page));
        const std::string damaged = m_folder / ("damaged" + std::to_string(page) + ".mdb");
        std::filesystem::copy_file(m_path, damaged);
        std::fstream(damaged, std::ios::binary | std::ios::in | std::ios::out)
            .seekp(static_cast<std::streamoff>(page * kPageBytes + 35))
            .put('\xFF');
        const CIoTable table = read(accessConnect(damaged), 8, "id", "*", "UserName");
        EXPECT_NE(table.Status(), kTableRead);
        EXPECT_EQ(table.RowCount(), 0);
        EXPECT_TRUE(holds(allMessages(table), "The database driver failed"));
    }
    // The reading process of the healthy file is not touched by the others' ends.
    EXPECT_EQ(read(accessConnect(m_path), 8, "id", "*", "id").RowCount(), 8);
}

}  // namespace
