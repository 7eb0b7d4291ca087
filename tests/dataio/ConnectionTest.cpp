#include <sys/stat.h>

#include <cstdio>
#include <optional>
#include <utility>

#include "ConnectionString.h"
#include "ConnectionTranslation.h"
#include "DataioTestSupport.h"
#include "OdbcDrivers.h"

namespace {

TEST(ConnectionStringTest, ReadsPairsBracesAndQuotes) {
    const ConnectionString s = ConnectionString::parse(
        " Provider = SQLOLEDB ; Data Source=\"C:\\a;b.mdb\";DRIVER={My }}Driver; x};"
        "Password='it''s';flag;;Empty=");
    using Entries = std::vector<ConnectionString::Entry>;
    EXPECT_EQ(s.entries(), (Entries{{"Provider", "SQLOLEDB"},
                                    {"Data Source", "C:\\a;b.mdb"},
                                    {"DRIVER", "My }Driver; x"},
                                    {"Password", "it's"},
                                    {"flag", ""},
                                    {"Empty", ""}}));
    EXPECT_EQ(s.find("DATA SOURCE"), "C:\\a;b.mdb");
    EXPECT_FALSE(s.find("missing").has_value());
}

TEST(ConnectionStringTest, WritesWhatReadsBackTheSame) {
    ConnectionString s;
    s.set("DRIVER", "SQLite3");
    s.set("Database", "/tmp/a;b {x}.db");
    s.set("PWD", " padded ");
    s.set("driver", "PostgreSQL Unicode");  // replaces, ignoring case, in place
    const std::string text = s.write();
    EXPECT_EQ(text, "DRIVER=PostgreSQL Unicode;Database={/tmp/a;b {x}}.db};PWD={ padded }");
    const ConnectionString back = ConnectionString::parse(text);
    EXPECT_EQ(back.entries(), s.entries());
    s.erase("database");
    EXPECT_EQ(s.write(), "DRIVER=PostgreSQL Unicode;PWD={ padded }");
}

using testsupport::TempFolder;

const std::vector<std::string> kDebianDrivers = {"FreeTDS", "PostgreSQL ANSI", "PostgreSQL Unicode",
                                                 "SQLite3", "MDBTools"};

// text with $SQLITE naming folder/results.mdb, $MISSING folder/missing.db and $FILES folder.
std::string expanded(std::string text, const TempFolder& folder) {
    for (const auto& [name, path] : {std::pair{"$SQLITE", folder / "results.mdb"},
                                     {"$MISSING", folder / "missing.db"},
                                     {"$FILES", folder.path()}})
        for (std::size_t at; (at = text.find(name)) != std::string::npos;)
            text.replace(at, std::string_view(name).size(), path);
    return text;
}

// Each line of tests/data/dataio/connect-translations.txt translates as it says; a string
// through a data source name says so. An Access-driver string keeps its driver when the
// Windows driver itself is installed, and names the library when none is registered.
TEST(ConnectionTranslationTest, TranslatesAsTheDataFileSays) {
    TempFolder folder;
    folder.write("results.mdb", std::string("SQLite format 3\0rest", 20));
    folder.write("notes.mdb", "just some text, not a database");
    ASSERT_EQ(::mkfifo((folder / "pipe.mdb").c_str(), 0600), 0);
    int lines = 0;
    for (std::vector<std::string> f : testsupport::dataTable("dataio/connect-translations.txt")) {
        for (std::string& field : f) field = expanded(field, folder);
        SCOPED_TRACE(f[1]);
        ++lines;
        const OdbcConnectPlan plan = f[0] == "ado"
                                         ? translateAdoConnect(f[1], f[2], f[3], kDebianDrivers)
                                         : translateOdbcConnect(f[1], kDebianDrivers);
        EXPECT_EQ(plan.throughDataSourceName, plan.connect.starts_with("DSN="));
        if (f[4][0] == '!') {
            EXPECT_TRUE(holds(plan.error, f[4].substr(1)));
            continue;
        }
        EXPECT_TRUE(plan.ok()) << plan.error;
        if (f[4][0] == '=') {
            EXPECT_EQ(plan.connect, f[4].substr(1));
            continue;
        }
        const ConnectionString parsed = ConnectionString::parse(plan.connect);
        const ConnectionString expected = ConnectionString::parse(f[4]);
        for (const auto& [key, value] : expected.entries())
            EXPECT_EQ(parsed.find(key), value.empty() ? std::nullopt : std::optional(value)) << key;
    }
    EXPECT_GE(lines, 17);
    EXPECT_FALSE(std::filesystem::exists(folder / "none.accdb"));
    const std::string access =
        folder.write("results.sqlite", std::string("\0\1\0\0Standard Jet DB\0\0", 21));
    EXPECT_EQ(ConnectionString::parse(
                  translateOdbcConnect("DRIVER=Microsoft Access Driver (*.mdb);DBQ=" + access, {})
                      .connect)
                  .find("DRIVER"),
              "libmdbodbc.so");
    const std::string windows = "DRIVER={Microsoft Access Driver (*.mdb)};DBQ=" + access;
    EXPECT_EQ(translateOdbcConnect(windows, {"Microsoft Access Driver (*.mdb)"}).connect, windows);
}

// Each line of tests/data/dataio/refused-connects.txt fails the open with its reason.
TEST(DatabaseFileCheckTest, RefusesAFileThatIsMissingOrNotRegular) {
    TempFolder folder;
    const std::string missing = expanded("$MISSING", folder);
    const std::string odbcIni =
        folder.write("odbc.ini", "[NorvaMissing]\nDriver=SQLite3\nDatabase=" + missing +
                                     "\n[NorvaMdb]\nDriver=libmdbodbc.so\nDatabase=" + missing);
    ::setenv("ODBCINI", odbcIni.c_str(), 1);
    for (const auto& f : testsupport::dataTable("dataio/refused-connects.txt")) {
        SCOPED_TRACE(f[0]);
        OdbcConnection connection;
        EXPECT_FALSE(connection.OpenEx(expanded(f[0], folder)));
        EXPECT_TRUE(holds(connection.lastError().text(), f[1]));
        EXPECT_FALSE(std::filesystem::exists(missing));
    }
    ::unsetenv("ODBCINI");
}

// The driver manager keeps the folder of its driver list for the life of a process, so each
// list is read in a fresh child process with ODBCSYSINI pointing at a folder of our own. The
// child prints what it found and exits 0 exactly when that is the expected list.
void expectDriversIn(const std::string& odbcinst, const std::vector<std::string>& expected) {
    testsupport::TempFolder folder;
    folder.write("odbcinst.ini", odbcinst);
    folder.write("odbc.ini", "");
    const std::string path = folder.path();
    EXPECT_EXIT(
        {
            ::setenv("ODBCSYSINI", path.c_str(), 1);
            const std::vector<std::string> found = installedOdbcDrivers();
            for (const std::string& name : found) std::fprintf(stderr, "[%s]", name.c_str());
            std::exit(found == expected ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(OdbcDriversTest, ListsTheRegisteredDriversInTheirOrder) {
    expectDriversIn(
        "[Zeta Driver]\nDriver=/nowhere/libzeta.so\n\n[Alpha]\nDriver=/nowhere/libalpha.so\n",
        {"Zeta Driver", "Alpha"});
    expectDriversIn("", {});
}

}  // namespace
