#pragma once

// The MPS reader. The dialect it accepts:
//
// - Lines: a section header starts in column 1; a data line starts with a blank or a tab.
//   Empty lines and lines starting with '*' are comments. LF or CRLF line ends. A line over
//   65536 characters, or any control byte but tab (and CR before LF), is rejected as binary
//   data. Plain or gzip input, told apart by the first bytes; gzip members may be
//   concatenated.
// - Sections: NAME [name], ROWS, COLUMNS, RHS, RANGES, BOUNDS, OBJSENSE, QUADOBJ, QMATRIX,
//   QCMATRIX <row>, ENDATA. Anything else in column 1 is an unknown section; a file that
//   ends before ENDATA is truncated. Lines after ENDATA are not read. ROWS comes once and
//   before COLUMNS; COLUMNS comes once.
// - OBJSENSE: MAX, MAXIMIZE, MIN or MINIMIZE, on the header line or the next data line.
// - ROWS: type N, E, L or G and a name; a name given twice is an error. The first N row is
//   the objective; later N rows stay as free rows.
// - COLUMNS: "column row value [row value]". A column's lines are contiguous (a name coming
//   back after another column is an error), a row appears once per column, zeros are kept.
//   'MARKER' lines with 'INTORG' / 'INTEND' (quotes optional) mark integer columns.
// - RHS, RANGES: "[set] row value [row value]"; in free MPS an odd field count means a set
//   name is there. Only the first set seen is used; lines of other sets are skipped. Values
//   are kept as given (the objective's RHS, ranges on E rows of either sign); a second entry
//   for a row is an error.
// - BOUNDS: "type [set] column [value]" with UP, LO, FX, FR, MI, PL, BV, LI, UI, SC; only the
//   first set is used. Defaults [0, +inf], for integer columns too. UP v sets the upper bound
//   and, when v < 0 and the lower bound is still 0, makes the lower bound -inf. BV is [0, 1]
//   integer, LI / UI set a bound and mark the column integer, SC sets the upper bound (+inf
//   without a value) and marks the column semi-continuous. In free MPS a set name is told by
//   the field count for the type; for SC, "SC name x" is a column and value when x is a number.
// - QUADOBJ (upper triangle of Q in 0.5 x'Qx): coefficient 0.5*v on the diagonal and v off it;
//   QMATRIX (the full Q): 0.5*v per entry; QCMATRIX row: v per entry, terms of that row.
//   QUADOBJ and QMATRIX need an objective row.
// - Numbers: a whole field, decimal, with optional sign and exponent; NaN, infinity words and
//   anything else are "not a number". Magnitudes from 1e20 become -1e20 / 1e20.
// - Free MPS splits fields on blanks and tabs. Fixed MPS takes columns 2-3, 5-12, 15-22,
//   25-36, 40-47 and 50-61, trimmed, so names may hold blanks; text outside them is an error.
//   The automatic choice reads free MPS first, and fixed MPS when that fails on the content;
//   when both fail, it reports the reading that got to the later line (free on a tie).

#include <string>

#include "MatrixStore.h"

namespace orbxmps {

enum class MpsFormat;

// Reads an MPS file, plain or gzip-compressed, into store (which is cleared first and left
// empty on failure). Throws CMF_ExcpFileError when the file cannot be opened or read (a
// damaged gzip stream included) and CMF_Exception for bad content, as
// `<path>:<line>: <what>: "<the line>"`; ORB_ExcpBadAllocation when memory runs out.
void readMpsFile(const std::string& path, MpsFormat format, MatrixStore& store);

}  // namespace orbxmps
