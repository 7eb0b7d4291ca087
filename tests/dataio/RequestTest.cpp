#include <algorithm>
#include <stdexcept>
#include <utility>

#include "CBaseTbl.h"
#include "DataioTestSupport.h"
#include "RequestResolution.h"
#include "SelectStatement.h"
#include "SqlIdentifiers.h"

namespace {

ColumnDescriptionList solutionColumns() {
    return {{"SolutionID", 4}, {"RunName", 12}, {"RowName", 12},
            {"Activity", 8},   {"Dual", 8},     {"Status", 5}};
}

TEST(MatchesPattern, HostilePatternsFinishQuickly) {
    // Patterns that drive a backtracking matcher exponential; this one is linear in stars.
    const std::string text(20000, 'a');
    std::string pattern;
    for (int i = 0; i < 30; ++i) pattern += "*a";
    EXPECT_FALSE(matchesPattern(text, pattern + "b", false));
    EXPECT_TRUE(matchesPattern(text + "b", pattern + "b", false));
}

// A resolution in short: the value columns' indexes, each key as name@index with its value;
// or each message (all must be errors) when refused.
std::string resolved(std::string_view keyColumns, std::string_view keyValues,
                     std::string_view columns) {
    ResolvedRequest request;
    TableReporter reporter;
    std::string out;
    if (!resolveRequest(solutionColumns(), keyColumns, keyValues, columns, reporter, request)) {
        for (const TableMessage& message : reporter.messages())
            out +=
                (message.severity == TableMessageSeverity::kError ? "" : "W ") + message.text + "|";
        return out;
    }
    for (int index : request.valueColumns) out += std::to_string(index) + " ";
    for (std::size_t k = 0; k < request.keys.size(); ++k)
        out += request.keys[k].Name() + "@" + std::to_string(request.keys[k].Index()) + "=" +
               request.keyValues.at(k) + " ";
    return out + std::to_string(reporter.messages().size());
}

// Named columns and keys in request order, column patterns in table order, key patterns and
// empty key pieces in their places; each refusal with its messages.
TEST(ResolveRequest, ResolvesOrRefusesSayingWhy) {
    const auto cases = testsupport::dataTable("dataio/resolve-requests.txt");
    ASSERT_EQ(cases.size(), 16u);
    for (const auto& f : cases) {
        std::string expected = f.at(3);
        std::replace(expected.begin(), expected.end(), '/', '|');
        EXPECT_EQ(resolved(f[0], f[1], f[2]), expected) << f[0] << " = " << f[1] << " : " << f[2];
    }
}

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

// Each statement against its line of tests/data/dataio/<file>.
void expectStatements(const std::string& file, const std::vector<std::string>& statements) {
    EXPECT_EQ(statements, testsupport::sqlStatements("dataio/" + file));
}

TEST(SelectStatement, OdbcFormQuotesEveryNameAndWritesLiteralsByType) {
    expectStatements(
        "select-odbc.sql",
        {odbc(request({2}, {{"SolutionID", 0}}, {"3"})),
         odbc(request({2, 0}, {{"RUNID", 1}, {"SolutionID", 0}}, {"R12", "4"})),
         odbc(request({2}, {{"SolutionID", 0}}, {"*"})),
         odbc(request({2}, {{"RUNID", 1}, {"", -1}, {"Activity", 2}}, {"NULL", "x", "NOT NULL"})),
         odbc(request({2}, {{"RunDate", 3}, {"Price", 4}}, {"2024-02-29", "12.5"})),
         buildOdbcSelect("`T`", {{"a`b", 12}}, request({0}, {}, {}), LiteralOnlyTbl(), kBackquote),
         odbc(request({2}, {{"RUNID", 1}}, {"x'; DROP TABLE T; --"}))});
}

TEST(SelectStatement, AdoFormQuotesNamesAndKeyLiteralsByColumn) {
    expectStatements(
        "select-ado.sql",
        {ado(request({2}, {{"SolutionID", 0}}, {"3"})),
         ado(request({2, 0}, {{"RUNID", 1}, {"RunDate", 3}}, {"R12", "2024-02-29"})),
         ado(request({2}, {{"RUNID", 1}, {"", -1}, {"Activity", 2}}, {"NULL", "9", "NOT NULL"})),
         ado(request({2}, {{"RUNID", 1}}, {"R?_..."})),
         ado(request({2}, {{"RUNID", 1}}, {"a'"}), {"runid"})});
}

// The answer of a function of tests/data/dataio/text-functions.txt to the arguments.
std::string answer(const std::string& function, const std::vector<std::string>& a) {
    const auto yesNo = [](bool yes) -> std::string { return yes ? "true" : "false"; };
    const OdbcStatementStyle style{"`", a.size() == 1};  // a second argument: no ESCAPE
    if (function == "splitList") {
        std::string out;
        for (const std::string& piece : splitList(a[0])) out += "[" + piece + "]";
        return out;
    }
    if (function == "like") {
        const std::string sql = odbc(request({2}, {{"RUNID", 1}}, {a[0]}), style);
        return sql.substr(sql.find(" LIKE ") + 6);
    }
    if (function == "matchesPattern") return yesNo(matchesPattern(a[0], a[1], a.size() > 2));
    if (function == "findColumn") return std::to_string(findColumn(solutionColumns(), a[0]));
    if (function == "unquotableNameReason") return unquotableNameReason(a[0], a[1]);
    if (function == "quotedIdentifier") return quotedIdentifier(a[0], a[1]);
    if (function == "catalogSpelling")
        return catalogSpelling(a[0], splitList(a[1])).value_or("(none)");
    if (function == "stripQueryPrefix") return std::string(stripQueryPrefix(a[0]));
    if (function == "quotedSqlText") return quotedSqlText(a[0]);
    if (function == "isPlainNumber") return yesNo(isPlainNumber(a[0]));
    if (function == "FormatLiteral") return LiteralOnlyTbl().FormatLiteral(std::stoi(a[0]), a[1]);
    if (function == "hashDates") return HashDateTbl().FormatLiteral(std::stoi(a[0]), a[1]);
    if (function == "likeNeedsRowFilter") return yesNo(likeNeedsRowFilter(a[0], style));
    ADD_FAILURE() << "no function " << function;
    return {};
}

TEST(TextFunctions, AnswerAsTheDataFileSays) {
    const auto lines = testsupport::dataTable("dataio/text-functions.txt");
    ASSERT_EQ(lines.size(), 89u);
    for (const std::vector<std::string>& f : lines) {
        SCOPED_TRACE(f[0] + " " + f[1]);
        EXPECT_EQ(answer(f[0], {f.begin() + 1, f.end() - 1}), f.back());
    }
}

// A backend that serves three rows through the layer's own request resolution, with switches
// that make each step fail or throw. (The backends over real files and servers read through
// the table in their own tests.)
class MemoryTbl : public CBaseTbl {
public:
    struct Switches {
        bool failOpen = false, failRead = false, failClose = false;
        bool throwOpen = false, throwRead = false, throwClose = false;
    };

