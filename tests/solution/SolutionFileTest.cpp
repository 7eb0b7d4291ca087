#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "IUserInterface.h"
#include "RegularTextFile.h"
#include "SolutionFile.h"
#include "SolutionTestSupport.h"

namespace {

const char* const kHeader = "KNLP solution\nstatus OPTIMAL\nX1 99\n";

class SolutionFileTest : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        m_object = loadMpsObject(NORVA_TEST_DATA_DIR "/solution/soltest.mps", &error);
        ASSERT_NE(m_object, nullptr) << error;
    }

    bool read(const std::string& entries) {
        const std::string path = m_folder.write("KNLP_Solution.001", kHeader + entries);
        return ReadSolutionFile(m_object.get(), path, m_ui);
    }

    double value(const char* column) const {
        const orbxmps::ORBColumn found = m_object->getColumnManager()->findColumn(column);
        EXPECT_TRUE(found) << column;
        return found ? found.activity() : -1.0;
    }

    const CPrimalCol& loadedColumn(const char* name) {
        for (const CPrimalCol& column : m_lists.columns)
            if (column.Name == name) return column;
        ADD_FAILURE() << "no record for " << name;
        static const CPrimalCol kNone;
        return kNone;
    }

    TempFolder m_folder;
    ObjectPtr m_object;
    RecordingUserInterface m_ui;
    PrimalLists m_lists;
};

TEST_F(SolutionFileTest, RejectsMissingLibraryObject) {
    const std::string path = m_folder.write("KNLP_Solution.002", std::string(kHeader) + "X1 1\n");
    EXPECT_FALSE(ReadSolutionFile(nullptr, path, m_ui));
    EXPECT_EQ(m_ui.messageCount, 1);
    EXPECT_EQ(m_ui.lastCaption, "Error");
    EXPECT_EQ(m_ui.lastMessage, "No valid ORB Manager object found");
}

TEST_F(SolutionFileTest, RejectsFileThatCannotBeOpened) {
    const std::string missing = m_folder.path() + "/KNLP_Solution.none";
    EXPECT_FALSE(ReadSolutionFile(m_object.get(), missing, m_ui));
    EXPECT_EQ(m_ui.lastCaption, "Error");
    EXPECT_EQ(m_ui.lastMessage, "Unable to open KSLP Results File: " + missing);

    EXPECT_EQ(m_ui.messageCount, 1);
    EXPECT_FALSE(m_object->holdsSolution());
}

// A folder or a device is refused before anything is read (a pipe too, as for text tables); a line
// beyond the bound refuses the whole file, so that the entries before it change nothing.
TEST_F(SolutionFileTest, RefusesWhatIsNotARegularFileAndOverlongLines) {
    const std::string longLine =
        m_folder.write("KNLP_Solution.004", std::string(kHeader) + "X1 5\nX2 " +
                                                std::string(kMaxTextLineBytes, '1') + "\n");
    const std::pair<std::string, const char*> cases[] = {
        {m_folder.path(), "a folder"},
        {"/dev/zero", "not a regular file"},
        {longLine, "line 5 is longer than 1048576 bytes."}};
    for (const auto& [path, reason] : cases) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(ReadSolutionFile(m_object.get(), path, m_ui));
        EXPECT_EQ(m_ui.lastCaption, "Error");
        EXPECT_EQ(m_ui.lastMessage.rfind("Unable to open KSLP Results File: " + path + "\n\n", 0),
                  0u)
            << m_ui.lastMessage;
        EXPECT_NE(m_ui.lastMessage.find(reason), std::string::npos) << m_ui.lastMessage;
    }
    EXPECT_FALSE(m_object->holdsSolution());
}

TEST_F(SolutionFileTest, HeaderOnlyFileSetsNothing) {
    EXPECT_TRUE(read(""));
    EXPECT_FALSE(m_object->holdsSolution());
    const std::string shortFile = m_folder.write("KNLP_Solution.003", "only one line");
    EXPECT_TRUE(ReadSolutionFile(m_object.get(), shortFile, m_ui));
    EXPECT_FALSE(m_object->holdsSolution());
    EXPECT_EQ(m_ui.messageCount, 0);
}

