#include <cstdlib>
#include <utility>
#include <vector>

#include "AppFlags.h"
#include "CNorvaDoc.h"
#include "IUserInterface.h"
#include "LocaleGuard.h"
#include "PrimalListing.h"
#include "RegularTextFile.h"
#include "SolutionFile.h"
#include "TempFolder.h"
#include "TestData.h"
#include "TextHolds.h"

namespace {

const char* const kHeader = "KNLP solution\nstatus OPTIMAL\nX1 99\n";

class SolutionFileTest : public testing::Test {
protected:
    // The matrix object as the document makes it; reopening makes a fresh one.
    void SetUp() override {
        ASSERT_TRUE(m_doc.OnOpenDocument(NORVA_TEST_DATA_DIR "/solution/soltest.mps"))
            << m_ui.lastMessage;
        m_object = m_doc.matrixObject();
        ASSERT_NE(m_object, nullptr);
    }

    bool read(const std::string& entries) {
        const std::string path = m_folder.write("KNLP_Solution.001", kHeader + entries);
        return ReadSolutionFile(m_object, path, m_ui);
    }
    void loadLists(bool withSolution) {
        if (withSolution) m_object->getNonlinearTerms()->update();
        ASSERT_TRUE(LoadPrimalColumnsFromLibrary(*m_object, m_lists));
        ASSERT_TRUE(LoadPrimalRowsFromLibrary(*m_object, m_lists));
    }

    double value(const char* column) const {
        const orbxmps::ORBColumn found = m_object->getColumnManager()->findColumn(column);
        EXPECT_TRUE(found) << column;
        return found ? found.activity() : -1.0;
    }

    testsupport::TempFolder m_folder;
    RecordingUserInterface m_ui;
    AppFlags m_flags;
    CNorvaDoc m_doc{m_ui, m_flags, nullptr};
    orbxmps::ORBObject* m_object = nullptr;
    PrimalLists m_lists;
};

// A missing file is refused through the document (DocTest).
TEST_F(SolutionFileTest, RejectsAMissingLibraryObject) {
    EXPECT_FALSE(ReadSolutionFile(nullptr, m_folder.write("KNLP_Solution.002", kHeader), m_ui));
    EXPECT_EQ(m_ui.lastCaption + ": " + m_ui.lastMessage,
              "Error: No valid ORB Manager object found");
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
        EXPECT_FALSE(ReadSolutionFile(m_object, path, m_ui));
        EXPECT_EQ(m_ui.lastCaption, "Error");
        EXPECT_EQ(m_ui.lastMessage.rfind("Unable to open KSLP Results File: " + path + "\n\n", 0),
                  0u)
            << m_ui.lastMessage;
        EXPECT_TRUE(holds(m_ui.lastMessage, reason));
    }
    EXPECT_FALSE(m_object->holdsSolution());
}

TEST_F(SolutionFileTest, HeaderOnlyFileSetsNothing) {
    EXPECT_TRUE(read(""));
    EXPECT_FALSE(m_object->holdsSolution());
    const std::string shortFile = m_folder.write("KNLP_Solution.003", "only one line");
    EXPECT_TRUE(ReadSolutionFile(m_object, shortFile, m_ui));
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
        {"leading number",
         "X1 1.5e2\nX2 7\nX2 abc\nX3 -2.5kg\nY +.25\n",
         {{"X1", 150.0}, {"X2", 0.0}, {"X3", -2.5}, {"Y", 0.25}}},
        {"name alone takes the previous value",
         "Y 7\nX1\n\nX2 3\n",
         {{"Y", 7.0}, {"X1", 7.0}, {"X2", 3.0}}},
        {"unknown names and extra words", "NOSUCH 4\nx1 8\nX1 3 Y 9\n", {{"X1", 3.0}, {"Y", 0.0}}},
        // A reader with a fixed line buffer would take "Y 9" from the rest of the first line.
        {"long lines",
         "X1 2.5" + std::string(250, ' ') + "Y 9\nX2 " + longValue + "\n",
         {{"X1", 2.5}, {"Y", 0.0}, {"X2", std::strtod(longValue.c_str(), nullptr)}}},
        {"tabs and carriage returns",
         "X1\t2.5\r\n\tY   -3.25\r\nX2 4",
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
    testsupport::NumericLocale locale(testsupport::kCommaLocale);
    if (!locale.active()) GTEST_SKIP() << testsupport::kMissingCommaLocale;
    ASSERT_EQ(std::atof("1.5"), 1.0) << "the comma locale is not in effect";
    ASSERT_TRUE(read("X1 1.5\nY 2,5\n"));
    EXPECT_EQ(std::pair(value("X1"), value("Y")), std::pair(1.5, 2.0));
}

// Costs come from the objective rows by library position: OBJB's explicit 0 does not
// overwrite X1's 2, OBJB comes after OBJ for X2, "obj" and COST are no objective rows. Without a
// solution columns have status 1; a second load replaces the records. With one, in library
// order, column status follows the library's: basic 3, at upper limit 5, at lower limit 6, fixed
// ("Equality") 4, free at zero 2. Rows are basic with the library's activity.
TEST_F(SolutionFileTest, RecordsTakeTheLibrarySolutionAsNearestFloatsAndTheCosts) {
    for (int load = 0; load < 2; ++load) {
        loadLists(false);
        EXPECT_EQ(testsupport::primalListing(m_lists),
                  testsupport::testData("solution/soltest_unsolved.txt"));
    }
    ASSERT_TRUE(read("ZCOL 0.1\nX1 4\nX2 0\nX3 2\nY 0\n"));
    loadLists(true);
    EXPECT_EQ(testsupport::primalListing(m_lists),
              testsupport::testData("solution/soltest_solved.txt"));
}

}  // namespace
