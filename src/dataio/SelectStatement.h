#pragma once

#include <set>
#include <string>
#include <string_view>

#include "ColumnDescription.h"
#include "RequestResolution.h"

class CBaseTbl;

// How a statement writes names and patterns for one driver.
struct OdbcStatementStyle {
    // The driver's identifier quote; every name must pass unquotableNameReason first.
    std::string identifierQuote = "\"";
    // Whether the driver takes LIKE ... ESCAPE; without it "%" and "_" in a key value are
    // matched by "_" and the rows are filtered afterwards (likeNeedsRowFilter).
    bool likeEscape = true;
};

// The table name without a leading "Query::" (any case), which names a stored query.
std::string_view stripQueryPrefix(std::string_view tableName);

// Whether name can be written into SQL text bare without changing the statement: letters,
// digits and "_", ".", "$", "#", "@" only.
bool isBareSqlName(std::string_view name);

// open + text + close, with every `closing` character inside text doubled so that it cannot
// end the enclosed piece early (SQL's rule for quotes and for brackets alike).
std::string enclosedDoubling(std::string_view open, std::string_view text, char closing,
                             std::string_view close);

// 'text' with every quote doubled: safe to put into SQL text whatever the text holds.
std::string quotedSqlText(std::string_view text);

// Whether text is a plain decimal number (sign, digits, point, exponent) that may be written
// into SQL text bare.
bool isPlainNumber(std::string_view text);

// Whether a key value is a pattern ("*", "?" or "...").
bool isKeyPattern(std::string_view value);

// Whether rows selected with the pattern value must still be checked against it, because a
// driver without LIKE ... ESCAPE matched its literal "%" or "_" with a wildcard.
bool likeNeedsRowFilter(std::string_view value, const OdbcStatementStyle& style);

// The SELECT of the ODBC path: resolved columns, found key columns, FROM the table reference
// (already written for the driver), and the key conditions; literals come from the backend's
// literal operations.
std::string buildOdbcSelect(std::string_view tableReference, const ColumnDescriptionList& columns,
                            const ResolvedRequest& request, const CBaseTbl& backend,
                            const OdbcStatementStyle& style);

// The SELECT of the ADO path: key values quoted when their column is in the quoted-column set
// (text and date-time columns), bare when they are plain numbers.
std::string buildAdoSelect(std::string_view tableReference, const ColumnDescriptionList& columns,
                           const ResolvedRequest& request,
                           const std::set<std::string>& quotedColumns,
                           const OdbcStatementStyle& style);
