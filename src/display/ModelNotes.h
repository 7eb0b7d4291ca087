#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "NumberFormat.h"
#include "orbxmps.h"

// Lines for what the value lines cannot say about a row or column but the matrix holds: the
// objective's sense and constant, semi-continuous columns, set and cone membership and
// indicator constraints. Empty without a library object or when there is nothing to say.
std::vector<std::string> RowNotes(const orbxmps::ORBObject* library, std::string_view rowName,
                                  const NumberFormatOptions& format);
std::vector<std::string> ColumnNotes(const orbxmps::ORBObject* library,
                                     std::string_view columnName,
                                     const NumberFormatOptions& format);
