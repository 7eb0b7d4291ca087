#include <gtest/gtest.h>

#include "CBaseTbl.h"
#include "SelectStatement.h"

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

ResolvedRequest request(std::vector<int> values, std::vector<CIoKeyCell> keys,
                        std::vector<std::string> keyValues) {
    return {std::move(values), std::move(keys), std::move(keyValues)};
}

std::string odbc(const ResolvedRequest& r, std::string_view table = "PrSolution",
                 OdbcStatementStyle style = {}) {
    return buildOdbcSelect(table, columns(), r, LiteralOnlyTbl(), style);
}

const std::set<std::string> kQuoted = {"RUNID", "RunDate"};

TEST(SelectStatement, OdbcFormWithNumericAndTextKeys) {
    EXPECT_EQ(odbc(request({2}, {{"SolutionID", 0}}, {"3"})),
              "SELECT Activity,SolutionID FROM [PrSolution] WHERE SolutionID=3");
    EXPECT_EQ(odbc(request({2, 0}, {{"RUNID", 1}, {"SolutionID", 0}}, {"R12", "4"})),
              "SELECT Activity,SolutionID,RUNID,SolutionID FROM [PrSolution] WHERE RUNID='R12' "
              "AND SolutionID=4");
}

TEST(SelectStatement, OdbcFormStarNullAndPlaceholderKeys) {
    EXPECT_EQ(odbc(request({2}, {{"SolutionID", 0}}, {"*"})),
              "SELECT Activity,SolutionID FROM [PrSolution]");
    EXPECT_EQ(
        odbc(request({2}, {{"RUNID", 1}, {"", -1}, {"Activity", 2}}, {"NULL", "x", "NOT NULL"})),
        "SELECT Activity,RUNID,Activity FROM [PrSolution] WHERE RUNID IS NULL AND "
        "Activity IS NOT NULL");
}

TEST(SelectStatement, OdbcFormPatternsUseSqlWildcards) {
    EXPECT_EQ(odbc(request({2}, {{"RUNID", 1}}, {"R*1?..."})),
              "SELECT Activity,RUNID FROM [PrSolution] WHERE RUNID LIKE 'R%1_%'");
    EXPECT_EQ(odbc(request({2}, {{"SolutionID", 0}}, {"1..."})),
              "SELECT Activity,SolutionID FROM [PrSolution] WHERE SolutionID LIKE '1%'");
}

TEST(SelectStatement, OdbcFormDateAndDecimalLiterals) {
    EXPECT_EQ(odbc(request({2}, {{"RunDate", 3}, {"Price", 4}}, {"2024-02-29", "12.5"})),
              "SELECT Activity,RunDate,Price FROM [PrSolution] WHERE RunDate={d '2024-02-29'} AND "
              "Price='12.5'");
}

TEST(SelectStatement, OdbcFormQuotesNamesWithTheDriverQuote) {
    const OdbcStatementStyle plain{"\"", false};
    EXPECT_EQ(odbc(request({2}, {{"SolutionID", 0}}, {"3"}), "Query::LastRun", plain),
              "SELECT \"Activity\",\"SolutionID\" FROM \"LastRun\" WHERE \"SolutionID\"=3");
    EXPECT_EQ(odbc(request({2}, {}, {}), "odd\"name", plain),
              "SELECT \"Activity\" FROM \"odd\"\"name\"");
    EXPECT_EQ(odbc(request({2}, {}, {}), "QUERY::x]; DROP TABLE PrSolution; --"),
              "SELECT Activity FROM [x]]; DROP TABLE PrSolution; --]");
}

