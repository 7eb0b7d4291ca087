#include "NetlibCases.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace netlib {

namespace {

constexpr std::string_view kSuffix = ".mps.gz";

bool isModel(const std::filesystem::directory_entry& entry) {
    const std::string name = entry.path().filename().string();
    return entry.is_regular_file() && name.size() > kSuffix.size() && name.ends_with(kSuffix);
}

}  // namespace

std::vector<NetlibCase> netlibCases(const std::string& folder) {
    std::error_code error;
    std::vector<std::string> models;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (isModel(entry)) models.push_back(entry.path().string());
    }
    if (models.empty()) {
        return {{"", false, error ? folder + ": " + error.message() : "no models in " + folder}};
    }
    std::sort(models.begin(), models.end());
    std::vector<NetlibCase> cases;
    for (const std::string& model : models) {
        cases.push_back({model, false, ""});
        cases.push_back({model, true, ""});
    }
    return cases;
}

std::string caseName(const NetlibCase& testCase) {
    if (testCase.path.empty()) return "no_models";
    std::string name = std::filesystem::path(testCase.path).filename().string();
    name.resize(name.size() - kSuffix.size());
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name + (testCase.gunzipFirst ? "_plain" : "_gz");
}

void PrintTo(const NetlibCase& testCase, std::ostream* out) {
    if (testCase.path.empty()) {
        *out << testCase.absentReason;
    } else {
        *out << testCase.path << (testCase.gunzipFirst ? " (uncompressed first)" : " (gzip)");
    }
}

}  // namespace netlib
