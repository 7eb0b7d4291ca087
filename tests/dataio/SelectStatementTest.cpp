#include <gtest/gtest.h>

#include "CBaseTbl.h"
#include "SelectStatement.h"
#include "SqlIdentifiers.h"

namespace {

// The base class's literal operations, with nothing to open or read.
class LiteralOnlyTbl : public CBaseTbl {
public:
    int Kind() const override { return 8; }
    bool Open(const CIoTableDescription&) override { return false; }
    bool Close(int) override { return true; }
    bool Read(IoRowList&, const std::string&, const std::string&, const std::string&) override {
        return false;
    }
};

// A backend whose date literal does not open a quoted text.
class HashDateTbl : public LiteralOnlyTbl {
public:
    std::string LiteralPrefix(int sqlType) const override {
        return sqlType == 9 ? "#" : CBaseTbl::LiteralPrefix(sqlType);
    }
    std::string LiteralSuffix(int sqlType) const override {
        return sqlType == 9 ? "#" : CBaseTbl::LiteralSuffix(sqlType);
    }
};

ColumnDescriptionList columns() {
    return {{"SolutionID", 4}, {"RUNID", 12}, {"Activity", 8}, {"RunDate", 9}, {"Price", 3}};
}

const std::set<std::string> kQuotedColumns = {"RUNID", "RunDate"};

ResolvedRequest request(std::vector<int> values, std::vector<CIoKeyCell> keys,
                        std::vector<std::string> keyValues) {
    return {std::move(values), std::move(keys), std::move(keyValues)};
}

// A backquote as the driver's identifier quote keeps the expected statements readable.
const OdbcStatementStyle kBackquote{"`", true};

std::string odbc(const ResolvedRequest& r, OdbcStatementStyle style = kBackquote) {
    return buildOdbcSelect("`T`", columns(), r, LiteralOnlyTbl(), style);
}

std::string ado(const ResolvedRequest& r, const std::set<std::string>& quoted = kQuotedColumns) {
    return buildAdoSelect("`T`", columns(), r, quoted, kBackquote);
}

void expectStatements(const std::vector<std::pair<std::string, const char*>>& cases) {
    for (const auto& [statement, expected] : cases) EXPECT_EQ(statement, expected);
}

TEST(SelectStatement, OdbcFormQuotesEveryNameAndWritesLiteralsByType) {
    expectStatements({
        {odbc(request({2}, {{"SolutionID", 0}}, {"3"})),
         "SELECT `Activity`,`SolutionID` FROM `T` WHERE `SolutionID`=3"},
        {odbc(request({2, 0}, {{"RUNID", 1}, {"SolutionID", 0}}, {"R12", "4"})),
         "SELECT `Activity`,`SolutionID`,`RUNID`,`SolutionID` FROM `T` WHERE `RUNID`='R12' AND "
         "`SolutionID`=4"},
        {odbc(request({2}, {{"SolutionID", 0}}, {"*"})), "SELECT `Activity`,`SolutionID` FROM `T`"},
        {odbc(request({2}, {{"RUNID", 1}, {"", -1}, {"Activity", 2}}, {"NULL", "x", "NOT NULL"})),
         "SELECT `Activity`,`RUNID`,`Activity` FROM `T` WHERE `RUNID` IS NULL AND `Activity` IS "
         "NOT NULL"},
        {odbc(request({2}, {{"RunDate", 3}, {"Price", 4}}, {"2024-02-29", "12.5"})),
         "SELECT `Activity`,`RunDate`,`Price` FROM `T` WHERE `RunDate`={d '2024-02-29'} AND "
         "`Price`='12.5'"},
        {buildOdbcSelect("`T`", {{"a`b", 12}}, request({0}, {}, {}), LiteralOnlyTbl(), kBackquote),
         "SELECT `a``b` FROM `T`"},
        {odbc(request({2}, {{"RUNID", 1}}, {"x'; DROP TABLE T; --"})),
         "SELECT `Activity`,`RUNID` FROM `T` WHERE `RUNID`='x''; DROP TABLE T; --'"},
    });
}

TEST(SelectStatement, PatternsEscapeLiteralWildcardsOrLeaveThemToTheRowFilter) {
    const OdbcStatementStyle noEscape{"`", false};
    const auto like = [](const std::string& value, OdbcStatementStyle style = kBackquote) {
        const std::string sql = odbc(request({2}, {{"RUNID", 1}}, {value}), style);
        return sql.substr(sql.find(" LIKE ") + 6);
    };
    expectStatements({{like("R*1?..."), "'R%1_%'"},
                      {like("a'*"), "'a''%'"},
                      {like("5%*"), "'5!%%' ESCAPE '!'"},
                      {like("a_b!*"), "'a!_b!!%' ESCAPE '!'"},
                      {like("a!*"), "'a!%'"},
                      {like("a_b%*", noEscape), "'a_b_%'"}});
    EXPECT_TRUE(likeNeedsRowFilter("a_b*", noEscape));
    EXPECT_FALSE(likeNeedsRowFilter("a_b*", kBackquote));
    EXPECT_FALSE(likeNeedsRowFilter("a_b", noEscape));  // equality, not a pattern
    EXPECT_FALSE(likeNeedsRowFilter("ab*", noEscape));
}

TEST(SelectStatement, AdoFormQuotesNamesAndKeyLiteralsByColumn) {
    expectStatements({
        {ado(request({2}, {{"SolutionID", 0}}, {"3"})),
         "SELECT `Activity`,`SolutionID` FROM `T` WHERE `SolutionID` = 3"},
        {ado(request({2, 0}, {{"RUNID", 1}, {"RunDate", 3}}, {"R12", "2024-02-29"})),
         "SELECT `Activity`,`SolutionID`,`RUNID`,`RunDate` FROM `T` WHERE `RUNID` =  'R12'  AND "
         "`RunDate` =  '2024-02-29' "},
        {ado(request({2}, {{"RUNID", 1}, {"", -1}, {"Activity", 2}}, {"NULL", "9", "NOT NULL"})),
         "SELECT `Activity`,`RUNID`,`Activity` FROM `T` WHERE `RUNID` IS NULL  AND `Activity` IS "
         "NOT NULL"},
        {ado(request({2}, {{"RUNID", 1}}, {"R?_..."})),
         "SELECT `Activity`,`RUNID` FROM `T` WHERE `RUNID` LIKE 'R_!_%' ESCAPE '!'"},
        {ado(request({2}, {{"RUNID", 1}}, {"a'"}), {"runid"}),
         "SELECT `Activity`,`RUNID` FROM `T` WHERE `RUNID` =  'a''' "},
    });
}

TEST(SqlIdentifiers, RefusesNamesThatCannotBeQuotedSafely) {
    EXPECT_EQ(unquotableNameReason("K,K FROM Other --", "\""), "");
    EXPECT_EQ(quotedIdentifier("K,K FROM Other --", "\""), "\"K,K FROM Other --\"");
    EXPECT_EQ(quotedIdentifier("a`b", "`"), "`a``b`");
    const std::pair<std::string, std::string> refused[] = {
        {"Sol Name", ""}, {"Sol Name", " "}, {std::string("a\0b", 3), "\""},
        {"a\nb", "\""},   {"", "\""},        {"ab\x7F", "\""}};
    for (const auto& [name, quote] : refused) {
        SCOPED_TRACE(printableName(name) + " with quote [" + quote + "]");
        EXPECT_NE(unquotableNameReason(name, quote), "");
    }
    EXPECT_NE(unquotableNameReason(std::string("a\0b", 3), "\"").find("a\\x00b"),
              std::string::npos);
}

TEST(SqlIdentifiers, CatalogSpellingPrefersTheExactName) {
    EXPECT_EQ(catalogSpelling("PrCase", {"prcase"}), "prcase");
    EXPECT_EQ(catalogSpelling("PrCase", {"prcase", "PrCase"}), "PrCase");
    EXPECT_EQ(catalogSpelling("PrCase", {"prcase", "PRCASE"}), std::nullopt);
    EXPECT_EQ(catalogSpelling("PrCase", {"PrCases"}), std::nullopt);
}

TEST(SelectStatement, StripQueryPrefixIgnoresCase) {
    EXPECT_EQ(stripQueryPrefix("Query::Totals"), "Totals");
    EXPECT_EQ(stripQueryPrefix("qUeRy::Totals"), "Totals");
    EXPECT_EQ(stripQueryPrefix("Query:Totals"), "Query:Totals");
    EXPECT_EQ(stripQueryPrefix("PrQuery::x"), "PrQuery::x");
}

TEST(SelectStatement, QuotedSqlTextDoublesEveryQuote) {
    EXPECT_EQ(quotedSqlText(""), "''");
    EXPECT_EQ(quotedSqlText("'"), "''''");
    EXPECT_EQ(quotedSqlText("a''b"), "'a''''b'");
}

TEST(SelectStatement, IsPlainNumberAcceptsOnlyNumbers) {
    for (const char* text : {"3", "-3", "+3", "3.", ".5", "1.25", "1e5", "1.5E-3", "007"})
        EXPECT_TRUE(isPlainNumber(text)) << text;
    for (const char* text : {"", "-", ".", "e5", "1e", "1e+", " 3", "3 ", "3 OR 1=1", "0x1F", "1,5",
                             "1..2", "--3", "3;", "NaN", "inf", "1e5e5"})
        EXPECT_FALSE(isPlainNumber(text)) << text;
}

TEST(CBaseTbl, FormatLiteralByType) {
    const LiteralOnlyTbl tbl;
    EXPECT_EQ(tbl.FormatLiteral(4, "42"), "42");
    EXPECT_EQ(tbl.FormatLiteral(4, "42; DELETE FROM PrCase"), "'42; DELETE FROM PrCase'");
    EXPECT_EQ(tbl.FormatLiteral(12, "it's"), "'it''s'");
    EXPECT_EQ(tbl.FormatLiteral(10, "12:00:00"), "{t '12:00:00'}");
    EXPECT_EQ(tbl.FormatLiteral(11, "2024-02-29 12:00:00"), "{ts '2024-02-29 12:00:00'}");
    const HashDateTbl hashDates;
    EXPECT_EQ(hashDates.FormatLiteral(9, "2024-01-01# OR 1=1"), "'2024-01-01# OR 1=1'");
}

TEST(CBaseTbl, SqlTypeNames) {
    const LiteralOnlyTbl tbl;
    const std::pair<int, const char*> names[] = {
        {-7, "BIT"},   {-6, "BYTE"},    {-1, "CHAR"},   {1, "CHAR"},     {12, "CHAR"},
        {2, "NUMBER"}, {3, "CURRENCY"}, {4, "INTEGER"}, {5, "SMALLINT"}, {6, "REAL"},
        {7, "REAL"},   {8, "DOUBLE"},   {9, "DATE"},    {10, "TIME"},    {11, "TIMESTAMP"},
        {-5, ""},      {93, ""}};
    for (const auto& [code, name] : names) EXPECT_EQ(tbl.SqlTypeName(code), name) << code;
}

}  // namespace
