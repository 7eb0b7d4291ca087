#include "CellFromValue.h"

#include <limits>

#include "CIoBitCell.h"
#include "CIoDoubleCell.h"
#include "CIoFloatCell.h"
#include "CIoLongCell.h"
#include "CIoShortCell.h"
#include "CIoStrCell.h"
#include "CIoTimeStampCell.h"

namespace {

using Kind = FetchedValue::Kind;

// A 64-bit integer keeps every digit it can: a long cell when it fits, else a double cell,
// never an empty cell that would lose the value.
std::unique_ptr<CIoCell> cellFromInteger64(int64_t value) {
    if (value >= std::numeric_limits<int32_t>::min() &&
        value <= std::numeric_limits<int32_t>::max())
        return std::make_unique<CIoLongCell>(static_cast<int32_t>(value));
    return std::make_unique<CIoDoubleCell>(static_cast<double>(value));
}

// The cells that both paths make alike; null when the kind is path-specific or has no cell.
std::unique_ptr<CIoCell> commonCell(const FetchedValue& value) {
    switch (value.kind) {
        case Kind::kUnsigned8:
            return std::make_unique<CIoBitCell>(static_cast<char>(value.integer));
        case Kind::kInteger16:
            return std::make_unique<CIoShortCell>(static_cast<int16_t>(value.integer));
        case Kind::kInteger32:
            return std::make_unique<CIoLongCell>(static_cast<int32_t>(value.integer));
        case Kind::kInteger64:
            return cellFromInteger64(value.integer);
        case Kind::kSingle:
            return std::make_unique<CIoFloatCell>(static_cast<float>(value.number));
        case Kind::kDouble:
        case Kind::kCurrency:
        case Kind::kDecimal:
            return std::make_unique<CIoDoubleCell>(value.number);
        case Kind::kDateTime:
            return std::make_unique<CIoTimeStampCell>(value.dateTime);
        case Kind::kText:
            return std::make_unique<CIoStrCell>(value.text);
        default:
            return nullptr;
    }
}

std::unique_ptr<CIoCell> cellFromValue(const FetchedValue& value, int columnSqlType,
                                       int16_t trueValue) {
    if (value.kind == Kind::kBoolean)
        return std::make_unique<CIoShortCell>(value.integer != 0 ? trueValue : int16_t{0});
    std::unique_ptr<CIoCell> cell = commonCell(value);
    return cell ? std::move(cell) : makeEmptyCell(columnSqlType);
}

}  // namespace

std::unique_ptr<CIoCell> cellFromOdbcValue(const FetchedValue& value, int columnSqlType) {
    return cellFromValue(value, columnSqlType, 1);
}

std::unique_ptr<CIoCell> cellFromAdoValue(const FetchedValue& value, int columnSqlType) {
    // A true variant boolean is -1.
    return cellFromValue(value, columnSqlType, -1);
}
