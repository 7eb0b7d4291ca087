#pragma once

#include <cstddef>
#include <optional>

#include "DetailContent.h"
#include "DetailSources.h"

// Column display: fills content for the column at position column of the column array
// (nullopt: no column selected). The entries are the column's coefficients with the rows'
// Pi values and their products (32-bit float, as is the Pi coefficient sum), each marked
// "N" when its row has nonlinear terms; the value lines give the bounds, price, status,
// activity, Dj and the sum. Library queries are skipped without a library object.
// Throws std::out_of_range for a column outside the column array.
void BuildColumnDisplay(const DetailSources& sources, std::optional<std::size_t> column,
                        DetailContent& content);
