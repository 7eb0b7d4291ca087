#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace orbxmps {
struct MatrixStore;
}

namespace netlib {

// What two MPS readers must agree on, in a form neither reader uses itself: figures keyed by
// what they belong to and which they are ("row R1 upper", "column X1 row R1", "objective
// constant"), infinities as IEEE infinities. Free rows other than the objective and explicit
// zero coefficients are left out, because CoinUtils discards both while reading.
struct ComparableModel {
    std::map<std::string, double> figures;
    // Names that could not be keyed apart; a model with any cannot be compared.
    std::vector<std::string> keyClashes;

    void set(const std::string& key, double value);
};

// Equal to within two units in the last place: CoinUtils' decimal parser is not correctly
// rounded and is off by one unit on some netlib values.
bool sameValue(double a, double b);

// One line per difference, expected values first; at most maxReported, then a count of the rest.
std::vector<std::string> differences(const ComparableModel& expected, const ComparableModel& actual,
                                     std::size_t maxReported);

ComparableModel fromStore(const orbxmps::MatrixStore& store);

// CoinUtils' reading of a plain or gzip MPS file, the independent opinion ours is checked
// against. Throws std::runtime_error when that reader reports errors.
ComparableModel readWithCoinUtils(const std::string& path);

// One model read one way: straight from its .mps.gz file, or from an uncompressed copy.
struct NetlibCase {
    std::string path;  // empty when the folder held no models
    bool gunzipFirst = false;
    std::string absentReason;  // why path is empty
};

// Every *.mps.gz in folder, sorted, each once compressed and once not; when there is none,
// a single case with an empty path and the reason, so that the test can say so.
std::vector<NetlibCase> netlibCases(const std::string& folder);

// A test-name suffix: the model's name in letters, digits and '_', then "_gz" or "_plain".
std::string caseName(const NetlibCase& testCase);
void PrintTo(const NetlibCase& testCase, std::ostream* out);

}  // namespace netlib
