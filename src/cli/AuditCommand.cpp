#include "AuditCommand.h"

#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "AppFlags.h"
#include "AuditArguments.h"
#include "CNorvaDoc.h"
#include "CheckReportWriter.h"
#include "CompareReportWriter.h"
#include "DocumentOpening.h"
#include "HeadlessUserInterface.h"
#include "LibraryFacts.h"
#include "ModelCompare.h"
#include "SolutionCheck.h"

const char* const kAuditUsage =
    "usage: norva-inspect --check [--json] [--abs-tol Y] [--rel-tol X] [--limit N] FILE\n"
    "                     [--solution KNLP_FILE]\n"
    "       norva-inspect --compare [--json] [--abs-tol Y] [--rel-tol X] [--limit N] A B\n"
    "                     [--solution-a KNLP_FILE] [--solution-b KNLP_FILE]\n"
    "Values agree when they differ by at most Y + X * magnitude (defaults 1e-9 and 1e-6);\n"
    "the N largest findings of each kind are listed (default 20). Exit status: 0 nothing\n"
    "beyond the tolerances, 1 something, 2 a file could not be read, --check found no\n"
    "solution, or bad usage.\n";

namespace {

constexpr int kExitSame = 0;
constexpr int kExitDiffers = 1;
constexpr int kExitTrouble = 2;

// One opened matrix with its solution: the results database's for a results-named file, or
// the KNLP file given.
struct OpenedModel {
    HeadlessUserInterface ui{stderr};
    AppFlags flags;
    CNorvaDoc doc{ui, flags, nullptr};
};

bool open(OpenedModel& opened, const std::string& matrix, const std::string& solution) {
    if (!openMatrixFile(opened.doc, opened.flags, opened.ui, matrix, stderr)) return false;
    return solution.empty() ||
           openSolutionFile(opened.doc, opened.flags, opened.ui, solution, stderr);
}

int emit(const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
        std::fflush(stdout) != 0) {
        std::fprintf(stderr, "norva-inspect: could not write the output\n");
        return kExitTrouble;
    }
    return kExitSame;
}

int runCheck(const AuditArguments& arguments) {
    auto opened = std::make_unique<OpenedModel>();
    if (!open(*opened, arguments.files[0], arguments.solutions[0])) return kExitTrouble;
    CNorvaDoc& doc = opened->doc;
    if (doc.primal().rows.empty() && doc.primal().columns.empty()) {
        std::fprintf(stderr, "norva-inspect: %s has no solution to check\n",
                     arguments.files[0].c_str());
        return kExitTrouble;
    }
    CheckOptions options;
    options.tolerances = arguments.tolerances;
    options.keep = arguments.limit;
    options.maximise = objectiveMaximised(doc.matrixObject());
    options.nonlinearRows = nonlinearRowsOf(doc.matrixObject(), doc.model().rowNameTable.size());
    const CheckReport report = checkSolution(doc.model(), doc.primal(), options);
    const std::string& file = arguments.files[0];
    const int written =
        emit(arguments.json ? checkReportJson(report, file) : checkReportText(report, file));
    if (written != kExitSame) return written;
    return report.violationCount() == 0 ? kExitSame : kExitDiffers;
}

int runCompare(const AuditArguments& arguments) {
    auto a = std::make_unique<OpenedModel>();
    auto b = std::make_unique<OpenedModel>();
    if (!open(*a, arguments.files[0], arguments.solutions[0]) ||
        !open(*b, arguments.files[1], arguments.solutions[1]))
        return kExitTrouble;
    CompareOptions options;
    options.tolerances = arguments.tolerances;
    options.keep = arguments.limit;
    const CompareReport report = compareModels({a->doc.model(), a->doc.primal()},
                                               {b->doc.model(), b->doc.primal()}, options);
    const std::string& fileA = arguments.files[0];
    const std::string& fileB = arguments.files[1];
    const int written = emit(arguments.json ? compareReportJson(report, fileA, fileB)
                                            : compareReportText(report, fileA, fileB));
    if (written != kExitSame) return written;
    return report.differenceCount() == 0 ? kExitSame : kExitDiffers;
}

bool auditOptionTakesValue(std::string_view argument) {
    for (const char* option :
         {"--abs-tol", "--rel-tol", "--limit", "--solution", "--solution-a", "--solution-b"})
        if (argument == option) return true;
    return false;
}

}  // namespace

// The command word decides, unless an option of another command comes first: in
// "--find --check FILE" the text searched for is "--check".
bool isAuditCommand(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--check" || argument == "--compare") return true;
        if (argument == "--json" || argument.empty() || argument[0] != '-') continue;
        if (!auditOptionTakesValue(argument)) return false;
        ++i;
    }
    return false;
}

int runAuditCommand(int argc, const char* const* argv) {
    const AuditArguments arguments = parseAuditArguments(argc, argv);
    if (!arguments.error.empty()) {
        std::fprintf(stderr, "norva-inspect: %s\n%s", arguments.error.c_str(), kAuditUsage);
        return kExitTrouble;
    }
    try {
        return arguments.compare ? runCompare(arguments) : runCheck(arguments);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "norva-inspect: %s\n", error.what());
        return kExitTrouble;
    }
}
