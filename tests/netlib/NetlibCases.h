#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace netlib {

// One model read one way: straight from its .mps.gz file, or from an uncompressed copy.
struct NetlibCase {
    std::string path;  // empty when the folder held no models
    bool gunzipFirst = false;
    std::string absentReason;  // why path is empty
};

// Every *.mps.gz in folder, sorted, each once compressed and once uncompressed. When there
// is none, a single case with an empty path and the reason, so that the test can say so.
std::vector<NetlibCase> netlibCases(const std::string& folder);

// A test-name suffix: the model's name in letters, digits and '_', then "_gz" or "_plain".
std::string caseName(const NetlibCase& testCase);

// How GoogleTest shows a case: its file and how it is read.
void PrintTo(const NetlibCase& testCase, std::ostream* out);

}  // namespace netlib