    MemoryTbl(Switches switches, int* closeCount) : m_switches(switches), m_closeCount(closeCount) {
        m_columns = {{"SolutionID", 4}, {"Activity", 8}};
    }

    int Kind() const override { return 99; }
    bool Open(const CIoTableDescription& description) override {
        if (m_switches.throwOpen) throw std::runtime_error("server went away");
        if (m_switches.failOpen) reporter().error("cannot open " + description.tableName);
        return !m_switches.failOpen;
    }
    bool Close(int flag) override {
        ++*m_closeCount;
        if (m_switches.throwClose) throw std::runtime_error("close broke");
        return flag == 1 && !m_switches.failClose;
    }
    bool Read(IoRowList& rows, const std::string& keyColumns, const std::string& keyValues,
              const std::string& columns) override {
        ResolvedRequest request;
        if (!resolveRequest(m_columns, keyColumns, keyValues, columns, reporter(), request))
            return false;
        if (m_switches.throwRead) throw std::runtime_error("lost the cursor");
        for (int number = 0; number < 3; ++number) {
            auto row = std::make_unique<CIoRow>();
            for (int index : request.valueColumns) {
                row->ValueCells().push_back(makeEmptyCell(m_columns[index].sqlType));
                row->ValueCells().back()->SetNumber(number + 0.5);
            }
            rows.push_back(std::move(row));
        }
        return !m_switches.failRead;
    }

private:
    Switches m_switches;
    int* m_closeCount;
};

// A step that fails or throws ends in its status with its message; the table is closed
// whenever it was opened, and a close that fails keeps the rows read.
TEST(CIoTable, EachFailingStepEndsInItsStatus) {
    using S = MemoryTbl::Switches;
    const struct {
        const char* what;
        S switches;
        const char* columns;
        int status, closes, rows;  // closes and rows unchecked when negative
        const char* message;       // unchecked when null
    } cases[] = {
        {"nothing fails", S{}, "*", kTableRead, 1, 3, nullptr},
        {"missing column", S{}, "Activity,Cost", kTableNotRead, 1, 0,
         "Can Not Find Extract Column [Cost]."},
        {"open fails", S{.failOpen = true}, "*", kTableNotOpened, 0, 0, "cannot open PrPrimalRow"},
        {"read and close fail", S{.failRead = true, .failClose = true}, "*", kTableNotRead, 1, -1,
         nullptr},
        {"close fails", S{.failClose = true}, "*", kTableNotClosed, 1, 3, nullptr},
        {"open throws", S{.throwOpen = true}, "*", kTableNotOpened, -1, 0,
         "Unable to open table [PrPrimalRow]\n\nserver went away"},
        {"read throws", S{.throwRead = true}, "*", kTableNotRead, 1, 0,
         "An error occurred while trying to retrieve a record in table PrPrimalRow.\n\nlost the "
         "cursor"},
        {"close throws", S{.throwClose = true}, "*", kTableNotClosed, 1, 3,
         "An error occurred while trying to close table [PrPrimalRow]\n\nclose broke"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        int closes = 0;
        CIoTableDescription description;
        description.tableName = "PrPrimalRow";
        const CIoTable table(std::make_unique<MemoryTbl>(test.switches, &closes), description, "",
                             "", test.columns);
        EXPECT_EQ(table.Status(), test.status);
        if (test.closes >= 0) {
            EXPECT_EQ(closes, test.closes);
        }
        if (test.rows >= 0) {
            EXPECT_EQ(table.RowCount(), test.rows);
        }
        const std::string first = table.Messages().empty() ? "" : table.Messages().front().text;
        if (test.message != nullptr) {
            EXPECT_EQ(first, test.message);
        }
    }
}

TEST(CIoTable, IndexErrorsThrowInvalidArgument) {
    int closes = 0;
    const CIoTable table(std::make_unique<MemoryTbl>(MemoryTbl::Switches{}, &closes),
                         CIoTableDescription{}, "", "", "Activity");
    ASSERT_EQ(table.RowCount(), 3);
    EXPECT_DOUBLE_EQ(table.ValueAsDouble(2, 0), 2.5);
    EXPECT_THROW(table.ValueAsDouble(3, 0), std::invalid_argument);
    EXPECT_THROW(table.ValueAsDouble(-1, 0), std::invalid_argument);
    EXPECT_THROW(table.ValueAsString(0, 1), std::invalid_argument);
    EXPECT_THROW(table.ValueAsLong(0, -1), std::invalid_argument);
    EXPECT_THROW(table.KeyAsLong(0, 0), std::invalid_argument);
    EXPECT_THROW(table.KeyAsString(3, 0), std::invalid_argument);
}

TEST(CIoTable, AKindWithoutBackendIsNotOpened) {
    const CIoTable table(static_cast<CDatabase*>(nullptr), "PrCase", "", "", "*", 5);
    EXPECT_EQ(std::tuple(table.Status(), table.Messages().at(0).text, table.Description().kind),
              std::tuple(kTableNotOpened, "Unable to open table [PrCase]", 5));
}

}  // namespace
