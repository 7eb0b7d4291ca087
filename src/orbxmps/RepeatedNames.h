#pragma once

#include <cstdint>
#include <vector>

#include "NameTable.h"

namespace orbxmps {

// The indexes of the names that repeat an earlier name of the table, in table order; empty
// when every name is unique. Runs at every ORB load, so it avoids the name table's hash index
// (random access over the whole table): the names' hashes are sorted, and only names whose
// hash repeats are compared.
std::vector<std::uint32_t> repeatedNames(const NameTable& names);

}  // namespace orbxmps
