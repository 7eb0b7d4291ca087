#include <gtest/gtest.h>

#include <string>

#include "RequestResolution.h"

namespace {

ColumnDescriptionList solutionColumns() {
    return {{"SolutionID", 4}, {"RunName", 12}, {"RowName", 12},
            {"Activity", 8},   {"Dual", 8},     {"Status", 5}};
}

std::vector<std::string> texts(const TableReporter& reporter) {
    std::vector<std::string> result;
    for (const TableMessage& message : reporter.messages()) result.push_back(message.text);
    return result;
}

struct Resolution {
    bool ok = false;
    ResolvedRequest request;
    TableReporter reporter;
};

Resolution resolve(std::string_view keyColumns, std::string_view keyValues,
                   std::string_view columns) {
    Resolution result;
    result.ok = resolveRequest(solutionColumns(), keyColumns, keyValues, columns, result.reporter,
                               result.request);
    return result;
}

TEST(SplitList, TrimsEachPieceAndKeepsEmptyOnes) {
    EXPECT_EQ(splitList(" a , b,\tc "), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(splitList("a,,b"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(splitList(",a"), (std::vector<std::string>{"", "a"}));
    EXPECT_EQ(splitList("a,"), (std::vector<std::string>{"a", ""}));
    EXPECT_TRUE(splitList("").empty());
    EXPECT_TRUE(splitList("   ").empty());
    EXPECT_EQ(splitList("Two Words"), (std::vector<std::string>{"Two Words"}));
}

TEST(MatchesPattern, StarAndQuestionMark) {
    EXPECT_TRUE(matchesPattern("ABC", "AB*", false));
    EXPECT_TRUE(matchesPattern("AB", "AB*", false));
    EXPECT_FALSE(matchesPattern("ab", "AB*", false));
    EXPECT_TRUE(matchesPattern("ab", "AB*", true));
    EXPECT_TRUE(matchesPattern("ABC", "A?C", false));
    EXPECT_FALSE(matchesPattern("AC", "A?C", false));
    EXPECT_FALSE(matchesPattern("ABBC", "A?C", false));
    EXPECT_TRUE(matchesPattern("", "*", false));
    EXPECT_TRUE(matchesPattern("", "", false));
    EXPECT_FALSE(matchesPattern("", "?", false));
    EXPECT_FALSE(matchesPattern("x", "", false));
    EXPECT_TRUE(matchesPattern("abcabd", "*abd", false));
    EXPECT_TRUE(matchesPattern("mississippi", "m*iss*ppi", false));
    EXPECT_FALSE(matchesPattern("mississippi", "m*iss*ppx", false));
    EXPECT_TRUE(matchesPattern("a*b", "a*b", false));
    EXPECT_FALSE(matchesPattern("ABC", "AB", false));
}

TEST(MatchesPattern, HostilePatternsFinishQuickly) {
    // Patterns that drive a backtracking matcher exponential; this one is linear in stars.
    const std::string text(20000, 'a');
    std::string pattern;
    for (int i = 0; i < 30; ++i) pattern += "*a";
    EXPECT_FALSE(matchesPattern(text, pattern + "b", false));
    EXPECT_TRUE(matchesPattern(text + "b", pattern + "b", false));
}

TEST(FindColumn, IgnoresAsciiCase) {
    EXPECT_EQ(findColumn(solutionColumns(), "solutionid"), 0);
    EXPECT_EQ(findColumn(solutionColumns(), "ACTIVITY"), 3);
    EXPECT_EQ(findColumn(solutionColumns(), "Activit"), -1);
    EXPECT_EQ(findColumn(solutionColumns(), ""), -1);
}

TEST(ResolveRequest, ReadsNamedColumnsAndKeysInRequestOrder) {
    const Resolution r = resolve("SolutionID , rowname", " 3 , R1 ", "Dual,Activity");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.request.valueColumns, (std::vector<int>{4, 3}));
    ASSERT_EQ(r.request.keys.size(), 2u);
    EXPECT_EQ(r.request.keys[0].Index(), 0);
    EXPECT_EQ(r.request.keys[1].Name(), "RowName");
    EXPECT_EQ(r.request.keys[1].Index(), 2);
    EXPECT_EQ(r.request.keyValues, (std::vector<std::string>{"3", "R1"}));
    EXPECT_TRUE(r.reporter.messages().empty());
}

TEST(ResolveRequest, ReadsColumnPatternsInTableOrder) {
    const Resolution all = resolve("", "", "*");
    ASSERT_TRUE(all.ok);
    EXPECT_EQ(all.request.valueColumns, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    const Resolution some = resolve("", "", "r*name");
    ASSERT_TRUE(some.ok);
    EXPECT_EQ(some.request.valueColumns, (std::vector<int>{1, 2}));
    const Resolution pieces = resolve("", "", "Status,R?nName");
    ASSERT_TRUE(pieces.ok);
    EXPECT_EQ(pieces.request.valueColumns, (std::vector<int>{1, 5}));
}

TEST(ResolveRequest, ReadsKeyPatternsAndEmptyKeyPieces) {
    const Resolution pattern = resolve("R*Name", "*,R1", "Activity");
    ASSERT_TRUE(pattern.ok);
    ASSERT_EQ(pattern.request.keys.size(), 2u);
    EXPECT_EQ(pattern.request.keys[0].Name(), "RunName");
    EXPECT_EQ(pattern.request.keys[1].Name(), "RowName");
    const Resolution empty = resolve("SolutionID,,RowName", "3,x,R1", "Activity");
    ASSERT_TRUE(empty.ok);
    ASSERT_EQ(empty.request.keys.size(), 3u);
    EXPECT_EQ(empty.request.keys[1].Index(), -1);
    EXPECT_EQ(empty.request.keys[2].Index(), 2);
}

TEST(ResolveRequest, WithoutKeyColumnsReadsWithoutKeys) {
    const Resolution r = resolve("  ", "3", "Activity");
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.request.keys.empty());
}

// Each refusal with its messages, all errors.
TEST(ResolveRequest, RefusesBadRequestsSayingWhy) {
    const std::string keysWrong = "Key Fields are incorrectly specified.";
    const struct {
        const char* keys;
        const char* values;
        const char* columns;
        std::vector<std::string> messages;
    } cases[] = {
        {"SolutionID", "3", " ", {"No Extract Columns Specified."}},
        {"SolutionID", "3", "Activity,Slack", {"Can Not Find Extract Column [Slack]."}},
        {"", "", "Activity,,Dual", {"Can Not Find Extract Column []."}},
        {"", "", "Cost*", {"Can Not Find Extract Column [Cost*]."}},
        {"SolutionID,CaseID", "3,4", "Activity", {"[CaseID] KeyField not Found. ", keysWrong}},
        {"Case*, Run?", "3", "Activity", {"[Case*, Run?] KeyField not Found. ", keysWrong}},
        {"SolutionID", "  ", "Activity", {"No Key Values Specified.", keysWrong}},
        {"SolutionID",
         "3,4",
         "Activity",
         {"The number of Key Fields does not match the number of Key Values."}},
        {"SolutionID,RowName,",
         "3,R1",
         "Activity",
         {"The number of Key Fields does not match the number of Key Values."}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(std::string(test.keys) + " = " + test.values + " : " + test.columns);
        const Resolution r = resolve(test.keys, test.values, test.columns);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(texts(r.reporter), test.messages);
        for (const TableMessage& message : r.reporter.messages())
            EXPECT_EQ(message.severity, TableMessageSeverity::kError);
    }
}

}  // namespace
