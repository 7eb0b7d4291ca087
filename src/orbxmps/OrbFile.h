#pragma once

// ORB files: a binary image of a MatrixStore that loads at close to the speed of a memory copy.
// The layout below is stored on users' disks: later versions must keep reading versions 1 and 2.
// Every number is little-endian; offsets are in bytes.
//
// Header, 32 bytes:
//    0  magic "ORBX\r\n\x1A\n" (the line-end bytes reveal a text-mode transfer)
//    8  u32 version, 2 (1 for files of earlier writers; see the name sections)
//   12  u32 flags: 1 = the file holds a solution; other bits 0
//   16  u64 payload size: the file's size less the header
//   24  u32 CRC-32 (zlib's) of the payload
//   28  u32 reserved, 0
// Payload: sections, each a u32 tag, a u32 reserved 0, a u64 length, length bytes of data and
// zero padding to a multiple of 8, so that all data starts 8-aligned.
//
// The first section is the dimensions (tag 1, 48 bytes): u64 rows, columns, elements and
// nonlinear terms, i64 objective row (0-based, -1 for none), u32 options (1 maximise, 2 the
// solution was given as column values and the rest is derived), u32 reserved 0. The others
// follow in any order, each once; an array's length is its count times its item size.
//    2  problem name          characters, no terminator
//    3  row names             each name NUL-terminated, back to back: in version 2 in the
//                             order of section 26, in version 1 by position
//    4  row name offsets      u32 per row: where its name starts in section 3
//    5  row types             i16 per row: 1 free, 2 equal, 3 less-or-equal, 4 greater-or-equal
//    6  right-hand sides      f64 per row
//    7  ranges                f64 per row
//    8  column names          as section 3
//    9  column name offsets   as section 4
//   10  lower bounds          f64 per column; infinite bounds are -1e20 and 1e20
//   11  upper bounds          f64 per column
//   12  column flags          u8 per column: 1 integer, 2 semi-continuous
//   13  column starts         u32 per column and one more: each column's first element, then
//                             the element count
//   14  element rows          u32 per element, 0-based, elements column by column
//   15  element values        f64 per element
//   16  nonlinear terms       24 bytes per term: u32 row, u32 first column, u32 second column
//                             (0xFFFFFFFF when linear), u32 reserved, f64 coefficient
//   17  term values           f64 per term, optional
// With header flag 1, all of these, otherwise none:
//   20  column activities     f64 per column
//   21  reduced costs         f64 per column
//   22  column statuses       u8 per column: 0 none, 1 free, 2 basic, 3 fixed, 4 at upper,
//                             5 at lower
//   23  row activities        f64 per row
//   24  dual values           f64 per row
//   26  row name order        u32 per row: the rows' positions in byte-wise name order, equal
//                             names by position; required in version 2, optional in version 1
//                             (its earliest files lack it)
//   27  column name order     as section 26, for the columns
// A reader skips sections whose tags it does not know: a later version may add optional
// sections under version 1, but anything a reader must understand needs a new version.

#include <string>

#include "MatrixStore.h"

namespace orbxmps {

// Writes store as an ORB file, replacing a regular file under path. Throws ORB_ExcpFileError
// when the file cannot be written or path names anything but a regular file (a symbolic link
// included); what is under path is then as it was.
void writeOrbFile(const std::string& path, const MatrixStore& store);

// Reads an ORB file into store (cleared first, left empty on failure). Throws
// ORB_ExcpFileError when it cannot be read and ORB_Exception when it is damaged.
void readOrbFile(const std::string& path, MatrixStore& store);

}  // namespace orbxmps
