#pragma once

#include <cstddef>
#include <cstdint>

#include "ByteSource.h"

namespace orbxmps {

// How many rows the first ROWS section of a plain MPS file may hold: its lines that start
// with a blank and hold more than blanks, counted by reading ahead of the stream
// (ByteSource::readAt). Growing the row names' index and arrays one doubling at a time took
// a third of a large ROWS section's time; with this they are sized once. 0 when the source
// cannot be read ahead, or no ROWS section starts within the first megabyte; the count of
// the lines scanned so far when the section runs past mostScanned bytes. A hint only: the
// section may still hold fewer rows (lines in error) or, if the file changes meanwhile, more.
std::size_t countRowsSectionLines(ByteSource& source, std::size_t chunkBytes = 256 << 10,
                                  std::uint64_t mostScanned = std::uint64_t{1} << 30);

}  // namespace orbxmps
