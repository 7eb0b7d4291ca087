#include <gtest/gtest.h>

#include <string>

#include "NameMatch.h"

namespace {

bool matches(const char* text, const char* name, bool wholeWord = false, bool ignoreCase = false) {
    NameMatcher matcher(text, wholeWord, ignoreCase);
    return matcher.matches(name);
}

TEST(NameMatchTest, PlainTextMatchesAsSubstring) {
    EXPECT_TRUE(matches("COST", "XCOST1"));
    EXPECT_TRUE(matches("COST", "COST"));
    EXPECT_FALSE(matches("COST", "XCOS"));
    EXPECT_FALSE(matches("cost", "XCOST1"));
}

// "*" and "?" cover the whole name; as plain text the pattern matches only names holding it.
TEST(NameMatchTest, WildcardsCoverTheWholeName) {
    EXPECT_TRUE(matches("C*T", "COST"));
    EXPECT_TRUE(matches("C*T", "CAT"));
    EXPECT_TRUE(matches("C*T", "CT"));
    EXPECT_FALSE(matches("C*T", "COSTS"));
    EXPECT_TRUE(matches("C?T", "CAT"));
    EXPECT_FALSE(matches("C?T", "COAT"));
    EXPECT_FALSE(matches("C?T", "CT"));
    EXPECT_TRUE(matches("C*T", "XC*TY"));  // the text itself occurs in the name
    EXPECT_TRUE(matches("*", "ANY"));
}

TEST(NameMatchTest, WildcardBacktracking) {
    EXPECT_TRUE(wildcardMatch("A*B*C", "AXBYBZC"));
    EXPECT_TRUE(wildcardMatch("*AB", "AAB"));
    EXPECT_TRUE(wildcardMatch("A**", "A"));
    EXPECT_FALSE(wildcardMatch("A*B", "AXBC"));
    EXPECT_FALSE(wildcardMatch("*?", ""));
    EXPECT_TRUE(wildcardMatch("", ""));
    EXPECT_FALSE(wildcardMatch("", "A"));
}

// The matcher expects its text upper-cased when ignoring case (the search does that).
TEST(NameMatchTest, WholeWordWithAndWithoutIgnoreCase) {
    EXPECT_FALSE(matches("cost", "COST", true, false));
    EXPECT_TRUE(matches("COST", "cost", true, true));
    EXPECT_FALSE(matches("COST", "XCOST1", true, false));
    EXPECT_FALSE(matches("C*T", "COST", true, false));
    EXPECT_TRUE(matches("C?T", "cat", false, true));
}

TEST(NameMatchTest, UpperCasesAsciiOnly) {
    std::string text = "abz-\xe4\xc3q";
    upperCaseAscii(text);
    EXPECT_EQ(text, "ABZ-\xe4\xc3Q");
}

}  // namespace
