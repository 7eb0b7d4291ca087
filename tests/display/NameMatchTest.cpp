#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "NameMatch.h"

namespace {

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
