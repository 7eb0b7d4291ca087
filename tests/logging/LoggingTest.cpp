#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "Logging.h"
#include "TempFolder.h"
#include "TestData.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kLogName = "DbExport.log";

std::string stampNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[128];
    return std::string(text, std::strftime(text, sizeof(text), "%c", &local));
}

std::size_t sizeOf(const std::string& path) { return testsupport::fileText(path).size(); }

class LoggingTest : public ::testing::Test {
protected:
    LoggingTest() { configure(log, kLogName, folder.path()); }
    // An empty name or folder is left unset.
    static void configure(Logging& logging, const std::string& name, const std::string& where) {
        logging.Enable(true);
        if (!name.empty()) logging.SetFileName(name);
        if (!where.empty()) logging.SetFolder(where);
    }

    // The texts of the log's lines, each of which must be a local time stamp taken during the
    // test, three blanks and the text.
    std::vector<std::string> loggedTexts() const {
        const std::string now = stampNow();
        std::istringstream in(testsupport::fileText(folder / kLogName));
        std::vector<std::string> texts;
        for (std::string line; std::getline(in, line);) {
            const std::size_t gap = line.find("   ");  // a stamp holds at most two blanks in a row
            const std::string stamp = line.substr(0, gap);
            EXPECT_TRUE(stamp == m_start || stamp == now) << line;
            texts.push_back(gap == std::string::npos ? line : line.substr(gap + 3));
        }
        return texts;
    }

    const std::string m_start = stampNow();
    testsupport::TempFolder folder;
    Logging log;
};

TEST_F(LoggingTest, TextReachesTheDiskOnlyOnceTheCountPassesTheThreshold) {
    const std::string line(1023, 'x');
    for (int i = 0; i < 10; ++i) log.Write(line + "\n");  // exactly 10240 characters
    EXPECT_EQ(sizeOf(folder / kLogName), 0u);

    log.Write("y\n");
    const std::size_t flushed = sizeOf(folder / kLogName);
    EXPECT_GT(flushed, 10242u);

    // The count starts again after a flush.
    log.Write("z\n");
    EXPECT_EQ(sizeOf(folder / kLogName), flushed);
    log.Close();
    EXPECT_GT(sizeOf(folder / kLogName), flushed);
}

TEST_F(LoggingTest, NothingIsWrittenWhileOffOrWithoutFolderOrName) {
    log.Enable(false);
    log.Write("off\n");
    log.Close();
    for (const auto& [name, where] : {std::pair{"", folder.path()}, {"orphan.log", ""}}) {
        Logging other;
        configure(other, name, where);
        other.Write("lost\n");
        other.Close();
    }
    EXPECT_TRUE(fs::is_empty(folder.path()));
    EXPECT_FALSE(fs::exists("orphan.log"));
}

TEST_F(LoggingTest, FolderWithAndWithoutTrailingSlashNamesTheSameFile) {
    Logging other;
    configure(other, kLogName, folder.path() + "/");
    EXPECT_EQ(other.filePath(), log.filePath());
    log.Write(" - StartSQLServer ( res ) - - - \n");
    log.Close();
    other.Write("mtd: DbSqlSvr\n");
    other.Close();
    EXPECT_EQ(loggedTexts(),
              (std::vector<std::string>{" - StartSQLServer ( res ) - - - ", "mtd: DbSqlSvr"}));

    Logging root;
    root.SetFileName(kLogName);
    root.SetFolder("");
    EXPECT_EQ(root.filePath(), "/DbExport.log");
}

// Still counted as open after a failed open: a usable folder given then does not help before
// Close. A closed log opens again and appends to what the file held.
TEST_F(LoggingTest, FailedOpenLosesLinesUntilCloseAndAClosedLogAppends) {
    folder.write(kLogName, m_start + "   earlier run\n");
    log.SetFolder(folder / "missing");
    log.Write("lost\n");
    log.SetFolder(folder.path());
    log.Write("also lost\n");
    log.Close();
    for (const char* text : {"first\n", "second\n"}) {
        log.Write(text);
        log.Close();
    }
    EXPECT_EQ(loggedTexts(), (std::vector<std::string>{"earlier run", "first", "second"}));
}

}  // namespace
