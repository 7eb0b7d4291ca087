#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FetchedValue.h"
#include "OdbcError.h"
#include "OdbcResultColumn.h"

// The bytes in which a reading process hands ODBC answers to its parent: fixed-width numbers
// in the machine's order (both ends are the same program) and length-prefixed texts.

class WireWriter {
public:
    void u8(std::uint8_t value) { m_bytes += static_cast<char>(value); }
    void i32(std::int32_t value) { raw(&value, sizeof value); }
    void i64(std::int64_t value) { raw(&value, sizeof value); }
    void f64(double value) { raw(&value, sizeof value); }
    void text(std::string_view value);
    std::string& bytes() { return m_bytes; }

private:
    void raw(const void* data, std::size_t size);
    std::string m_bytes;
};

// Reads what a WireWriter wrote; a read past the end throws std::runtime_error.
class WireReader {
public:
    explicit WireReader(std::string_view bytes) : m_bytes(bytes) {}
    std::uint8_t u8();
    std::int32_t i32();
    std::int64_t i64();
    double f64();
    std::string text();
    bool atEnd() const { return m_at == m_bytes.size(); }

private:
    void raw(void* into, std::size_t size);
    std::string_view m_bytes;
    std::size_t m_at = 0;
};

void writeColumns(WireWriter& out, const std::vector<OdbcResultColumn>& columns);
std::vector<OdbcResultColumn> readColumns(WireReader& in);

void writeRow(WireWriter& out, const std::vector<FetchedValue>& row);
void readRow(WireReader& in, std::vector<FetchedValue>& row);

// An ODBC failure: its diagnostics and the function that failed.
void writeFailure(WireWriter& out, const OdbcError& error, const std::string& call);
OdbcError readFailure(WireReader& in, std::string& call);

void writeNames(WireWriter& out, const std::vector<std::string>& names);
std::vector<std::string> readNames(WireReader& in);
