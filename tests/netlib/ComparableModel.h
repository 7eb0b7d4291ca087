#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace netlib {

struct Interval {
    double lower = 0.0;
    double upper = 0.0;
};

// What two MPS readers must agree on, in a form neither reader uses itself: constraint rows
// and columns keyed by name, infinities as IEEE infinities, the objective apart from the
// constraints. Free rows other than the objective and explicit zero coefficients are left
// out, because CoinUtils discards both while reading.
struct ComparableModel {
    struct Column {
        Interval bounds;
        double objective = 0.0;
        std::map<std::string, double> coefficients;  // by row key
    };

    std::map<std::string, Interval> rows;
    std::map<std::string, Column> columns;
    std::size_t coefficientCount = 0;
    double objectiveConstant = 0.0;
    // Names that could not be keyed apart; a model with any cannot be compared.
    std::vector<std::string> keyClashes;
};

// The key of a row or column name: the name without blanks, since CoinUtils drops the
// blanks inside fixed-format names.
std::string nameKey(std::string_view name);

// Maps every magnitude from 1e20 up to an infinity, so that our 1e20 and CoinUtils' larger
// infinity compare equal.
double normaliseInfinity(double value);

// The activity bounds of a row from its type code, right-hand side and range as the file
// gives them. A zero range counts as no range: our library cannot tell the two apart.
Interval rowBounds(std::int16_t typeCode, double rhs, double range);

// True when a and b are equal to within two units in the last place: CoinUtils' decimal
// parser is not correctly rounded and is off by one unit on some netlib values.
bool sameValue(double a, double b);

// The differences between the models, one line each, expected values first; at most
// maxReported lines, then a line counting the rest.
std::vector<std::string> differences(const ComparableModel& expected, const ComparableModel& actual,
                                     std::size_t maxReported);

}  // namespace netlib
