#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "CIoKeyCell.h"
#include "ColumnDescription.h"
#include "TableReporter.h"

// A request resolved against a table's columns.
struct ResolvedRequest {
    std::vector<int> valueColumns;       // indexes into the columns, in request order
    std::vector<CIoKeyCell> keys;        // in key order; index -1 for an empty piece
    std::vector<std::string> keyValues;  // one per key, trimmed
};

// The pieces of a comma-separated list, each trimmed of blanks on both sides.
std::vector<std::string> splitList(std::string_view list);

// Whether text matches a pattern in which "*" is any run of characters (also none) and "?"
// any one character; the whole text must match.
bool matchesPattern(std::string_view text, std::string_view pattern, bool ignoreCase);

// The index of the column named name (ASCII case ignored, as SQL names are), or -1.
int findColumn(const ColumnDescriptionList& columns, std::string_view name);

// Resolves the column list, then the key columns and their values. False, with the error
// reported, when the request cannot be read.
bool resolveRequest(const ColumnDescriptionList& columns, std::string_view keyColumns,
                    std::string_view keyValues, std::string_view columnList,
                    TableReporter& reporter, ResolvedRequest& out);
