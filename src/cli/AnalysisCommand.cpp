#include "AnalysisCommand.h"

#include <charconv>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "AnalysisWriters.h"
#include "AppFlags.h"
#include "CNorvaDoc.h"
#include "CaseRoute.h"
#include "DocumentOpening.h"
#include "HeadlessUserInterface.h"
#include "MagnitudeHistogram.h"
#include "ScalingReport.h"

const char* const kAnalysisUsage =
    "usage: norva-inspect --scaling [--top N] [--attention X] [--bad X] [--json] FILE\n"
    "       norva-inspect --histogram [--json] FILE\n"
    "--scaling ranks rows, columns and row blocks (names without their trailing digits and\n"
    "separators) by the ratio of their largest to smallest |a|, N of each (default 20), and\n"
    "gives the matrix's ratio before and after geometric-mean scaling; ratios from X on are\n"
    "marked \"attention\" (default 1e6) or \"bad\" (default 1e9). --histogram counts the\n"
    "coefficients, right-hand sides and finite bounds per decade of |v|.\n";

namespace {

constexpr int kExitDone = 0;
constexpr int kExitFileFailed = 1;
constexpr int kExitUsage = 2;
constexpr std::size_t kDefaultTop = 20;

struct AnalysisArguments {
    bool scaling = false;
    bool histogram = false;
    bool json = false;
    std::size_t top = kDefaultTop;
    bool topGiven = false;
    ScalingThresholds thresholds;
    bool thresholdGiven = false;
    std::optional<std::string> loomProcess;
    std::string matrixPath;
    std::string error;
};

bool parsePositive(std::string_view text, double& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value > 0.0 &&
           value <= 1e300;
}

bool parseCount(std::string_view text, std::size_t& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value > 0;
}

class AnalysisParser {
public:
    explicit AnalysisParser(AnalysisArguments& result) : m_result(result) {}

    // False, with the reason in the result, at the first unusable argument; value is the
    // following argument or null, and usedValue says whether it was taken.
    bool take(std::string_view argument, const char* value, bool& usedValue) {
        usedValue = false;
        if (argument.empty()) return fail("an empty file name");
        if (argument[0] != '-') return takeFile(argument);
        if (argument == "--scaling") return once(m_result.scaling, argument);
        if (argument == "--histogram") return once(m_result.histogram, argument);
        if (argument == "--json") return once(m_result.json, argument);
        usedValue = true;
        if (value == nullptr) return fail(std::string(argument) + " needs a value");
        if (argument == "--top") {
            m_result.topGiven = true;
            return parseCount(value, m_result.top) ||
                   fail("--top needs a whole number from 1 on: " + std::string(value));
        }
        if (argument == "--attention" || argument == "--bad") {
            m_result.thresholdGiven = true;
            double& target =
                argument == "--bad" ? m_result.thresholds.bad : m_result.thresholds.attention;
            return parsePositive(value, target) ||
                   fail(std::string(argument) + " needs a number above 0: " + value);
        }
        if (argument == "--loom-process") {
            m_result.loomProcess = value;
            return true;
        }
        return fail("unknown option " + std::string(argument) +
                    " (--scaling and --histogram go alone)");
    }

    bool finish() {
        if (m_result.scaling && m_result.histogram)
            return fail("only one of --scaling and --histogram may be given");
        if (m_result.histogram && (m_result.topGiven || m_result.thresholdGiven))
            return fail("--top, --attention and --bad go with --scaling");
        if (m_result.json && m_result.thresholdGiven)
            return fail("--attention and --bad mark the text report, not --json");
        if (m_result.matrixPath.empty()) return fail("no matrix file given");
        return true;
    }

private:
    bool once(bool& flag, std::string_view argument) {
        if (flag) return fail(std::string(argument) + " is given twice");
        flag = true;
        return true;
    }

    bool takeFile(std::string_view argument) {
        if (!m_result.matrixPath.empty())
            return fail("more than one matrix file: " + std::string(argument));
        m_result.matrixPath = argument;
        return true;
    }

    bool fail(std::string reason) {
        m_result.error = std::move(reason);
        return false;
    }

    AnalysisArguments& m_result;
};

AnalysisArguments parseAnalysisArguments(int argc, const char* const* argv) {
    AnalysisArguments result;
    AnalysisParser parser(result);
    for (int i = 1; i < argc; ++i) {
        bool usedValue = false;
        if (!parser.take(argv[i], i + 1 < argc ? argv[i + 1] : nullptr, usedValue)) return result;
        if (usedValue) ++i;
    }
    parser.finish();
    return result;
}

std::string analysisOutput(const AnalysisArguments& arguments, const MatrixModel& model) {
    if (arguments.histogram) {
        const MagnitudeHistogram histogram = computeHistogram(model);
        return arguments.json ? histogramJson(histogram) : histogramText(histogram);
    }
    const ScalingReport report = computeScalingReport(model);
    return arguments.json ? scalingReportJson(report, arguments.top)
                          : scalingReportText(report, arguments.top, arguments.thresholds);
}

}  // namespace

bool isAnalysisCommand(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--scaling" || argument == "--histogram") return true;
    }
    return false;
}

int runAnalysisCommand(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    const AnalysisArguments arguments = parseAnalysisArguments(argc, argv);
    if (!arguments.error.empty()) {
        std::fprintf(err, "norva-inspect: %s\n%s", arguments.error.c_str(), kAnalysisUsage);
        return kExitUsage;
    }
    HeadlessUserInterface ui(err);
    AppFlags flags;
    CNorvaDoc doc(ui, flags, nullptr);
    const CaseRoute caseRoute(arguments.matrixPath, arguments.loomProcess, doc);
    if (!caseRoute.failure().empty()) {
        std::fprintf(err, "norva-inspect: %s\n", caseRoute.failure().c_str());
        return kExitFileFailed;
    }
    if (!openMatrixFile(doc, flags, ui, arguments.matrixPath, err)) return kExitFileFailed;
    const std::string text = analysisOutput(arguments, doc.model());
    if (std::fwrite(text.data(), 1, text.size(), out) != text.size() || std::fflush(out) != 0) {
        std::fprintf(err, "norva-inspect: could not write the output\n");
        return kExitFileFailed;
    }
    return kExitDone;
}
