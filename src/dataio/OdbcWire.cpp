#include "OdbcWire.h"

#include <cstring>
#include <stdexcept>

void WireWriter::text(std::string_view value) {
    i64(static_cast<std::int64_t>(value.size()));
    m_bytes.append(value);
}

void WireWriter::raw(const void* data, std::size_t size) {
    m_bytes.append(static_cast<const char*>(data), size);
}

void WireReader::raw(void* into, std::size_t size) {
    if (m_bytes.size() - m_at < size) throw std::runtime_error("a truncated answer");
    std::memcpy(into, m_bytes.data() + m_at, size);
    m_at += size;
}

std::uint8_t WireReader::u8() {
    std::uint8_t value = 0;
    raw(&value, sizeof value);
    return value;
}

std::int32_t WireReader::i32() {
    std::int32_t value = 0;
    raw(&value, sizeof value);
    return value;
}

std::int64_t WireReader::i64() {
    std::int64_t value = 0;
    raw(&value, sizeof value);
    return value;
}

double WireReader::f64() {
    double value = 0;
    raw(&value, sizeof value);
    return value;
}

std::string WireReader::text() {
    const std::int64_t size = i64();
    if (size < 0 || static_cast<std::uint64_t>(size) > m_bytes.size() - m_at)
        throw std::runtime_error("a truncated answer");
    std::string value(m_bytes.substr(m_at, static_cast<std::size_t>(size)));
    m_at += static_cast<std::size_t>(size);
    return value;
}

void writeColumns(WireWriter& out, const std::vector<OdbcResultColumn>& columns) {
    out.i64(static_cast<std::int64_t>(columns.size()));
    for (const OdbcResultColumn& column : columns) {
        out.text(column.name);
        out.i32(column.sqlType);
        out.i64(static_cast<std::int64_t>(column.size));
        out.i32(column.decimals);
    }
}

std::vector<OdbcResultColumn> readColumns(WireReader& in) {
    const std::int64_t count = in.i64();
    std::vector<OdbcResultColumn> columns;
    for (std::int64_t i = 0; i < count; ++i) {
        OdbcResultColumn column;
        column.name = in.text();
        column.sqlType = in.i32();
        column.size = static_cast<std::size_t>(in.i64());
        column.decimals = in.i32();
        columns.push_back(std::move(column));
    }
    return columns;
}

void writeRow(WireWriter& out, const std::vector<FetchedValue>& row) {
    out.i64(static_cast<std::int64_t>(row.size()));
    for (const FetchedValue& value : row) {
        out.u8(static_cast<std::uint8_t>(value.kind));
        out.i64(value.integer);
        out.f64(value.number);
        out.f64(value.dateTime.days);
        out.i32(value.dateTime.status);
        out.text(value.text);
    }
}

void readRow(WireReader& in, std::vector<FetchedValue>& row) {
    const std::int64_t count = in.i64();
    row.clear();
    for (std::int64_t i = 0; i < count; ++i) {
        FetchedValue value;
        const std::uint8_t kind = in.u8();
        if (kind > static_cast<std::uint8_t>(FetchedValue::Kind::kBinary))
            throw std::runtime_error("an unknown kind of value");
        value.kind = static_cast<FetchedValue::Kind>(kind);
        value.integer = in.i64();
        value.number = in.f64();
        value.dateTime.days = in.f64();
        value.dateTime.status = in.i32();
        value.text = in.text();
        row.push_back(std::move(value));
    }
}

void writeFailure(WireWriter& out, const OdbcError& error, const std::string& call) {
    out.text(error.sqlState);
    out.i32(error.nativeError);
    out.text(error.message);
    out.text(call);
}

OdbcError readFailure(WireReader& in, std::string& call) {
    OdbcError error;
    error.sqlState = in.text();
    error.nativeError = in.i32();
    error.message = in.text();
    call = in.text();
    return error;
}

void writeNames(WireWriter& out, const std::vector<std::string>& names) {
    out.i64(static_cast<std::int64_t>(names.size()));
    for (const std::string& name : names) out.text(name);
}

std::vector<std::string> readNames(WireReader& in) {
    const std::int64_t count = in.i64();
    std::vector<std::string> names;
    for (std::int64_t i = 0; i < count; ++i) names.push_back(in.text());
    return names;
}