// Each file on a fresh object; columns left out of expected must keep no value.
TEST_F(SolutionFileTest, ReadsTheLeadingNumberOfEachEntry) {
    const std::string longValue(300, '1');
    const struct {
        const char* what;
        std::string entries;
        std::vector<std::pair<const char*, double>> expected;
    } cases[] = {
        {"leading number", "X1 1.5e2\nX2 7\nX2 abc\nX3 -2.5kg\nY +.25\n",
         {{"X1", 150.0}, {"X2", 0.0}, {"X3", -2.5}, {"Y", 0.25}}},
        {"name alone takes the previous value", "Y 7\nX1\n\nX2 3\n",
         {{"Y", 7.0}, {"X1", 7.0}, {"X2", 3.0}}},
        {"unknown names and extra words", "NOSUCH 4\nx1 8\nX1 3 Y 9\n", {{"X1", 3.0}, {"Y", 0.0}}},
        // A reader with a fixed line buffer would take "Y 9" from the rest of the first line.
        {"long lines", "X1 2.5" + std::string(250, ' ') + "Y 9\nX2 " + longValue + "\n",
         {{"X1", 2.5}, {"Y", 0.0}, {"X2", std::strtod(longValue.c_str(), nullptr)}}},
        {"tabs and carriage returns", "X1\t2.5\r\n\tY   -3.25\r\nX2 4",
         {{"X1", 2.5}, {"Y", -3.25}, {"X2", 4.0}}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        SetUp();
        ASSERT_TRUE(read(test.entries));
        for (const auto& [column, expected] : test.expected) EXPECT_EQ(value(column), expected);
    }
    EXPECT_EQ(m_ui.messageCount, 0);
}

TEST_F(SolutionFileTest, ReadsDecimalPointUnderCommaLocale) {
    CommaLocale locale;
    if (!locale.active()) GTEST_SKIP() << "no locale with a decimal comma is available";
    ASSERT_EQ(std::atof("1.5"), 1.0) << "the comma locale is not in effect";
    ASSERT_TRUE(read("X1 1.5\nY 2,5\n"));
    EXPECT_EQ(value("X1"), 1.5);
    EXPECT_EQ(value("Y"), 2.0);
}

TEST_F(SolutionFileTest, StoresValuesAsNearestFloat) {
    ASSERT_TRUE(read("X1 0.1\n"));
    m_object->getNonlinearTerms()->update();
    ASSERT_TRUE(LoadPrimalColumnsFromLibrary(*m_object, m_lists));
    const CPrimalCol& x1 = loadedColumn("X1");
    EXPECT_EQ(x1.Activity, 0.1f);
    EXPECT_NE(static_cast<double>(x1.Activity), 0.1);
}

TEST_F(SolutionFileTest, CostsComeFromObjectiveRowsByLibraryPosition) {
    ASSERT_TRUE(LoadPrimalColumnsFromLibrary(*m_object, m_lists));
    ASSERT_EQ(m_lists.columns.size(), 5u);
    EXPECT_EQ(m_lists.columns[0].Name, "ZCOL");
    EXPECT_EQ(m_lists.columns[0].Cost, 1.0f);
    EXPECT_EQ(loadedColumn("X1").Cost, 2.0f);  // OBJB's explicit 0 does not overwrite
    EXPECT_EQ(loadedColumn("X2").Cost, 5.0f);  // OBJB comes after OBJ
    EXPECT_EQ(loadedColumn("X3").Cost, 0.0f);  // "obj" and COST are no objective rows
    EXPECT_EQ(loadedColumn("Y").Cost, 0.0f);
}

TEST_F(SolutionFileTest, ColumnStatusFollowsLibraryStatus) {
    ASSERT_TRUE(read("ZCOL 1.5\nX1 4\nX2 0\nX3 2\nY 0\n"));
    m_object->getNonlinearTerms()->update();
    ASSERT_TRUE(LoadPrimalColumnsFromLibrary(*m_object, m_lists));
    EXPECT_EQ(loadedColumn("ZCOL").Status, 3);  // basic
    EXPECT_EQ(loadedColumn("X1").Status, 5);    // at upper limit
    EXPECT_EQ(loadedColumn("X2").Status, 6);    // at lower limit
    EXPECT_EQ(loadedColumn("X3").Status, 4);    // fixed: "Equality"
    EXPECT_EQ(loadedColumn("Y").Status, 2);     // free at zero
    EXPECT_EQ(loadedColumn("X1").Activity, 4.0f);
}

TEST_F(SolutionFileTest, WithoutSolutionEveryColumnHasStatusOne) {
    ASSERT_TRUE(LoadPrimalColumnsFromLibrary(*m_object, m_lists));
    for (const CPrimalCol& column : m_lists.columns) {
        EXPECT_EQ(column.Status, 1) << column.Name;
        EXPECT_EQ(column.Activity, 0.0f) << column.Name;
    }
}

TEST_F(SolutionFileTest, RowRecordsAreBasicWithLibraryActivity) {
    ASSERT_TRUE(read("ZCOL 1.5\nX1 4\nX2 0.25\nX3 2\nY -1\n"));
    m_object->getNonlinearTerms()->update();
    ASSERT_TRUE(LoadPrimalRowsFromLibrary(*m_object, m_lists));
    ASSERT_EQ(m_lists.rows.size(), 7u);
    const char* const order[] = {"OBJ", "OBJB", "obj", "COST", "LIM1", "LIM2", "BAL"};
    const double activity[] = {1.5 + 8.0 + 0.75, 1.25, 18.0, 16.0, 5.75, 3.0, 2.0};
    for (std::size_t i = 0; i < m_lists.rows.size(); ++i) {
        const CPrimalRow& row = m_lists.rows[i];
        EXPECT_EQ(row.Name, order[i]);
        EXPECT_EQ(row.Activity, static_cast<float>(activity[i])) << row.Name;
        EXPECT_EQ(row.MarginalValue, 0.0f) << row.Name;
        EXPECT_EQ(row.Status, 3) << row.Name;
    }
}

TEST_F(SolutionFileTest, LoadReplacesEarlierRecords) {
    ASSERT_TRUE(LoadPrimalColumnsFromLibrary(*m_object, m_lists));
    ASSERT_TRUE(LoadPrimalRowsFromLibrary(*m_object, m_lists));
    ASSERT_TRUE(LoadPrimalColumnsFromLibrary(*m_object, m_lists));
    ASSERT_TRUE(LoadPrimalRowsFromLibrary(*m_object, m_lists));
    EXPECT_EQ(m_lists.columns.size(), 5u);
    EXPECT_EQ(m_lists.rows.size(), 7u);
}

}  // namespace