TEST(SelectStatement, OdbcFormKeepsHostileValuesInsideLiterals) {
    EXPECT_EQ(odbc(request({2}, {{"RUNID", 1}}, {"O'Brien"})),
              "SELECT Activity,RUNID FROM [PrSolution] WHERE RUNID='O''Brien'");
    EXPECT_EQ(odbc(request({2}, {{"RUNID", 1}}, {"x'; DROP TABLE PrSolution; --"})),
              "SELECT Activity,RUNID FROM [PrSolution] WHERE RUNID='x''; DROP TABLE "
              "PrSolution; --'");
    EXPECT_EQ(odbc(request({2}, {{"SolutionID", 0}}, {"3 OR 1=1"})),
              "SELECT Activity,SolutionID FROM [PrSolution] WHERE SolutionID='3 OR 1=1'");
    EXPECT_EQ(odbc(request({2}, {{"RunDate", 3}}, {"2024-01-01'} OR {d '1"})),
              "SELECT Activity,RunDate FROM [PrSolution] WHERE RunDate={d '2024-01-01''} OR {d "
              "''1'}");
    EXPECT_EQ(odbc(request({2}, {{"RUNID", 1}}, {"a'*"})),
              "SELECT Activity,RUNID FROM [PrSolution] WHERE RUNID LIKE 'a''%'");
}

TEST(SelectStatement, AdoFormWritesNamesBareAndQuotesByColumn) {
    EXPECT_EQ(
        buildAdoSelect("PrSolution", columns(), request({2}, {{"SolutionID", 0}}, {"3"}), kQuoted),
        "SELECT Activity,SolutionID FROM PrSolution WHERE SolutionID = 3");
    EXPECT_EQ(buildAdoSelect("PrCase", columns(),
                             request({2, 0}, {{"RUNID", 1}, {"RunDate", 3}}, {"R12", "2024-02-29"}),
                             kQuoted),
              "SELECT Activity,SolutionID,RUNID,RunDate FROM PrCase WHERE RUNID =  'R12'  AND "
              "RunDate =  '2024-02-29' ");
}

TEST(SelectStatement, AdoFormStarNullPatternAndNoWhere) {
    EXPECT_EQ(buildAdoSelect("T", columns(), request({2}, {{"SolutionID", 0}}, {"*"}), kQuoted),
              "SELECT Activity,SolutionID FROM T");
    EXPECT_EQ(buildAdoSelect("T", columns(),
                             request({2}, {{"RUNID", 1}, {"", -1}, {"Activity", 2}},
                                     {"NULL", "9", "NOT NULL"}),
                             kQuoted),
              "SELECT Activity,RUNID,Activity FROM T WHERE RUNID IS NULL  AND Activity IS NOT "
              "NULL");
    EXPECT_EQ(buildAdoSelect("T", columns(), request({2}, {{"RUNID", 1}}, {"R?..."}), kQuoted),
              "SELECT Activity,RUNID FROM T WHERE RUNID LIKE 'R_%'");
}

TEST(SelectStatement, AdoFormKeepsHostileValuesInsideLiterals) {
    EXPECT_EQ(buildAdoSelect("T", columns(), request({2}, {{"RUNID", 1}}, {"O'Brien"}), kQuoted),
              "SELECT Activity,RUNID FROM T WHERE RUNID =  'O''Brien' ");
    EXPECT_EQ(
        buildAdoSelect("T", columns(),
                       request({2}, {{"RUNID", 1}}, {"x'; DROP TABLE PrSolution; --"}), kQuoted),
        "SELECT Activity,RUNID FROM T WHERE RUNID =  'x''; DROP TABLE PrSolution; --' ");
    EXPECT_EQ(
        buildAdoSelect("T", columns(), request({2}, {{"SolutionID", 0}}, {"3 OR 1=1"}), kQuoted),
        "SELECT Activity,SolutionID FROM T WHERE SolutionID = '3 OR 1=1'");
    // The quoted-column set is matched ignoring case, as the names are.
    EXPECT_EQ(buildAdoSelect("T", columns(), request({2}, {{"RUNID", 1}}, {"a"}), {"runid"}),
              "SELECT Activity,RUNID FROM T WHERE RUNID =  'a' ");
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
