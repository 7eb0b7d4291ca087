#pragma once

#include <vector>

#include "CNorvaRow.h"

// Orders entries by the detail view's sort key: 0 name ascending (byte order), 1 coefficient
// descending, 2 counterpart descending, 3 calculated value descending (unknown values, 1e30,
// come first), 4 term number ascending in row display or mark ascending in column display.
// A key outside 0 to 4 leaves the order as it is. Equal entries keep their order.
void sortEntries(std::vector<CNorvaRow>& entries, int sortKey, bool rowDisplay);
