#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "DetailViewLogic.h"
#include "DisplayTestSupport.h"
#include "DisplayTexts.h"
#include "NameSearch.h"

namespace {

using Outcome = SearchResult::Outcome;

class NameSearchTest : public displaytest::DisplayDocTest {
protected:
    void SetUp() override { openModel(displaytest::model("names.mps")); }

    // One press from current; returns "index" or "wrap index" or "none".
    std::string down(const char* text, std::optional<std::size_t> current) {
        return describe(search.searchDown(text, names(), current));
    }
    std::string up(const char* text, std::optional<std::size_t> current) {
        return describe(search.searchUp(text, names(), current));
    }
    std::string describe(const SearchResult& result) {
        if (!result.found()) {
            EXPECT_EQ(ui.lastStatus, displaytext::kSearchTextNotFound);
            return "none";
        }
        const bool wrapped = result.outcome == Outcome::kFoundAfterWrap;
        EXPECT_EQ(ui.lastStatus, wrapped ? displaytext::kPassedEndOfList : "");
        EXPECT_EQ(search.searchPosition(), result.index + 1);
        return (wrapped ? "wrap " : "") + std::to_string(result.index);
    }
    NameList names() const { return NameList(doc.model(), true); }

    NameSearch search{doc.settings(), ui};
};

// Each press from a selection (or none: upward then goes round from the last name).
TEST_F(NameSearchTest, FindsEachMatchAndWrapsAtTheEnds) {
    const struct {
        bool down;
        const char* text;
        std::optional<std::size_t> current;
        const char* expected;
    } presses[] = {
        {true, "COST", 0, "2"},         {true, "COST", 2, "3"},     {true, "COST", 3, "5"},
        {true, "COST", 5, "wrap 2"},    {false, "COST", 5, "3"},    {false, "COST", 3, "2"},
        {false, "COST", 2, "wrap 5"},   {true, "XCOST1", 5, "wrap 5"},
        {false, "XCOST1", 5, "wrap 5"}, {true, "cost", 6, "wrap 6"},
        {true, "COST", std::nullopt, "2"}, {false, "COST", std::nullopt, "wrap 5"},
    };
    for (const auto& press : presses) {
        SCOPED_TRACE(std::string(press.down ? "down " : "up ") + press.text);
        EXPECT_EQ(press.down ? down(press.text, press.current) : up(press.text, press.current),
                  press.expected);
    }
    EXPECT_EQ(ui.beepCount, 0);
}

TEST_F(NameSearchTest, StartAtBeginningKeepsFindingTheFirstAndLastMatch) {
    search.setStartAtBeginning(true);
    EXPECT_EQ(down("C*T", 0), "0");
    EXPECT_EQ(down("C*T", 0), "0");
    EXPECT_EQ(down("C*T", 5), "0");
    EXPECT_EQ(up("C*T", 2), "wrap 2");
    EXPECT_EQ(up("C*T", 2), "wrap 2");
    EXPECT_EQ(up("C*T", 0), "wrap 2");
}

// With ignore case the stored search text is upper-cased in place, and "cost" is found.
TEST_F(NameSearchTest, WholeWordNeedsIgnoreCaseToCrossCase) {
    doc.settings().WholeWordSearch = 1;
    EXPECT_EQ(down("cost", 0), "6");
    EXPECT_EQ(down("cost", 6), "wrap 6");
    EXPECT_EQ(doc.settings().Search, "cost");
    doc.settings().IgnoreCase = 1;
    EXPECT_EQ(down("cost", 0), "2");
    EXPECT_EQ(down("cost", 2), "6");
    EXPECT_EQ(doc.settings().Search, "COST");
}

TEST_F(NameSearchTest, EmptyOrUnmatchedTextBeepsAndSaysNotFound) {
    EXPECT_EQ(down("", 2), "none");
    EXPECT_EQ(ui.beepCount, 1);
    EXPECT_EQ(up("", 2), "none");
    EXPECT_EQ(down("NOSUCH", 2), "none");
    EXPECT_EQ(up("NOSUCH", std::nullopt), "none");
    EXPECT_EQ(ui.beepCount, 4);
}

TEST(NameSearchEmptyListTest, NothingLoadedIsNotFound) {
    RecordingUserInterface ui;
    AppFlags flags;
    CNorvaDoc doc(ui, flags, nullptr);
    NameSearch search(doc.settings(), ui);
    EXPECT_FALSE(search.searchDown("A", NameList(doc.model(), true), std::nullopt).found());
    EXPECT_FALSE(search.searchUp("A", NameList(doc.model(), false), std::nullopt).found());
    EXPECT_EQ(ui.beepCount, 2);
    EXPECT_EQ(ui.lastStatus, displaytext::kSearchTextNotFound);
}

// The detail view shows the name found; a search without a match keeps its selection.
TEST_F(NameSearchTest, MovesTheDetailView) {
    DetailViewLogic view(doc);
    view.OnInitialUpdate();
    ASSERT_EQ(view.selectedNameText(), "CAT");
    EXPECT_TRUE(search.FindNext(view, "COST").found());
    EXPECT_EQ(view.selectedNameText(), "COST");
    EXPECT_EQ(view.content().L1, "Row Type: LE");
    EXPECT_FALSE(search.FindPrevious(view, "NOSUCH").found());
    EXPECT_EQ(view.selectedNameText(), "COST");
    doc.settings().SearchUp = 1;
    EXPECT_EQ(search.Search(view, "COST").outcome, Outcome::kFoundAfterWrap);
    EXPECT_EQ(view.selectedNameText(), "XCOST1");
}

// The dialog shows the bar's text and the settings; OK stores them and searches its way.
TEST_F(NameSearchTest, FindDialogStoresItsSettingsAndSearches) {
    DetailViewLogic view(doc);
    view.OnInitialUpdate();
    doc.settings().IgnoreCase = 1;
    FindDialogFields fields = search.openFindDialog("c?t");
    EXPECT_EQ(fields.text, "c?t");
    EXPECT_EQ(doc.settings().Search, "c?t");
    EXPECT_TRUE(fields.ignoreCase);
    EXPECT_FALSE(fields.wholeWord || fields.startAtBeginning || fields.up);
    fields.up = true;
    fields.startAtBeginning = true;
    fields.ignoreCase = false;
    EXPECT_EQ(search.acceptFindDialog(view, fields).outcome, Outcome::kNotFound);
    fields.text = "C?T";
    EXPECT_EQ(search.acceptFindDialog(view, fields).index, 0u);
    EXPECT_EQ(doc.settings().SearchUp, 1);
    EXPECT_EQ(doc.settings().IgnoreCase, 0);
    EXPECT_TRUE(search.startAtBeginning());
    EXPECT_EQ(view.selectedNameText(), "CAT");
}

}  // namespace
