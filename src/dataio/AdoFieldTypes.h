#pragma once

#include <optional>

// ADO field type numbers (DataTypeEnum) that the ADO backend meets.
namespace adotype {
inline constexpr int kSmallInt = 2;
inline constexpr int kInteger = 3;
inline constexpr int kSingle = 4;
inline constexpr int kDouble = 5;
inline constexpr int kCurrency = 6;
inline constexpr int kDate = 7;
inline constexpr int kBstr = 8;
inline constexpr int kBoolean = 11;
inline constexpr int kDecimal = 14;
inline constexpr int kTinyInt = 16;
inline constexpr int kUnsignedTinyInt = 17;
inline constexpr int kUnsignedInt = 19;
inline constexpr int kBigInt = 20;
inline constexpr int kUnsignedBigInt = 21;
inline constexpr int kGuid = 72;
inline constexpr int kBinary = 128;
inline constexpr int kChar = 129;
inline constexpr int kWChar = 130;
inline constexpr int kNumeric = 131;
inline constexpr int kDbDate = 133;
inline constexpr int kDbTime = 134;
inline constexpr int kDbTimeStamp = 135;
inline constexpr int kVarChar = 200;
inline constexpr int kLongVarChar = 201;
inline constexpr int kVarWChar = 202;
inline constexpr int kLongVarWChar = 203;
inline constexpr int kVarBinary = 204;
inline constexpr int kLongVarBinary = 205;
inline constexpr int kEmpty = 0;
}  // namespace adotype

// The ADO field type under which an ODBC-backed ADO provider reports a column of an ODBC
// SQL type (ODBC 2 or 3 codes); kEmpty for a type it has no field type for.
int adoFieldTypeForOdbc(int odbcSqlType);

// What the ADO backend makes of a field type: the column's ODBC type code and whether its
// key values are written quoted; nothing for a type whose column is left out.
struct AdoColumnType {
    int sqlType;
    bool quoted;
};
std::optional<AdoColumnType> adoColumnType(int adoFieldType);
