#pragma once

#include <string>
#include <string_view>

#include "DetailContent.h"

// The printed form of the shown row or column from its title line on: "Row: NAME" or
// "Column: NAME", the value lines L1, L2, L3, R1, R2, R4 that are not empty aligned on their
// first colon, the entry table (header, underline, one line per entry in list order, without
// the fifth column), and, when there is a warning, an empty line and the warning without a
// line end.
std::string DetailListingBody(bool rowDisplay, std::string_view name, const DetailContent& content);

// The whole listing file: the document's path, an empty line, then the body.
std::string DetailListingText(std::string_view documentPath, bool rowDisplay, std::string_view name,
                              const DetailContent& content);
