#pragma once

#include <cstdint>
#include <string>

#include "IoDateTime.h"

// One field's value as the driver handed it over, before a cell is chosen for it. The kinds
// follow what the framework's record set and ADO variants distinguish.
struct FetchedValue {
    enum class Kind {
        kNull,
        kBoolean,
        kUnsigned8,
        kInteger16,
        kInteger32,
        kInteger64,
        kSingle,
        kDouble,
        kCurrency,  // number holds the amount
        kDecimal,   // text holds the exact decimal digits, number the nearest double
        kDateTime,
        kText,
        kBinary,
    };

    Kind kind = Kind::kNull;
    int64_t integer = 0;  // boolean, 8-, 16-, 32- and 64-bit integers
    double number = 0.0;  // single, double, currency, decimal
    IoDateTime dateTime;
    std::string text;
};
