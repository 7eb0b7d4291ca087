#include "OdbcStatement.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <type_traits>

namespace {

constexpr std::size_t kPieceBytes = 8192;

bool isDataConversionState(const OdbcError& error) {
    return error.sqlState.size() == 5 && error.sqlState.compare(0, 2, "22") == 0;
}

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

int layerSqlType(int odbcSqlType) {
    switch (odbcSqlType) {
        case SQL_TYPE_DATE:
            return SQL_DATE;
        case SQL_TYPE_TIME:
            return SQL_TIME;
        case SQL_TYPE_TIMESTAMP:
            return SQL_TIMESTAMP;
        case SQL_WCHAR:
            return SQL_CHAR;
        case SQL_WVARCHAR:
            return SQL_VARCHAR;
        case SQL_WLONGVARCHAR:
            return SQL_LONGVARCHAR;
        default:
            return odbcSqlType;
    }
}

std::string utf8FromUtf16(const std::u16string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit < 0xD800 || unit > 0xDFFF) {
            appendUtf8(out, unit);
            continue;
        }
        const bool paired =
            unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        if (!paired) {
            appendUtf8(out, 0xFFFD);
            continue;
        }
        appendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
        ++i;
    }
    return out;
}

OdbcStatement::OdbcStatement(const OdbcConnection& connection)
    : m_statement(SQL_HANDLE_STMT, connection.handle()) {}

void OdbcStatement::execute(const std::string& sql) {
    m_columns.clear();
    std::vector<SQLCHAR> text(sql.begin(), sql.end());
    text.push_back(0);
    const SQLRETURN rc = SQLExecDirect(m_statement.get(), text.data(), SQL_NTS);
    // A statement that selects nothing may answer SQL_NO_DATA; it still has its columns.
    if (rc != SQL_NO_DATA) checkOdbc(rc, SQL_HANDLE_STMT, m_statement.get(), "SQLExecDirect");
    describeResult();
}

void OdbcStatement::listTables() {
    m_columns.clear();
    SQLCHAR everything[] = "%";
    checkOdbc(SQLTables(m_statement.get(), nullptr, 0, nullptr, 0, everything, SQL_NTS, nullptr, 0),
              SQL_HANDLE_STMT, m_statement.get(), "SQLTables");
    describeResult();
}

void OdbcStatement::describeResult() {
    SQLSMALLINT count = 0;
    checkOdbc(SQLNumResultCols(m_statement.get(), &count), SQL_HANDLE_STMT, m_statement.get(),
              "SQLNumResultCols");
    for (SQLUSMALLINT column = 1; column <= count; ++column) {
        SQLCHAR name[512] = {};
        SQLSMALLINT nameLength = 0;
        SQLSMALLINT type = 0;
        SQLULEN size = 0;
        SQLSMALLINT decimals = 0;
        SQLSMALLINT nullable = 0;
        checkOdbc(SQLDescribeCol(m_statement.get(), column, name, sizeof(name), &nameLength, &type,
                                 &size, &decimals, &nullable),
                  SQL_HANDLE_STMT, m_statement.get(), "SQLDescribeCol");
        // The reported length, not the terminator, ends the name: a NUL inside it must stay
        // visible to the checks that keep such names out of statements.
        const auto length =
            std::clamp<std::size_t>(nameLength < 0 ? 0 : nameLength, 0, sizeof(name) - 1);
        m_columns.push_back(OdbcResultColumn{
            std::string(reinterpret_cast<const char*>(name), length), type, size, decimals});
    }
}

bool OdbcStatement::fetchRow(std::vector<FetchedValue>& row) {
    const SQLRETURN rc = SQLFetch(m_statement.get());
    if (rc == SQL_NO_DATA) return false;
    checkOdbc(rc, SQL_HANDLE_STMT, m_statement.get(), "SQLFetch");
    row.clear();
    row.reserve(m_columns.size());
    for (std::size_t i = 0; i < m_columns.size(); ++i)
        row.push_back(readValue(static_cast<SQLUSMALLINT>(i + 1), m_columns[i].sqlType));
    return true;
}

template <typename T>
bool OdbcStatement::readFixed(SQLUSMALLINT column, SQLSMALLINT cType, T& value) {
    SQLLEN indicator = 0;
    checkOdbc(SQLGetData(m_statement.get(), column, cType, &value, sizeof(value), &indicator),
              SQL_HANDLE_STMT, m_statement.get(), "SQLGetData");
    return indicator != SQL_NULL_DATA;
}

bool OdbcStatement::readPieces(SQLUSMALLINT column, SQLSMALLINT cType, std::string& bytes) {
    const std::size_t terminator =
        cType == SQL_C_CHAR ? 1 : (cType == SQL_C_WCHAR ? sizeof(SQLWCHAR) : 0);
    char piece[kPieceBytes];
    bytes.clear();
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc =
            SQLGetData(m_statement.get(), column, cType, piece, sizeof(piece), &indicator);
        if (rc == SQL_NO_DATA) return true;
        checkOdbc(rc, SQL_HANDLE_STMT, m_statement.get(), "SQLGetData");
        if (indicator == SQL_NULL_DATA) return false;
        const std::size_t room = sizeof(piece) - terminator;
        const bool whole = indicator != SQL_NO_TOTAL && static_cast<std::size_t>(indicator) <= room;
        bytes.append(piece, whole ? static_cast<std::size_t>(indicator) : room);
        if (rc == SQL_SUCCESS) return true;
    }
}

