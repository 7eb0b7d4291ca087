#pragma once

#include <string>
#include <vector>

#include "DetailContent.h"

// The texts among which the widest cell of an entry-list column lies, found without writing
// every cell, so the list can size a column of hundreds of thousands of entries to fit.
// Numbers: of each sign, and separately for values written fixed and scientific, the largest
// magnitude and the one nearest 0. Names: the longest. Column 4: the largest term number, or
// the marks. Character counts stand in for widths, so the caller measures these texts along
// with a sample of the others.
std::vector<std::string> widestCellTexts(const DetailContent& content, int column);
