#include <algorithm>

#include "AppTestSupport.h"
#include "CDataLinkDlg.h"
#include "DataLinkFields.h"
#include "OdbcDrivers.h"

namespace {

std::string joined(const DataLinkFields& f) {
    return f.driver + "|" + f.server + "|" + f.database + "|" + f.user + "|" + f.password;
}

TEST(DataLinkFieldsTest, ReadsAndWritesSqlServerStringsAndAnyOtherDriverAsOdbc) {
    EXPECT_EQ(joined(readDataLinkFields("Provider=SQLOLEDB;Data Source=srv,1433;Initial "
                                        "Catalog=Results;User ID=sa;Password=p;w")),
              "FreeTDS|srv,1433|Results|sa|p");
    EXPECT_EQ(writeDataLinkFields("Provider=SQLOLEDB;", {"FreeTDS", "srv", "Results", "sa", "pw"}),
              "Provider=SQLOLEDB;Data Source=srv;Initial Catalog=Results;User ID=sa;Password=pw;");
    // Entries the dialog does not edit stay; an emptied field drops its entry.
    EXPECT_EQ(writeDataLinkFields(
                  "Provider=SQLOLEDB;Persist Security Info=False;User ID=old;Initial Catalog=X",
                  {"FreeTDS", "srv", "", "", ""}),
              "Provider=SQLOLEDB;Persist Security Info=False;Data Source=srv;");
    const std::string written = writeDataLinkFields("Provider=SQLOLEDB;Data Source=srv",
                                                    {"SQLite3", "", "/tmp/a;b.db", "", ""});
    EXPECT_EQ(written, "Provider=MSDASQL;Driver=SQLite3;Database={/tmp/a;b.db};");
    EXPECT_EQ(joined(readDataLinkFields(written)), "SQLite3||/tmp/a;b.db||");
}

TEST(CDataLinkDlgTest, TestConnectsThroughTheDataLayerAndSaysWhetherItWorked) {
    if (std::ranges::count(installedOdbcDrivers(), "SQLite3") == 0)
        GTEST_SKIP() << "the SQLite3 ODBC driver is not installed";
    testsupport::TempFolder folder;
    const std::string database = folder.path() + "/results.db";
    CDataLinkDlg dialog("Provider=SQLOLEDB;");
    EXPECT_EQ(dialog.driver()->currentText(), "FreeTDS");
    dialog.driver()->setCurrentText("SQLite3");
    dialog.database()->setText(QString::fromStdString(database));
    // A test never creates the database it names.
    EXPECT_FALSE(dialog.testConnection());
    EXPECT_TRUE(dialog.testResult()->text().contains("does not exist"));
    EXPECT_FALSE(std::filesystem::exists(database));
    folder.write("results.db", "");
    EXPECT_TRUE(dialog.testConnection()) << dialog.testResult()->text().toStdString();
    EXPECT_EQ(dialog.testResult()->text(), "Test connection succeeded.");

    dialog.driver()->setCurrentText("No Such Driver");
    EXPECT_FALSE(dialog.testConnection());
    EXPECT_TRUE(dialog.testResult()->text().startsWith("Test connection failed: "))
        << dialog.testResult()->text().toStdString();
}

TEST(CDataLinkDlgTest, OkReturnsTheEditedStringAndCancelTheStart) {
    for (const bool ok : {false, true}) {
        CDataLinkDlg dialog("Provider=SQLOLEDB;");
        dialog.server()->setText("srv");
        dialog.password()->setText("secret");
        ok ? dialog.accept() : dialog.reject();
        EXPECT_EQ(dialog.connectionString(),
                  ok ? "Provider=SQLOLEDB;Data Source=srv;Password=secret;" : "Provider=SQLOLEDB;");
        EXPECT_EQ(dialog.password()->echoMode(), QLineEdit::Password);
    }
}

}  // namespace
