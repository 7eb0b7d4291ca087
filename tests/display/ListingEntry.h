#pragma once

#include <string_view>

#include "CNorvaRow.h"

// An entry of a hand-made detail content; names are literals, which entries only view.
inline CNorvaRow listingEntry(std::string_view name, double coefficient, double counterpart,
                              double calculated) {
    CNorvaRow made;
    made.name = name;
    made.coefficient = coefficient;
    made.counterpartValue = counterpart;
    made.calculatedValue = calculated;
    return made;
}
