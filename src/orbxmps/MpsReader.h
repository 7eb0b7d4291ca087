#pragma once

// The MPS reader. The dialect it accepts (what widespread public readers accept; where a
// file uses something the model cannot hold, the reader keeps it in the object or skips it
// with a warning in MatrixStore::warnings, naming file and line):
//
// - Lines: a section header starts in column 1; a data line starts with a blank or a tab.
//   Empty lines and lines starting with '*' are comments. LF or CRLF line ends. A line over
//   65536 characters, or any control byte but tab (and CR before LF), is rejected as binary
//   data. Plain or gzip input, told apart by the first bytes; gzip members may be
//   concatenated. After ENDATA only blank and comment lines may follow (at most 1 MiB); a
//   compressed stream is read on only to check its trailer.
// - Sections: NAME [name], OBJSENSE, OBJNAME, ROWS, COLUMNS, RHS, RANGES, BOUNDS, QUADOBJ,
//   QMATRIX, QSECTION [row], QCMATRIX <row>, SOS, CSECTION, INDICATORS, ENDATA; LAZYCONS and
//   USERCUTS rows are read as ROWS (warning); BRANCH, PWLOBJ, PWLNAM, PWLCON and GENCONS are
//   skipped (warning). Anything else in column 1 is an unknown section; a file that ends
//   before ENDATA is truncated.
//   ROWS comes once and before COLUMNS; COLUMNS comes once.
// - OBJSENSE: MAX, MAXIMIZE, MIN or MINIMIZE, on the header line or the next data line.
//   OBJNAME: the free row that is the objective (else the first free row).
// - ROWS: type N, E, L or G and a name. A name given twice makes a second row of that name
//   (warning); entries naming it go to the first.
// - COLUMNS: "column row value [row value]". A column name coming back after another column
//   makes a second column of that name (warning); a row given twice in a column keeps both
//   entries (warning); an unknown row's entry is skipped (warning). Zeros are kept.
//   'MARKER' lines with 'INTORG' / 'INTEND' (quotes optional) mark integer columns; with
//   'SOSORG' / 'SOSEND' they make the columns between them a set (S1 unless "S2 name
//   'MARKER' 'SOSORG'"), weighted by position.
// - RHS, RANGES: "[set] row value [row value]"; in free MPS an odd field count means a set
//   name is there. Only the first set seen is used; lines of other sets are skipped. Values
//   are kept as given: the objective's RHS is its constant (taken with a minus sign, as
//   solvers read it); ranges on E rows of either sign. A range on a free row means nothing
//   and is skipped (warning). A second entry for a row replaces the first (warning); an
//   unknown row's entry is skipped (warning).
// - BOUNDS: "type [set] column [value]" with UP, LO, FX, FR, MI, PL, BV, LI, UI, SC, SI; only
//   the first set is used. Defaults [0, +inf], for integer columns too. UP v sets the upper
//   bound and, when v < 0 and the lower bound is still 0, makes the lower bound -inf
//   (warning). BV is [0, 1] integer, LI / UI set a bound and mark the column integer, SC
//   sets the upper bound (+inf without a value) and marks the column semi-continuous, SI
//   the same and integer. A lower bound above the upper bound is kept. A bound on an unknown
//   column is skipped (warning). In free MPS a set name is told by the field count for the
//   type; for SC and SI, "SC name x" is a column and value when x is a number.
// - QUADOBJ (upper triangle of Q in 0.5 x'Qx): coefficient 0.5*v on the diagonal and v off it;
//   QMATRIX and QSECTION of the objective (the full Q): 0.5*v per entry; QCMATRIX row and
//   QSECTION of another row: v per entry, terms of that row. The objective's blocks need an
//   objective row.
// - SOS: "S1|S2 [SOS] [name [priority]]" opens a set; "[set] column[:weight] [weight]" adds
//   a member (weight = position when none). CSECTION "name [parameter] type" opens a cone,
//   whose lines name its columns. INDICATORS: "IF row column 0|1". Unknown names there are
//   skipped (warning).
// - Numbers: a whole field, decimal, with optional sign and an exponent letter e, E, d or D;
//   NaN, infinity words and anything else are "not a number"; a number that overflows or
//   underflows a double is an error. Values are never clamped, except bounds: magnitudes from
//   1e20 are the infinities -1e20 / 1e20. A coefficient, RHS or range beyond the largest
//   32-bit float (3.4e38) is an error: the model holds 32-bit floats.
// - Free MPS splits fields on blanks and tabs. Fixed MPS takes columns 2-3, 5-12, 15-22,
//   25-36, 40-47 and 50-61, trimmed, so names may hold blanks; text outside them is an error.
//   SOS, CSECTION and INDICATORS lines are split on blanks in either format.
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
