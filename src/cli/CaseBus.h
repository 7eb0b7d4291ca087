#pragma once

#include <string>

#include "ILoomConnection.h"

// What norva-inspect needs of the session bus to open a ".cas" file. Its implementation lives
// in a module loaded only then, so that the other runs do not carry the bus libraries.
class ICaseBus {
public:
    virtual ~ICaseBus() = default;
    virtual ILoomConnector& connector() = 0;
    // The desktop program's stored process name, empty when none is stored.
    virtual std::string storedProcessName() = 0;
};

// The module's one entry point; the caller owns the result.
using CreateCaseBusFunction = ICaseBus* (*)();
inline constexpr char kCreateCaseBusSymbol[] = "norvaCreateCaseBus";
inline constexpr char kCaseBusModuleName[] = "norva-inspect-cas.so";
