#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "DetailEntries.h"
#include "PrintCommand.h"
#include "StringTable.h"
#include "TempFolder.h"

namespace {

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Records the calls in order; LoadFile keeps the file's bytes, read while it still exists.
class RecordingViewer : public IListingViewer {
public:
    explicit RecordingViewer(std::vector<std::string>& calls, std::string& loaded)
        : m_calls(calls), m_loaded(loaded) {}
    bool LoadFile(const std::string& path) override {
        m_calls.push_back("LoadFile " + path);
        m_loaded = readBytes(path);
        return true;
    }
    void SetTitle(const std::string& title) override { m_calls.push_back("Title " + title); }
    void SetVisible(bool visible) override {
        m_calls.push_back(std::string("Visible ") + (visible ? "true" : "false"));
    }
    void PrintOut() override { m_calls.push_back("PrintOut"); }
    ~RecordingViewer() override { m_calls.push_back("released"); }

private:
    std::vector<std::string>& m_calls;
    std::string& m_loaded;
};

// Names are literals: entries only view them.
CNorvaRow entry(std::string_view name, double coefficient, double counterpart, double calculated) {
    CNorvaRow made;
    made.name = name;
    made.coefficient = coefficient;
    made.counterpartValue = counterpart;
    made.calculatedValue = calculated;
    return made;
}

// A row with a solution: short names (n = 12), a value line without a colon, a warning.
DetailContent solvedRow() {
    DetailContent content;
    content.headers = detailHeaders(true);
    content.L1 = "Row Type: LE";
    content.L2 = "RHS Value: 5.00000";
    content.L3 = "Range Value: 2.50000";
    content.R1 = "Basic";
    content.R2 = "Row Activity: 3.50000";
    content.R3 = "Row Activity Sum: 3.50000";
    content.R4 = "Row Pi Value: -0.25000";
    content.entries = {entry("W", 0.5, -1.0, -0.5), entry("XVAR1", 1.0, 2.0, 2.0)};
    content.warning = "Warning: Row has no NEGATIVE entries.";
    return content;
}

// A column with a solution: a name longer than the titles, no warning.
DetailContent solvedColumn() {
    DetailContent content;
    content.rowDisplay = false;
    content.headers = detailHeaders(false);
    content.L1 = "Lower Bound: 0.00000";
    content.L2 = "Upper Bound: 10.00000";
    content.R1 = "Column Status: Basic";
    content.R2 = "Column Activity: 2.00000";
    content.R4 = "Reduced Cost: 0.00000";
    content.entries = {entry("CAPACITY_LIMIT_NORTH", 1.0, -0.25, -0.25),
                       entry("COST", 3.0, 1.0, 3.0)};
    return content;
}

struct PrintFixture : testing::Test {
    testsupport::TempFolder folder;
    RecordingUserInterface ui;
    std::vector<std::string> calls;
    std::string loaded;
    ListingViewerFactory viewer = [this] {
        return std::make_unique<RecordingViewer>(calls, loaded);
    };
    std::string listingPath() const { return folder / kListingFileName; }
};

TEST_F(PrintFixture, WritesTheListingHandsItToTheViewerInOrderAndDeletesIt) {
    const DetailContent row = solvedRow();
    const DetailContent column = solvedColumn();
    struct Case {
        const char* expectedFile;
        bool rowDisplay;
        const char* name;
        const DetailContent* content;
        const char* title;
    };
    for (const Case& c : {Case{"row_listing.txt", true, "CAP1", &row, "Row: CAP1"},
                          Case{"column_listing.txt", false, "XVAR1", &column, "Column: XVAR1"}}) {
        SCOPED_TRACE(c.expectedFile);
        calls.clear();
        const PrintSubject subject{"/models/plant.mps", c.rowDisplay, c.name, true, c.content};
        EXPECT_EQ(PrintListing(subject, folder.path(), viewer, ui), PrintOutcome::kPrinted);
        EXPECT_EQ(loaded, readBytes(std::string(NORVA_TEST_DATA_DIR "/print/") + c.expectedFile));
        const std::vector<std::string> expected = {"LoadFile " + listingPath(),
                                                   std::string("Title ") + c.title, "Visible true",
                                                   "PrintOut", "released"};
        EXPECT_EQ(calls, expected);
        EXPECT_FALSE(std::filesystem::exists(listingPath()));
    }
    EXPECT_EQ(ui.messageCount, 0);
}

TEST_F(PrintFixture, BeepsWithoutASelectionAndWritesNothing) {
    const DetailContent row = solvedRow();
    EXPECT_EQ(PrintListing({"/m.mps", true, "", false, &row}, folder.path(), viewer, ui),
              PrintOutcome::kNothingSelected);
    EXPECT_EQ(ui.beepCount, 1);
    EXPECT_TRUE(calls.empty());
    EXPECT_FALSE(std::filesystem::exists(listingPath()));
}

TEST_F(PrintFixture, KeepsTheFileAndShowsMessage140WhenNoViewerStarts) {
    const DetailContent row = solvedRow();
    const ListingViewerFactory none = [] { return std::unique_ptr<IListingViewer>(); };
    EXPECT_EQ(
        PrintListing({"/models/plant.mps", true, "CAP1", true, &row}, folder.path(), none, ui),
        PrintOutcome::kNoViewer);
    EXPECT_EQ(ui.lastCaption, "Error");
    EXPECT_EQ(ui.lastMessage,
              "Unable to launch the TARN Viewer \"Tv.ExE\"\n\nPlease make sure that this program "
              "has been properly registered.");
    EXPECT_EQ(readBytes(listingPath()), readBytes(NORVA_TEST_DATA_DIR "/print/row_listing.txt"));
}

TEST_F(PrintFixture, ShowsMessage137WhenTheListingCannotBeWritten) {
    const DetailContent row = solvedRow();
    std::filesystem::create_directory(folder / "taken");
    std::filesystem::create_directory(folder / (std::string("taken/") + kListingFileName));
    std::filesystem::create_directory(folder / "linked");
    const std::string target = folder.write("target.txt", "keep");
    std::filesystem::create_symlink(target, folder / (std::string("linked/") + kListingFileName));
    for (const std::string& place : {folder / "missing", folder / "taken", folder / "linked"}) {
        SCOPED_TRACE(place);
        ui = RecordingUserInterface();
        EXPECT_EQ(PrintListing({"/m.mps", true, "CAP1", true, &row}, place, viewer, ui),
                  PrintOutcome::kFileError);
        EXPECT_EQ(ui.lastMessage, strings::text(strings::kPrintFileError));
        EXPECT_EQ(ui.lastMessage,
                  "An error occurred while trying to create a temporary file to be used for "
                  "printing.");
    }
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(readBytes(target), "keep");
}

}  // namespace
