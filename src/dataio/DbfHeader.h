#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ColumnDescription.h"

inline constexpr std::size_t kDbfHeaderSize = 32;
inline constexpr std::size_t kDbfDescriptorSize = 32;
inline constexpr unsigned char kDbfHeaderTerminator = 0x0D;
inline constexpr char kDbfDeletedMark = '*';

// One field of a DBF record: where its bytes lie in the record and how to decode them.
struct DbfField {
    std::string name;
    char type = 'C';
    int length = 0;
    int decimals = 0;
    int offset = 0;  // from the start of the record, past the deletion mark
};

// The parts of a DBF file header that reading needs.
struct DbfHeader {
    unsigned version = 0;
    uint32_t recordCount = 0;
    uint16_t headerLength = 0;
    uint16_t recordLength = 0;
    std::vector<DbfField> fields;
};

// Why a header was refused: a data-layer message id and, for an unknown type, the field name.
struct DbfHeaderProblem {
    int messageId = 0;  // 0 when the header was accepted
    std::string argument;
};

// Parses the 32-byte file header. bytes may be shorter than a header (a damaged file).
DbfHeaderProblem parseDbfFileHeader(std::string_view bytes, DbfHeader& header);

// Parses the descriptors that follow the file header (bytes start at offset 32 and end at the
// header length or at the end of the file), computes the field offsets and checks that the
// record length is that of the fields. Never reads outside bytes.
DbfHeaderProblem parseDbfDescriptors(std::string_view bytes, DbfHeader& header);

// The ODBC type code of a field type letter, or 0 for a letter that is not supported.
int dbfSqlType(char type);

// The column descriptions of the fields, in file order.
ColumnDescriptionList dbfColumns(const DbfHeader& header);
