#pragma once

#include <memory>

#include "CIoCell.h"
#include "FetchedValue.h"

// The cell for a fetched value on the ODBC path (kinds 8 and 2): its class follows the kind
// of value the driver returned; a NULL or binary value gives an empty cell of the class that
// belongs to the column's ODBC type code.
std::unique_ptr<CIoCell> cellFromOdbcValue(const FetchedValue& value, int columnSqlType);

// The cell for a fetched value on the ADO path (kind 10), by the value's variant type.
std::unique_ptr<CIoCell> cellFromAdoValue(const FetchedValue& value, int columnSqlType);
