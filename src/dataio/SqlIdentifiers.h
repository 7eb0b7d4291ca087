#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Why name cannot be written between the driver's identifier quotes without changing the
// statement; empty when it can. A driver without a quote character, an empty name and a name
// holding a control character (NUL included) are refused.
std::string unquotableNameReason(std::string_view name, const std::string& quote);

// name between the driver's quotes, every quote character inside doubled; check it first with
// unquotableNameReason.
std::string quotedIdentifier(std::string_view name, const std::string& quote);

// The spelling under which the catalog lists the requested table: the exact name, else the
// only name equal to it when ASCII case is ignored (a server may fold unquoted names).
std::optional<std::string> catalogSpelling(std::string_view requested,
                                           const std::vector<std::string>& catalog);

// name with control characters shown as \xNN, for messages.
std::string printableName(std::string_view name);
