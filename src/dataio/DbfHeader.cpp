#include "DbfHeader.h"

#include "DataMessages.h"

namespace {

constexpr std::size_t kNameSize = 11;
constexpr std::size_t kTypeOffset = 11;
constexpr std::size_t kLengthOffset = 16;
constexpr std::size_t kDecimalsOffset = 17;

unsigned byteAt(std::string_view bytes, std::size_t offset) {
    return static_cast<unsigned char>(bytes[offset]);
}

uint32_t littleEndian(std::string_view bytes, std::size_t offset, std::size_t size) {
    uint32_t value = 0;
    for (std::size_t i = size; i > 0; --i) value = (value << 8) | byteAt(bytes, offset + i - 1);
    return value;
}

DbfHeaderProblem damaged() { return {datamsg::kDbfDamagedHeader, {}}; }

DbfField parseDescriptor(std::string_view descriptor) {
    DbfField field;
    const std::string_view nameBytes = descriptor.substr(0, kNameSize);
    field.name = std::string(nameBytes.substr(0, nameBytes.find('\0')));
    field.type = descriptor[kTypeOffset];
    field.length = static_cast<int>(byteAt(descriptor, kLengthOffset));
    field.decimals = static_cast<int>(byteAt(descriptor, kDecimalsOffset));
    return field;
}

}  // namespace

DbfHeaderProblem parseDbfFileHeader(std::string_view bytes, DbfHeader& header) {
    if (bytes.size() < kDbfHeaderSize) return damaged();
    header.version = byteAt(bytes, 0);
    if (header.version != 3 && header.version != 4) {
        return {datamsg::kDbfUnsupportedVersion, {}};
    }
    header.recordCount = littleEndian(bytes, 4, 4);
    header.headerLength = static_cast<uint16_t>(littleEndian(bytes, 8, 2));
    header.recordLength = static_cast<uint16_t>(littleEndian(bytes, 10, 2));
    if (header.headerLength < kDbfHeaderSize || header.recordLength < 1) return damaged();
    return {};
}

DbfHeaderProblem parseDbfDescriptors(std::string_view bytes, DbfHeader& header) {
    header.fields.clear();
    const std::size_t room = header.headerLength - kDbfHeaderSize;
    // A file that ends before the descriptors do is as damaged as a short header.
    std::size_t position = 0;
    while (position + kDbfDescriptorSize <= room) {
        if (position >= bytes.size()) return damaged();
        if (byteAt(bytes, position) == kDbfHeaderTerminator) break;
        if (position + kDbfDescriptorSize > bytes.size()) return damaged();
        DbfField field = parseDescriptor(bytes.substr(position, kDbfDescriptorSize));
        if (dbfSqlType(field.type) == 0) return {datamsg::kDbfUnknownType, field.name};
        header.fields.push_back(std::move(field));
        position += kDbfDescriptorSize;
    }
    int offset = 1;
    for (DbfField& field : header.fields) {
        field.offset = offset;
        offset += field.length;
    }
    // Offsets past the record would send decoding outside the record buffer.
    if (offset != header.recordLength) return damaged();
    return {};
}

int dbfSqlType(char type) {
    switch (type) {
        case 'C':
            return 12;
        case 'N':
        case 'F':
            return 8;
        case 'D':
            return 9;
        case 'M':
            return -1;
        case 'L':
            return -7;
        default:
            return 0;
    }
}

ColumnDescriptionList dbfColumns(const DbfHeader& header) {
    ColumnDescriptionList columns;
    columns.reserve(header.fields.size());
    for (const DbfField& field : header.fields) {
        columns.push_back({field.name, dbfSqlType(field.type), field.length, field.decimals});
    }
    return columns;
}
