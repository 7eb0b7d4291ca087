#include "CBaseTbl.h"

#include "SelectStatement.h"

namespace {

bool endsWithQuote(const std::string& text) { return !text.empty() && text.back() == '\''; }
bool startsWithQuote(const std::string& text) { return !text.empty() && text.front() == '\''; }

}  // namespace

std::string CBaseTbl::FormatLiteral(int sqlType, const std::string& value) const {
    const std::string prefix = LiteralPrefix(sqlType);
    const std::string suffix = LiteralSuffix(sqlType);
    // A bare literal (a number column) is written bare only when it is a plain number; any
    // other text goes in quotes, so "3 OR 1=1" compares as text and matches nothing.
    if (prefix.empty() && suffix.empty())
        return isPlainNumber(value) ? value : quotedSqlText(value);
    if (endsWithQuote(prefix) && startsWithQuote(suffix)) {
        const std::string quoted = quotedSqlText(value);
        return prefix + quoted.substr(1, quoted.size() - 2) + suffix;
    }
    // A prefix that does not open a quoted text cannot carry arbitrary text safely.
    return quotedSqlText(value);
}

std::string CBaseTbl::SqlTypeName(int sqlType) const {
    switch (sqlType) {
        case -7:
            return "BIT";
        case -6:
            return "BYTE";
        case -1:
        case 1:
        case 12:
            return "CHAR";
        case 2:
            return "NUMBER";
        case 3:
            return "CURRENCY";
        case 4:
            return "INTEGER";
        case 5:
            return "SMALLINT";
        case 6:
        case 7:
            return "REAL";
        case 8:
            return "DOUBLE";
        case 9:
            return "DATE";
        case 10:
            return "TIME";
        case 11:
            return "TIMESTAMP";
        default:
            return "";
    }
}

namespace {

struct LiteralQuotes {
    const char* prefix;
    const char* suffix;
};

// Text and exact numeric types are quoted; dates and times use the ODBC escapes, which every
// driver accepts (the "#...#" form is Access-only SQL).
LiteralQuotes literalQuotesOf(int sqlType) {
    switch (sqlType) {
        case -1:
        case 1:
        case 12:
        case 2:
        case 3:
            return {"'", "'"};
        case 9:
            return {"{d '", "'}"};
        case 10:
            return {"{t '", "'}"};
        case 11:
            return {"{ts '", "'}"};
        default:
            return {"", ""};
    }
}

}  // namespace

std::string CBaseTbl::LiteralPrefix(int sqlType) const { return literalQuotesOf(sqlType).prefix; }

std::string CBaseTbl::LiteralSuffix(int sqlType) const { return literalQuotesOf(sqlType).suffix; }
