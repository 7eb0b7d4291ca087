#pragma once

#include <string>

#include "ComparableModel.h"

namespace netlib {

// Reads an MPS file (plain or gzip) with CoinUtils' reader, the independent opinion our
// reader is checked against. Throws std::runtime_error when that reader reports errors.
ComparableModel readWithCoinUtils(const std::string& path);

}  // namespace netlib
