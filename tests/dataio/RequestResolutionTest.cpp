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

TEST(ResolveRequest, RejectsAnEmptyColumnList) {
    const Resolution r = resolve("SolutionID", "3", " ");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(texts(r.reporter), (std::vector<std::string>{"No Extract Columns Specified."}));
}

TEST(ResolveRequest, RejectsAnUnknownColumn) {
    const Resolution r = resolve("SolutionID", "3", "Activity,Slack");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(texts(r.reporter),
              (std::vector<std::string>{"Can Not Find Extract Column [Slack]."}));
    const Resolution emptyPiece = resolve("", "", "Activity,,Dual");
    EXPECT_FALSE(emptyPiece.ok);
    EXPECT_EQ(texts(emptyPiece.reporter),
              (std::vector<std::string>{"Can Not Find Extract Column []."}));
}

TEST(ResolveRequest, RejectsAColumnPatternMatchingNothing) {
    const Resolution r = resolve("", "", "Cost*");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(texts(r.reporter),
              (std::vector<std::string>{"Can Not Find Extract Column [Cost*]."}));
    EXPECT_EQ(r.reporter.messages()[0].severity, TableMessageSeverity::kError);
}

TEST(ResolveRequest, RejectsAnUnknownKeyColumn) {
    const Resolution r = resolve("SolutionID,CaseID", "3,4", "Activity");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(texts(r.reporter),
              (std::vector<std::string>{"[CaseID] KeyField not Found. ",
                                        "Key Fields are incorrectly specified."}));
}

TEST(ResolveRequest, RejectsAKeyPatternMatchingNothingWithTheWholeList) {
    const Resolution r = resolve("Case*, Run?", "3", "Activity");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(texts(r.reporter),
              (std::vector<std::string>{"[Case*, Run?] KeyField not Found. ",
                                        "Key Fields are incorrectly specified."}));
}

TEST(ResolveRequest, RejectsMissingKeyValues) {
    const Resolution r = resolve("SolutionID", "  ", "Activity");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(texts(r.reporter),
              (std::vector<std::string>{"No Key Values Specified.",
                                        "Key Fields are incorrectly specified."}));
}

TEST(ResolveRequest, RejectsKeyCountMismatch) {
    const Resolution tooMany = resolve("SolutionID", "3,4", "Activity");
    EXPECT_FALSE(tooMany.ok);
    EXPECT_EQ(texts(tooMany.reporter),
              (std::vector<std::string>{
                  "The number of Key Fields does not match the number of Key Values."}));
    const Resolution tooFew = resolve("SolutionID,RowName,", "3,R1", "Activity");
    EXPECT_FALSE(tooFew.ok);
    EXPECT_EQ(tooFew.reporter.messages().size(), 1u);
}

}  // namespace
