#include "AdoFieldTypes.h"

#include <sql.h>
#include <sqlext.h>

int adoFieldTypeForOdbc(int odbcSqlType) {
    using namespace adotype;
    switch (odbcSqlType) {
        case SQL_BIT:
            return kBoolean;
        case SQL_TINYINT:
            return kUnsignedTinyInt;
        case SQL_SMALLINT:
            return kSmallInt;
        case SQL_INTEGER:
            return kInteger;
        case SQL_BIGINT:
            return kBigInt;
        case SQL_REAL:
            return kSingle;
        case SQL_FLOAT:
        case SQL_DOUBLE:
            return kDouble;
        case SQL_DECIMAL:
        case SQL_NUMERIC:
            return kNumeric;
        case SQL_DATE:
        case SQL_TYPE_DATE:
            return kDbDate;
        case SQL_TIME:
        case SQL_TYPE_TIME:
            return kDbTime;
        case SQL_TIMESTAMP:
        case SQL_TYPE_TIMESTAMP:
            return kDbTimeStamp;
        case SQL_CHAR:
            return kChar;
        case SQL_VARCHAR:
            return kVarChar;
        case SQL_LONGVARCHAR:
            return kLongVarChar;
        case SQL_WCHAR:
            return kWChar;
        case SQL_WVARCHAR:
            return kVarWChar;
        case SQL_WLONGVARCHAR:
            return kLongVarWChar;
        case SQL_GUID:
            return kGuid;
        case SQL_BINARY:
            return kBinary;
        case SQL_VARBINARY:
            return kVarBinary;
        case SQL_LONGVARBINARY:
            return kLongVarBinary;
        default:
            return kEmpty;
    }
}

std::optional<AdoColumnType> adoColumnType(int adoFieldType) {
    using namespace adotype;
    switch (adoFieldType) {
        case kSmallInt:
        case kInteger:
        case kUnsignedInt:
            return AdoColumnType{5, false};
        case kBigInt:
        case kUnsignedBigInt:
            return AdoColumnType{4, false};
        case kSingle:
            return AdoColumnType{7, false};
        case kDouble:
            return AdoColumnType{8, false};
        case kCurrency:
        case kDecimal:
            return AdoColumnType{3, false};
        case kDate:
        case kDbDate:
        case kDbTime:
        case kDbTimeStamp:
            return AdoColumnType{11, true};
        case kBstr:
        case kChar:
        case kWChar:
        case kVarChar:
        case kLongVarChar:
        case kVarWChar:
        case kLongVarWChar:
            return AdoColumnType{1, true};
        case kBoolean:
            return AdoColumnType{-7, false};
        case kTinyInt:
        case kUnsignedTinyInt:
            return AdoColumnType{-6, false};
        default:
            return std::nullopt;
    }
}