FetchedValue OdbcStatement::readDateTime(SQLUSMALLINT column, int sqlType) {
    FetchedValue value;
    try {
        if (sqlType == SQL_TIME || sqlType == SQL_TYPE_TIME) {
            SQL_TIME_STRUCT time{};
            if (!readFixed(column, SQL_C_TYPE_TIME, time)) return value;
            value.dateTime = makeIoDateTime(1899, 12, 30, time.hour, time.minute, time.second);
        } else {
            SQL_TIMESTAMP_STRUCT stamp{};
            if (!readFixed(column, SQL_C_TYPE_TIMESTAMP, stamp)) return value;
            value.dateTime = makeIoDateTime(stamp.year, stamp.month, stamp.day, stamp.hour,
                                            stamp.minute, stamp.second);
        }
    } catch (const OdbcFailure& failure) {
        // A value the driver cannot convert to a date is a date that is not valid.
        if (!isDataConversionState(failure.error())) throw;
        value.dateTime = IoDateTime{0.0, kIoDateTimeInvalid};
    }
    value.kind = FetchedValue::Kind::kDateTime;
    return value;
}

FetchedValue OdbcStatement::readDecimal(SQLUSMALLINT column) {
    FetchedValue value;
    if (!readPieces(column, SQL_C_CHAR, value.text)) return value;
    value.kind = FetchedValue::Kind::kDecimal;
    const char* begin = value.text.data();
    if (!value.text.empty() && *begin == '+') ++begin;
    std::from_chars(begin, value.text.data() + value.text.size(), value.number);
    return value;
}

FetchedValue OdbcStatement::readValue(SQLUSMALLINT column, int sqlType) {
    using Kind = FetchedValue::Kind;
    FetchedValue value;
    auto fixed = [&](auto holder, SQLSMALLINT cType, Kind kind) {
        if (!readFixed(column, cType, holder)) return;
        value.kind = kind;
        if constexpr (std::is_floating_point_v<decltype(holder)>) {
            value.number = holder;
        } else {
            value.integer = holder;
        }
    };
    switch (sqlType) {
        case SQL_BIT:
            fixed(SQLCHAR{}, SQL_C_BIT, Kind::kBoolean);
            return value;
        case SQL_TINYINT:
            fixed(SQLCHAR{}, SQL_C_UTINYINT, Kind::kUnsigned8);
            return value;
        case SQL_SMALLINT:
            fixed(SQLSMALLINT{}, SQL_C_SSHORT, Kind::kInteger16);
            return value;
        case SQL_INTEGER:
            fixed(SQLINTEGER{}, SQL_C_SLONG, Kind::kInteger32);
            return value;
        case SQL_BIGINT:
            fixed(SQLBIGINT{}, SQL_C_SBIGINT, Kind::kInteger64);
            return value;
        case SQL_REAL:
            fixed(SQLREAL{}, SQL_C_FLOAT, Kind::kSingle);
            return value;
        case SQL_FLOAT:
        case SQL_DOUBLE:
            fixed(SQLDOUBLE{}, SQL_C_DOUBLE, Kind::kDouble);
            return value;
        case SQL_DECIMAL:
        case SQL_NUMERIC:
            return readDecimal(column);
        case SQL_DATE:
        case SQL_TIME:
        case SQL_TIMESTAMP:
        case SQL_TYPE_DATE:
        case SQL_TYPE_TIME:
        case SQL_TYPE_TIMESTAMP:
            return readDateTime(column, sqlType);
        case SQL_BINARY:
        case SQL_VARBINARY:
        case SQL_LONGVARBINARY:
            if (readPieces(column, SQL_C_BINARY, value.text)) value.kind = Kind::kBinary;
            return value;
        case SQL_WCHAR:
        case SQL_WVARCHAR:
        case SQL_WLONGVARCHAR: {
            std::string bytes;
            if (!readPieces(column, SQL_C_WCHAR, bytes)) return value;
            std::u16string units(bytes.size() / sizeof(SQLWCHAR), u'\0');
            for (std::size_t i = 0; i < units.size(); ++i) {
                SQLWCHAR unit = 0;
                std::memcpy(&unit, bytes.data() + i * sizeof(SQLWCHAR), sizeof(unit));
                units[i] = static_cast<char16_t>(unit);
            }
            value.text = utf8FromUtf16(units);
            value.kind = Kind::kText;
            return value;
        }
        default:
            if (readPieces(column, SQL_C_CHAR, value.text)) value.kind = Kind::kText;
            return value;
    }
}
