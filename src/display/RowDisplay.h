#pragma once

#include <cstddef>
#include <optional>

#include "DetailContent.h"
#include "DetailSources.h"

// Row display: fills content for the row at position row of the row array (nullopt: no row
// selected). The entries are the row's coefficients with the columns' activities and their
// products (32-bit float, as is the activity sum), the value lines give type, RHS, range,
// status, activity, Pi and the activity sum, and the warning line the sign test. Without a
// matrix library object only the entries are emptied and every line stays as it was.
// The entries are made when asked for, from the row index's coefficients (a walk's without
// one), the model and the solution records: they are valid only while those stay as they were.
// Throws std::out_of_range for a row outside the row array.
void BuildRowDisplay(const DetailSources& sources, std::optional<std::size_t> row,
                     DetailContent& content);
