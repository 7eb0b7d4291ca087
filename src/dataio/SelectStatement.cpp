#include "SelectStatement.h"

#include <vector>

#include "AsciiCase.h"
#include "CBaseTbl.h"
#include "SqlIdentifiers.h"

namespace {

constexpr std::string_view kQueryPrefix = "Query::";

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The escape character of LIKE operands that hold a literal "%" or "_"; it is one that no
// driver's string literal treats specially.
constexpr char kLikeEscape = '!';

bool holdsLikeWildcard(std::string_view value) { return value.find_first_of("%_") != value.npos; }

// The LIKE operand (and its ESCAPE clause): "..." and "*" become "%", "?" becomes "_". A
// literal "%" or "_" is escaped where the driver allows it, else matched by "_" (the caller
// then filters the rows).
std::string likeOperand(std::string_view value, const OdbcStatementStyle& style) {
    const bool escaping = style.likeEscape && holdsLikeWildcard(value);
    std::string pattern;
    for (std::size_t at = 0; at < value.size(); ++at) {
        const char c = value[at];
        if (value.substr(at, 3) == "...") {
            pattern += '%';
            at += 2;
        } else if (c == '*') {
            pattern += '%';
        } else if (c == '?') {
            pattern += '_';
        } else if (c == '%' || c == '_' || (escaping && c == kLikeEscape)) {
            if (escaping) {
                pattern += kLikeEscape;
                pattern += c;
            } else {
                pattern += '_';
            }
        } else {
            pattern += c;
        }
    }
    std::string operand = quotedSqlText(pattern);
    if (escaping) operand += std::string(" ESCAPE '") + kLikeEscape + "'";
    return operand;
}

std::string joined(const std::vector<std::string>& pieces, std::string_view separator) {
    std::string result;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) result += separator;
        result += pieces[i];
    }
    return result;
}

// The key conditions of the ODBC form, in key order.
std::vector<std::string> odbcConditions(const ColumnDescriptionList& columns,
                                        const ResolvedRequest& request, const CBaseTbl& backend,
                                        const OdbcStatementStyle& style) {
    std::vector<std::string> conditions;
    for (std::size_t k = 0; k < request.keys.size() && k < request.keyValues.size(); ++k) {
        const int index = request.keys[k].Index();
        const std::string& value = request.keyValues[k];
        if (index < 0 || value == "*") continue;
        const std::string name = quotedIdentifier(columns[index].name, style.identifierQuote);
        if (value == "NULL") {
            conditions.push_back(name + " IS NULL");
        } else if (value == "NOT NULL") {
            conditions.push_back(name + " IS NOT NULL");
        } else if (!isKeyPattern(value)) {
            conditions.push_back(name + "=" + backend.FormatLiteral(columns[index].sqlType, value));
        } else {
            conditions.push_back(name + " LIKE " + likeOperand(value, style));
        }
    }
    return conditions;
}

bool isQuotedColumn(const std::set<std::string>& quotedColumns, const std::string& name) {
    if (quotedColumns.count(name) > 0) return true;
    for (const std::string& quoted : quotedColumns)
        if (equalsIgnoreAsciiCase(quoted, name)) return true;
    return false;
}

std::vector<std::string> adoConditions(const ColumnDescriptionList& columns,
                                       const ResolvedRequest& request,
                                       const std::set<std::string>& quotedColumns,
                                       const OdbcStatementStyle& style) {
    std::vector<std::string> conditions;
    for (std::size_t k = 0; k < request.keys.size() && k < request.keyValues.size(); ++k) {
        const int index = request.keys[k].Index();
        const std::string& value = request.keyValues[k];
        if (index < 0 || value == "*") continue;
        const std::string& bare = columns[index].name;
        const std::string name = quotedIdentifier(bare, style.identifierQuote);
        if (value == "NULL") {
            conditions.push_back(name + " IS NULL ");
        } else if (value == "NOT NULL") {
            conditions.push_back(name + " IS NOT NULL");
        } else if (isKeyPattern(value)) {
            conditions.push_back(name + " LIKE " + likeOperand(value, style));
        } else if (isQuotedColumn(quotedColumns, bare)) {
            conditions.push_back(name + " = " + enclosedDoubling(" '", value, '\'', "' "));
        } else {
            // A value that is not a plain number is written as text, so that it stays data.
            conditions.push_back(name + " = " +
                                 (isPlainNumber(value) ? value : quotedSqlText(value)));
        }
    }
    return conditions;
}

}  // namespace

