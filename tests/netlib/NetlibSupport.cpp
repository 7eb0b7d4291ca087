#include "NetlibSupport.h"

#include <CoinMpsIO.hpp>
#include <CoinPackedMatrix.hpp>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <stdexcept>

#include "MatrixStore.h"

namespace netlib {

namespace {

constexpr double kInfinite = std::numeric_limits<double>::infinity();
constexpr std::string_view kSuffix = ".mps.gz";

std::string text(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

// A name without its blanks, since CoinUtils drops the blanks inside fixed-format names.
std::string nameKey(std::string_view name) {
    std::string key(name);
    key.erase(std::remove(key.begin(), key.end(), ' '), key.end());
    return key;
}

// Every magnitude from 1e20 up is an infinity: our 1e20 and CoinUtils' larger one agree.
double normaliseInfinity(double value) {
    if (value >= orbxmps::kInfinity) return kInfinite;
    return value <= -orbxmps::kInfinity ? -kInfinite : value;
}

void setBounds(ComparableModel& model, const std::string& key, double lower, double upper) {
    model.set(key + " lower", normaliseInfinity(lower));
    model.figures[key + " upper"] = normaliseInfinity(upper);
}

// The activity bounds of a row from its type code, right-hand side and range as the file
// gives them. A zero range counts as no range: our library cannot tell the two apart.
void setRowBounds(ComparableModel& model, const std::string& key, std::int16_t typeCode, double rhs,
                  double range) {
    const double width = std::fabs(range);
    if (typeCode == orbxmps::kRowEqual)
        setBounds(model, key, range < 0 ? rhs - width : rhs, range > 0 ? rhs + width : rhs);
    if (typeCode == orbxmps::kRowLessEqual)
        setBounds(model, key, range != 0 ? rhs - width : -kInfinite, rhs);
    if (typeCode == orbxmps::kRowGreaterEqual)
        setBounds(model, key, rhs, range != 0 ? rhs + width : kInfinite);
}

}  // namespace

void ComparableModel::set(const std::string& key, double value) {
    if (!figures.try_emplace(key, value).second) keyClashes.push_back("repeated key " + key);
}

bool sameValue(double a, double b) {
    if (a == b) return true;
    if (!std::isfinite(a) || !std::isfinite(b)) return false;
    return std::fabs(a - b) <=
           2 * std::numeric_limits<double>::epsilon() * std::fmax(std::fabs(a), std::fabs(b));
}

std::vector<std::string> differences(const ComparableModel& expected, const ComparableModel& actual,
                                     std::size_t maxReported) {
    std::vector<std::string> lines;
    for (const std::string& clash : expected.keyClashes) lines.push_back("expected: " + clash);
    for (const std::string& clash : actual.keyClashes) lines.push_back("actual: " + clash);
    for (const auto& [key, value] : expected.figures) {
        const auto found = actual.figures.find(key);
        if (found == actual.figures.end())
            lines.push_back(key + " missing");
        else if (!sameValue(value, found->second))
            lines.push_back(key + ": expected " + text(value) + ", got " + text(found->second));
    }
    for (const auto& [key, value] : actual.figures)
        if (!expected.figures.contains(key)) lines.push_back(key + " unexpected");
    if (lines.size() > maxReported) {
        const std::size_t more = lines.size() - maxReported;
        lines.resize(maxReported);
        lines.push_back("... and " + std::to_string(more) + " more");
    }
    return lines;
}

ComparableModel fromStore(const orbxmps::MatrixStore& store) {
    ComparableModel model;
    const std::int64_t objective = store.objectiveRow;
    model.figures["objective constant"] =
        objective >= 0 ? normaliseInfinity(store.rhs[objective]) : 0.0;
    std::vector<std::string> rowKeys(store.rowCount());
    for (std::size_t row = 0; row < store.rowCount(); ++row) {
        rowKeys[row] = "row " + nameKey(store.rowNames.name(row));
        if (store.rowType[row] != orbxmps::kRowFree)
            setRowBounds(model, rowKeys[row], store.rowType[row], store.rhs[row], store.range[row]);
    }
    for (std::size_t column = 0; column < store.columnCount(); ++column) {
        const std::string key = "column " + nameKey(store.columnNames.name(column));
        setBounds(model, key, store.lower[column], store.upper[column]);
        model.figures[key + " objective"] = 0.0;
        for (std::uint32_t e = store.columnStart[column]; e < store.columnStart[column + 1]; ++e) {
            const std::uint32_t row = store.elementRow[e];
            const double value = normaliseInfinity(store.elementValue[e]);
            if (row == objective)
                model.figures[key + " objective"] = value;
            else if (store.rowType[row] != orbxmps::kRowFree && value != 0.0)
                model.set(key + " " + rowKeys[row], value);
        }
    }
    return model;
}

ComparableModel readWithCoinUtils(const std::string& path) {
    CoinMpsIO reader;
    reader.messageHandler()->setLogLevel(0);
    if (const int errors = reader.readMps(path.c_str(), ""); errors != 0)
        throw std::runtime_error("CoinUtils reports " + std::to_string(errors) +
                                 " errors reading " + path);
    ComparableModel model;
    model.figures["objective constant"] = reader.objectiveOffset();
    for (int row = 0; row < reader.getNumRows(); ++row)
        setBounds(model, "row " + nameKey(reader.rowName(row)), reader.getRowLower()[row],
                  reader.getRowUpper()[row]);
    const CoinPackedMatrix& matrix = *reader.getMatrixByCol();
    for (int column = 0; column < reader.getNumCols(); ++column) {
        const std::string key = "column " + nameKey(reader.columnName(column));
        setBounds(model, key, reader.getColLower()[column], reader.getColUpper()[column]);
        model.figures[key + " objective"] = normaliseInfinity(reader.getObjCoefficients()[column]);
        const CoinBigIndex begin = matrix.getVectorStarts()[column];
        for (CoinBigIndex k = begin; k < begin + matrix.getVectorLengths()[column]; ++k)
            model.set(key + " row " + nameKey(reader.rowName(matrix.getIndices()[k])),
                      normaliseInfinity(matrix.getElements()[k]));
    }
    return model;
}

std::vector<NetlibCase> netlibCases(const std::string& folder) {
    std::error_code error;
    std::vector<std::string> models;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name.size() > kSuffix.size() && name.ends_with(kSuffix))
            models.push_back(entry.path().string());
    }
    if (models.empty())
        return {{"", false, error ? folder + ": " + error.message() : "no models in " + folder}};
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
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name + (testCase.gunzipFirst ? "_plain" : "_gz");
}

void PrintTo(const NetlibCase& testCase, std::ostream* out) {
    const char* how = testCase.gunzipFirst ? " (uncompressed first)" : " (gzip)";
    *out << (testCase.path.empty() ? testCase.absentReason : testCase.path + how);
}

}  // namespace netlib
