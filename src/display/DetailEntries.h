#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "CNorvaRow.h"
#include "NumberFormat.h"

// The texts of an entry's five list columns. Row display: name, the coefficient (empty for a
// column of a nonlinear term), the activity when known, the product when known and the column
// is linear in the row, the term number when above 0. Column display: name, coefficient, Pi
// when known, product when known, the linearity mark.
std::array<std::string, 5> entryCells(const CNorvaRow& row, bool rowDisplay,
                                      const NumberFormatOptions& format);

// Sorts the entries by sortKey and turns them into the list's lines.
std::vector<DetailEntry> makeDetailEntries(std::vector<CNorvaRow> rows, int sortKey,
                                           bool rowDisplay, const NumberFormatOptions& format);

// The display text of a solution status code (2 "Free Row" ... 8 "Unbounded"); empty for
// any other code.
std::string_view statusText(int code);