std::string_view stripQueryPrefix(std::string_view tableName) {
    if (startsWithIgnoreAsciiCase(tableName, kQueryPrefix))
        tableName.remove_prefix(kQueryPrefix.size());
    return tableName;
}

bool isBareSqlName(std::string_view name) {
    if (name.empty()) return false;
    for (const char c : name) {
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!letter && !isDigit(c) && c != '_' && c != '.' && c != '$' && c != '#' && c != '@')
            return false;
    }
    return true;
}

std::string enclosedDoubling(std::string_view open, std::string_view text, char closing,
                             std::string_view close) {
    std::string result;
    result.reserve(open.size() + text.size() + close.size() + 4);
    result.append(open);
    for (const char c : text) {
        result += c;
        if (c == closing) result += c;
    }
    result.append(close);
    return result;
}

std::string quotedSqlText(std::string_view text) { return enclosedDoubling("'", text, '\'', "'"); }

bool isPlainNumber(std::string_view text) {
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    std::size_t digits = 0;
    for (; at < text.size() && isDigit(text[at]); ++at) ++digits;
    if (at < text.size() && text[at] == '.')
        for (++at; at < text.size() && isDigit(text[at]); ++at) ++digits;
    if (digits == 0) return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
        std::size_t exponentDigits = 0;
        for (; at < text.size() && isDigit(text[at]); ++at) ++exponentDigits;
        if (exponentDigits == 0) return false;
    }
    return at == text.size();
}

bool isKeyPattern(std::string_view value) {
    return value.find_first_of("*?") != value.npos || value.find("...") != value.npos;
}

bool likeNeedsRowFilter(std::string_view value, const OdbcStatementStyle& style) {
    return !style.likeEscape && isKeyPattern(value) && holdsLikeWildcard(value);
}

namespace {

// "SELECT" the value columns, then the found key columns, "FROM" the table.
std::string selectFrom(std::string_view tableReference, const ColumnDescriptionList& columns,
                       const ResolvedRequest& request, const std::string& quote) {
    std::vector<std::string> names;
    for (int index : request.valueColumns)
        names.push_back(quotedIdentifier(columns[index].name, quote));
    for (const CIoKeyCell& key : request.keys)
        if (key.Index() >= 0) names.push_back(quotedIdentifier(columns[key.Index()].name, quote));
    return "SELECT " + joined(names, ",") + " FROM " + std::string(tableReference);
}

}  // namespace

std::string buildOdbcSelect(std::string_view tableReference, const ColumnDescriptionList& columns,
                            const ResolvedRequest& request, const CBaseTbl& backend,
                            const OdbcStatementStyle& style) {
    std::string statement = selectFrom(tableReference, columns, request, style.identifierQuote);
    const std::vector<std::string> conditions = odbcConditions(columns, request, backend, style);
    if (!conditions.empty()) statement += " WHERE " + joined(conditions, " AND ");
    return statement;
}

std::string buildAdoSelect(std::string_view tableReference, const ColumnDescriptionList& columns,
                           const ResolvedRequest& request,
                           const std::set<std::string>& quotedColumns,
                           const OdbcStatementStyle& style) {
    std::string statement = selectFrom(tableReference, columns, request, style.identifierQuote);
    const std::vector<std::string> conditions =
        adoConditions(columns, request, quotedColumns, style);
    if (!conditions.empty()) statement += " WHERE " + joined(conditions, " AND ");
    return statement;
}
