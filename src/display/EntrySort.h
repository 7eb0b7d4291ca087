#pragma once

#include <vector>

#include "CNorvaRow.h"

// Orders entries by the detail view's sort key: 0 name ascending (byte order), 1 coefficient
// descending, 2 counterpart descending, 3 calculated value descending (unknown values, 1e30,
// come first), 4 term number ascending in row display or mark ascending in column display.
// A key outside 0 to 4 leaves the order as it is. Equal entries keep their order.
// inNameOrder tells that the entries already come by name, as row display meets them when
// the column array is sorted by name, so key 0 has nothing to do.
void sortEntries(std::vector<CNorvaRow>& entries, int sortKey, bool rowDisplay,
                 bool inNameOrder = false);
