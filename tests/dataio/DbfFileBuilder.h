#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// Writes the bytes of a DBF file: the 32-byte header, one 32-byte descriptor per field, the
// 0x0D terminator and the records. Lengths are computed from the fields unless a test
// overrides them to make a damaged file.
class DbfFileBuilder {
public:
    explicit DbfFileBuilder(unsigned char version = 3) : m_version(version) {}

    DbfFileBuilder& field(std::string name, char type, int length, int decimals = 0) {
        m_fields.push_back({std::move(name), type, length, decimals});
        return *this;
    }
    // One value per field, left-aligned and blank-padded (or cut) to the field's length.
    DbfFileBuilder& record(const std::vector<std::string>& values, bool deleted = false) {
        std::string bytes(1, deleted ? '*' : ' ');
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            std::string value = i < values.size() ? values[i] : std::string();
            value.resize(static_cast<std::size_t>(m_fields[i].length), ' ');
            bytes += value;
        }
        m_records.push_back(bytes);
        return *this;
    }
    DbfFileBuilder& headerLength(uint16_t length) {
        m_headerLength = length;
        return *this;
    }
    DbfFileBuilder& recordLength(uint16_t length) {
        m_recordLength = length;
        return *this;
    }
    DbfFileBuilder& recordCount(uint32_t count) {
        m_recordCount = count;
        return *this;
    }
    // Bytes between the terminator and the first record (a header longer than it must be).
    DbfFileBuilder& padding(std::size_t size) {
        m_padding = size;
        return *this;
    }

    std::string bytes() const {
        std::string out = header();
        for (const Field& field : m_fields) out += descriptor(field);
        out += '\x0D';
        out.append(m_padding, '\0');
        for (const std::string& record : m_records) out += record;
        out += '\x1A';
        return out;
    }

private:
    struct Field {
        std::string name;
        char type;
        int length;
        int decimals;
    };

    static void putLittleEndian(std::string& out, std::size_t at, uint32_t value,
                                std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) {
            out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    }

    std::string header() const {
        std::string out(32, '\0');
        out[0] = static_cast<char>(m_version);
        out[1] = 124;  // last update 2024-02-29
        out[2] = 2;
        out[3] = 29;
        int recordLength = 1;
        for (const Field& field : m_fields) recordLength += field.length;
        const auto naturalHeader = 32 + 32 * m_fields.size() + 1 + m_padding;
        putLittleEndian(out, 4, m_recordCount.value_or(static_cast<uint32_t>(m_records.size())), 4);
        putLittleEndian(out, 8, m_headerLength.value_or(static_cast<uint16_t>(naturalHeader)), 2);
        putLittleEndian(out, 10, m_recordLength.value_or(static_cast<uint16_t>(recordLength)), 2);
        return out;
    }

    static std::string descriptor(const Field& field) {
        std::string out(32, '\0');
        out.replace(0, std::min<std::size_t>(field.name.size(), 11), field.name, 0, 11);
        out[11] = field.type;
        out[16] = static_cast<char>(field.length);
        out[17] = static_cast<char>(field.decimals);
        return out;
    }

    unsigned char m_version;
    std::vector<Field> m_fields;
    std::vector<std::string> m_records;
    std::optional<uint16_t> m_headerLength;
    std::optional<uint16_t> m_recordLength;
    std::optional<uint32_t> m_recordCount;
    std::size_t m_padding = 0;
};

}  // namespace testsupport
