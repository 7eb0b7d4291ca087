#include <sstream>

#include "DisplayTestSupport.h"
#include "DisplayTexts.h"
#include "NameMatch.h"
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

// Each press of name_presses.txt from its selection (or none: upward then goes round from
// the last name). From the start the first and last match are found every time. A whole word
// needs ignore case to cross case.
TEST_F(NameSearchTest, FindsEachMatchAndWrapsAtTheEnds) {
    std::istringstream presses(testsupport::testData("display/name_presses.txt"));
    int count = 0;
    for (std::string line; std::getline(presses, line);) {
        if (line.empty() || line[0] == '#') continue;
        SCOPED_TRACE(line);
        std::istringstream fields(line);
        std::string mode, direction, text, current, expected;
        fields >> mode >> direction >> text >> current;
        std::getline(fields >> std::ws, expected);
        search.setStartAtBeginning(mode == "start");
        doc.settings().WholeWordSearch = mode.starts_with("whole");
        doc.settings().IgnoreCase = mode == "whole-nocase";
        const auto from = current == "-" ? std::nullopt : std::optional(std::stoul(current));
        EXPECT_EQ(press(direction == "down", text.c_str(), from), expected);
        EXPECT_EQ(doc.settings().Search, mode == "whole-nocase" ? "COST" : text);
        ++count;
    }
    EXPECT_EQ(count, 20);
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

// Plain text matches as a substring; "*" and "?" cover the whole name, though the text
// itself occurring in the name matches too. The matcher expects its text upper-cased when
// ignoring case (the search does that).
TEST(NameMatchTest, MatchesSubstringsWildcardsAndWholeWords) {
    const std::tuple<const char*, const char*, bool, bool, bool> cases[] = {
        {"COST", "XCOST1", false, false, true}, {"COST", "COST", false, false, true},
        {"COST", "XCOS", false, false, false},  {"cost", "XCOST1", false, false, false},
        {"C*T", "COST", false, false, true},    {"C*T", "CT", false, false, true},
        {"C*T", "COSTS", false, false, false},  {"C?T", "CAT", false, false, true},
        {"C?T", "COAT", false, false, false},   {"C?T", "CT", false, false, false},
        {"C*T", "XC*TY", false, false, true},   {"*", "ANY", false, false, true},
        {"cost", "COST", true, false, false},   {"COST", "cost", true, true, true},
        {"COST", "XCOST1", true, false, false}, {"C*T", "COST", true, false, false},
        {"C?T", "cat", false, true, true},
    };
    for (const auto& [text, name, wholeWord, ignoreCase, matches] : cases)
        EXPECT_EQ(NameMatcher(text, wholeWord, ignoreCase).matches(name), matches)
            << text << " in " << name;
    // Wildcard backtracking, and upper case of ASCII only.
    const std::tuple<const char*, const char*, bool> patterns[] = {
        {"A*B*C", "AXBYBZC", true}, {"*AB", "AAB", true}, {"A**", "A", true},
        {"A*B", "AXBC", false},     {"*?", "", false},    {"", "", true},
        {"", "A", false},
    };
    for (const auto& [pattern, name, matches] : patterns)
        EXPECT_EQ(wildcardMatch(pattern, name), matches) << pattern;
    std::string text = "abz-\xe4\xc3q";
    upperCaseAscii(text);
    EXPECT_EQ(text, "ABZ-\xe4\xc3Q");
}

}  // namespace
