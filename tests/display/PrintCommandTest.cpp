#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "DetailEntries.h"
#include "DetailListing.h"
#include "DisplayTestSupport.h"
#include "PrintCommand.h"

namespace {

using displaytest::listingEntry;
using testsupport::fileText;

std::string handWritten(const char* name) {
    return testsupport::testData(std::string("print/") + name);
}

// Records the calls in order, and after LoadFile the listing's bytes as it found them.
struct RecordingViewer : IListingViewer {
    explicit RecordingViewer(std::vector<std::string>& record) : calls(record) {}
    ~RecordingViewer() override { calls.push_back("released"); }
    bool LoadFile(const std::string& path) override {
        calls.insert(calls.end(), {"LoadFile " + path, fileText(path)});
        return true;
    }
    void SetTitle(const std::string& title) override { calls.push_back("Title " + title); }
    void SetVisible(bool visible) override { calls.push_back(visible ? "Visible" : "Hidden"); }
    void PrintOut() override { calls.push_back("PrintOut"); }
    std::vector<std::string>& calls;
};

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
    content.entries = {listingEntry("W", 0.5, -1.0, -0.5), listingEntry("XVAR1", 1.0, 2.0, 2.0)};
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
    content.entries = {listingEntry("CAPACITY_LIMIT_NORTH", 1.0, -0.25, -0.25),
                       listingEntry("COST", 3.0, 1.0, 3.0)};
    return content;
}

// The layouts the printed listings do not reach: a name wider than the table, a value line
// without colon, an empty list.
TEST(DetailListingTest, WidensTheTableForLongNamesAndKeepsTheHeaderOfAnEmptyList) {
    DetailContent column;
    column.L1 = "Free text";
    column.L2 = "Fixed Bound: 1.50000";
    column.R2 = "Column Activity: ";
    column.rowDisplay = false;
    column.entries = {
        listingEntry("A_TWENTY_CHAR_NAME_1", -123456.7, CNorvaRow::kUnknown, CNorvaRow::kUnknown)};
    EXPECT_EQ(DetailListingBody(false, "Z", column), handWritten("long_name_listing.txt"));
    DetailContent empty;
    empty.L1 = "Row Type: ";
    EXPECT_EQ(DetailListingBody(true, "", empty), handWritten("empty_listing.txt"));
}

struct PrintFixture : testing::Test {
    std::string listing() const { return folder / kListingFileName; }
    PrintOutcome print(const DetailContent& content, const std::string& place,
                       const ListingViewerFactory& factory, bool selected = true) {
        const bool row = content.rowDisplay;
        return PrintListing({"/models/plant.mps", row, row ? "CAP1" : "XVAR1", selected, &content},
                            place, factory, ui);
    }

    testsupport::TempFolder folder;
    RecordingUserInterface ui;
    std::vector<std::string> calls;
    ListingViewerFactory viewer = [this] { return std::make_unique<RecordingViewer>(calls); };
    const DetailContent row = solvedRow();
};

TEST_F(PrintFixture, HandsTheListingToTheViewerInOrderAndDeletesIt) {
    EXPECT_EQ(print(row, folder.path(), viewer), PrintOutcome::kPrinted);
    EXPECT_EQ(print(solvedColumn(), folder.path(), viewer), PrintOutcome::kPrinted);
    std::vector<std::string> expected;
    for (const auto& [file, title] : {std::pair{"row_listing.txt", "Title Row: CAP1"},
                                      {"column_listing.txt", "Title Column: XVAR1"}})
        expected.insert(expected.end(), {"LoadFile " + listing(), handWritten(file), title,
                                         "Visible", "PrintOut", "released"});
    EXPECT_EQ(calls, expected);
    EXPECT_FALSE(std::filesystem::exists(listing()));
    // Without a selection: a beep, and neither file nor viewer.
    EXPECT_EQ(print(row, folder.path(), viewer, false), PrintOutcome::kNothingSelected);
    EXPECT_EQ(ui.beepCount, 1);
    EXPECT_EQ(calls.size(), expected.size());
    EXPECT_FALSE(std::filesystem::exists(listing()));
    EXPECT_EQ(ui.messageCount, 0);
}

// A missing folder, a folder in the file's place, a link in its place (left as it was).
TEST_F(PrintFixture, ShowsAnErrorWhenTheListingCannotBeWritten) {
    std::filesystem::create_directories(folder / (std::string("taken/") + kListingFileName));
    std::filesystem::create_directory(folder / "linked");
    const std::string target = folder.write("target.txt", "keep");
    std::filesystem::create_symlink(target, folder / (std::string("linked/") + kListingFileName));
    for (const std::string& place : {folder / "missing", folder / "taken", folder / "linked"}) {
        SCOPED_TRACE(place);
        EXPECT_EQ(print(row, place, viewer), PrintOutcome::kFileError);
        EXPECT_NE(ui.lastMessage.find("create a temporary file"), std::string::npos);
    }
    EXPECT_EQ(ui.messageCount, 3);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(fileText(target), "keep");
}

}  // namespace
