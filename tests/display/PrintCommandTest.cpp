#include <list>
#include <map>
#include <sstream>

#include "DetailListing.h"
#include "DisplayTestSupport.h"
#include "PrintCommand.h"

namespace {

using testsupport::fileText;

std::string handWritten(const std::string& name) { return testsupport::testData("print/" + name); }

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

// A hand-made detail content of tests/data/print: "FIELD=text" lines, "entry=NAME coefficient
// counterpart calculated" (1e30 unknown) and "display=column". The row has short names, a value
// line without a colon and a warning; the column a name longer than the titles; long_name a
// name wider than the table; empty no entries.
DetailContent contentOf(const std::string& name) {
    static std::list<std::string> entryNames;  // the entries view them
    DetailContent content;
    std::istringstream in(handWritten(name + ".content"));
    for (std::string line; std::getline(in, line);) {
        const std::string key = line.substr(0, line.find('=')), text = line.substr(key.size() + 1);
        const std::map<std::string, std::string*> fields = {
            {"L1", &content.L1}, {"L2", &content.L2},          {"L3", &content.L3},
            {"R1", &content.R1}, {"R2", &content.R2},          {"R3", &content.R3},
            {"R4", &content.R4}, {"warning", &content.warning}};
        if (fields.contains(key)) *fields.at(key) = text;
        content.rowDisplay = content.rowDisplay && line != "display=column";
        if (key != "entry") continue;
        CNorvaRow& entry = content.entries.emplace_back();
        std::istringstream(text) >> entryNames.emplace_back() >> entry.coefficient >>
            entry.counterpartValue >> entry.calculatedValue;
        entry.name = entryNames.back();
    }
    return content;
}

TEST(DetailListingTest, WidensTheTableForLongNamesAndKeepsTheHeaderOfAnEmptyList) {
    EXPECT_EQ(DetailListingBody(false, "Z", contentOf("long_name")),
              handWritten("long_name_listing.txt"));
    EXPECT_EQ(DetailListingBody(true, "", contentOf("empty")), handWritten("empty_listing.txt"));
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
    const DetailContent row = contentOf("row");
};

TEST_F(PrintFixture, HandsTheListingToTheViewerInOrderAndDeletesIt) {
    EXPECT_EQ(print(row, folder.path(), viewer), PrintOutcome::kPrinted);
    EXPECT_EQ(print(contentOf("column"), folder.path(), viewer), PrintOutcome::kPrinted);
    std::vector<std::string> expected;
    for (const auto& [file, title] : {std::pair{"row_listing.txt", "Title Row: CAP1"},
                                      {"column_listing.txt", "Title Column: XVAR1"}})
        expected.insert(expected.end(), {"LoadFile " + listing(), handWritten(file), title,
                                         "Visible", "PrintOut", "released"});
    EXPECT_EQ(calls, expected);
    EXPECT_FALSE(std::filesystem::exists(listing()));
    // Without a selection: a beep, and neither file nor viewer.
    EXPECT_EQ(print(row, folder.path(), viewer, false), PrintOutcome::kNothingSelected);
    EXPECT_EQ(std::tuple(ui.beepCount, ui.messageCount, calls.size()),
              std::tuple(1, 0, expected.size()));
    EXPECT_FALSE(std::filesystem::exists(listing()));
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
        EXPECT_TRUE(holds(ui.lastMessage, "create a temporary file"));
    }
    EXPECT_EQ(ui.messageCount, 3);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(fileText(target), "keep");
}

}  // namespace
