#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "DisplayTestSupport.h"
#include "DisplayTexts.h"
#include "NameSearch.h"

namespace {

using Outcome = SearchResult::Outcome;

// Row names: CAT 0, COAT 1, COST 2, COSTS 3, OBJ 4, XCOST1 5, cost 6.
class NameSearchTest : public displaytest::DisplayDocTest {
protected:
    void SetUp() override { openModel(displaytest::model("names.mps")); }

    // One press from current; returns "index" or "wrap index" or "none".
    std::string press(bool down, const char* text, std::optional<std::size_t> current) {
        const NameList names(doc.model(), true);
        const SearchResult result =
            down ? search.searchDown(text, names, current) : search.searchUp(text, names, current);
        if (!result.found()) {
            EXPECT_EQ(ui.lastStatus, displaytext::kSearchTextNotFound);
            return "none";
        }
        const bool wrapped = result.outcome == Outcome::kFoundAfterWrap;
        EXPECT_EQ(ui.lastStatus, wrapped ? displaytext::kPassedEndOfList : "");
        EXPECT_EQ(search.searchPosition(), result.index + 1);
        return (wrapped ? "wrap " : "") + std::to_string(result.index);
    }

    NameSearch search{doc.settings(), ui};
};

// Each press from a selection (or none: upward then goes round from the last name). From
// the start the first and last match are found every time. A whole word needs ignore case to
// cross case, and with it the stored search text is upper-cased in place.
TEST_F(NameSearchTest, FindsEachMatchAndWrapsAtTheEnds) {
    enum Mode { kPlain, kFromStart, kWhole, kWholeIgnoringCase };
    const std::optional<std::size_t> none;
    const struct {
        Mode mode;
        bool down;
        const char* text;
        std::optional<std::size_t> current;
        const char* expected;
    } presses[] = {
        {kPlain, true, "COST", 0, "2"},
        {kPlain, true, "COST", 2, "3"},
        {kPlain, true, "COST", 3, "5"},
        {kPlain, true, "COST", 5, "wrap 2"},
        {kPlain, false, "COST", 5, "3"},
        {kPlain, false, "COST", 3, "2"},
        {kPlain, false, "COST", 2, "wrap 5"},
        {kPlain, true, "XCOST1", 5, "wrap 5"},
        {kPlain, false, "XCOST1", 5, "wrap 5"},
        {kPlain, true, "cost", 6, "wrap 6"},
        {kPlain, true, "COST", none, "2"},
        {kPlain, false, "COST", none, "wrap 5"},
        {kFromStart, true, "C*T", 0, "0"},
        {kFromStart, true, "C*T", 5, "0"},
        {kFromStart, false, "C*T", 2, "wrap 2"},
        {kFromStart, false, "C*T", 0, "wrap 2"},
        {kWhole, true, "cost", 0, "6"},
        {kWhole, true, "cost", 6, "wrap 6"},
        {kWholeIgnoringCase, true, "cost", 0, "2"},
        {kWholeIgnoringCase, true, "cost", 2, "6"},
    };
    for (const auto& p : presses) {
        SCOPED_TRACE(std::string(p.down ? "down " : "up ") + p.text);
        search.setStartAtBeginning(p.mode == kFromStart);
        doc.settings().WholeWordSearch = p.mode >= kWhole;
        doc.settings().IgnoreCase = p.mode == kWholeIgnoringCase;
        EXPECT_EQ(press(p.down, p.text, p.current), p.expected);
        EXPECT_EQ(doc.settings().Search, p.mode == kWholeIgnoringCase ? "COST" : p.text);
    }
    EXPECT_EQ(ui.beepCount, 0);
}

TEST_F(NameSearchTest, EmptyOrUnmatchedTextBeepsAndSaysNotFound) {
    EXPECT_EQ(press(true, "", 2), "none");
    EXPECT_EQ(ui.beepCount, 1);
    EXPECT_EQ(press(false, "", 2), "none");
    EXPECT_EQ(press(true, "NOSUCH", 2), "none");
    EXPECT_EQ(press(false, "NOSUCH", std::nullopt), "none");
    EXPECT_EQ(ui.beepCount, 4);
    CNorvaDoc empty(ui, flags, nullptr);
    EXPECT_FALSE(search.searchDown("A", NameList(empty.model(), true), std::nullopt).found());
    EXPECT_FALSE(search.searchUp("A", NameList(empty.model(), false), std::nullopt).found());
    EXPECT_EQ(ui.beepCount, 6);
}

}  // namespace
