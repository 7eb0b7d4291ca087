#include "DbfColumnChecks.h"

#include "DataMessages.h"

namespace {

enum class TypeClass { kFixedSize, kText, kFloating, kUnknown };

TypeClass classOf(int sqlType) {
    switch (sqlType) {
        case -7:  // BIT
        case -6:  // TINYINT
        case 4:   // INTEGER
        case 5:   // SMALLINT
        case 9:   // DATE
        case 11:  // TIMESTAMP
            return TypeClass::kFixedSize;
        case -1:  // LONGVARCHAR
        case 1:   // CHAR
        case 10:  // TIME
        case 12:  // VARCHAR
            return TypeClass::kText;
        case 6:  // FLOAT
        case 7:  // REAL
        case 8:  // DOUBLE
            return TypeClass::kFloating;
        default:  // NUMERIC and DECIMAL included
            return TypeClass::kUnknown;
    }
}

bool checkColumn(const ColumnDescription& column, TableReporter& reporter) {
    if (column.name.size() > kDbfMaxColumnName) {
        reporter.error(datamsg::format(datamsg::kColumnNameTooLong, column.name));
        return false;
    }
    if (column.name.empty()) {
        reporter.error(datamsg::text(datamsg::kZeroLengthColumnName));
        return false;
    }
    switch (classOf(column.sqlType)) {
        case TypeClass::kFixedSize:
            return true;
        case TypeClass::kText:
            if (column.width <= kDbfMaxTextWidth) return true;
            reporter.error(datamsg::format(datamsg::kColumnTooWide, column.name));
            return false;
        case TypeClass::kFloating:
            if (column.decimals < column.width) return true;
            reporter.error(datamsg::format(datamsg::kTooManyDecimals, column.name));
            return false;
        case TypeClass::kUnknown:
            break;
    }
    reporter.error(datamsg::text(datamsg::kUnknownSqlType));
    return false;
}

}  // namespace

bool checkDbfColumns(const ColumnDescriptionList& columns, TableReporter& reporter) {
    for (const ColumnDescription& column : columns) {
        if (!checkColumn(column, reporter)) return false;
    }
    return true;
}
