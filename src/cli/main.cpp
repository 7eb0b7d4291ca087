// norva-inspect: opens a matrix (with the results database's solution, and optionally a KNLP
// solution) through the same document as the desktop program, without a window, and writes
// what was loaded, or the listing of one row or column, for scripts and tests; or makes one
// request to the data-table layer.

#include <chrono>
#include <cstdio>
#include <exception>
#include <string>

#include "AnalysisCommand.h"
#include "AppFlags.h"
#include "AuditCommand.h"
#include "CNorvaDoc.h"
#include "CaseRoute.h"
#include "CommandLine.h"
#include "DetailCommand.h"
#include "DocumentOpening.h"
#include "DumpWriter.h"
#include "FilterCommand.h"
#include "FindCommand.h"
#include "HeadlessUserInterface.h"
#include "OutputBuffer.h"
#include "StatsWriter.h"
#include "TableRequest.h"
#include "orbxmps.h"

namespace {

constexpr int kExitDone = 0;
constexpr int kExitFileFailed = 1;
constexpr int kExitUsage = 2;

int finishOutput(OutputBuffer& out) {
    if (out.flush()) return kExitDone;
    std::fprintf(stderr, "norva-inspect: could not write the output\n");
    return kExitFileFailed;
}

int runDump(CNorvaDoc& doc) {
    OutputBuffer out(stdout);
    writeDump(doc.model(), doc.primal(), out);
    return finishOutput(out);
}

int runWriteOrb(CNorvaDoc& doc, const std::string& outputPath) {
    if (doc.matrixObject() == nullptr) {
        std::fprintf(stderr, "norva-inspect: the document holds no matrix object to write\n");
        return kExitFileFailed;
    }
    try {
        doc.matrixObject()->saveToFile(outputPath);
    } catch (orbxmps::ORB_Exception& error) {
        error.HandleExcp();
        std::fprintf(stderr, "norva-inspect: could not write %s: %s\n", outputPath.c_str(),
                     error.what());
        return kExitFileFailed;
    }
    return kExitDone;
}

// The results-database choice of the command line, in place of the options the desktop
// program would have read.
void applyDatabaseOptions(const CommandLine& arguments, CNorvaDoc& doc) {
    if (!arguments.databaseType.empty()) doc.settings().DatabaseType = arguments.databaseType;
    if (!arguments.accessDatabase.empty())
        doc.settings().AccessDatabaseName = arguments.accessDatabase;
    doc.SettingsChanged();
    doc.databaseSettings().sqlServerConnectionString = arguments.connection;
}

int run(const CommandLine& arguments) {
    HeadlessUserInterface ui(stderr);
    AppFlags flags;
    CNorvaDoc doc(ui, flags, nullptr);
    applyDatabaseOptions(arguments, doc);
    const CaseRoute caseRoute(arguments.matrixPath, arguments.loomProcess, doc);
    if (!caseRoute.failure().empty()) {
        std::fprintf(stderr, "norva-inspect: %s\n", caseRoute.failure().c_str());
        return kExitFileFailed;
    }
    const auto start = std::chrono::steady_clock::now();
    if (!openMatrixFile(doc, flags, ui, arguments.matrixPath, stderr)) return kExitFileFailed;
    const std::chrono::duration<double> loadTime = std::chrono::steady_clock::now() - start;
    if (!arguments.solutionPath.empty() &&
        !openSolutionFile(doc, flags, ui, arguments.solutionPath, stderr))
        return kExitFileFailed;

    switch (arguments.command) {
        case InspectCommand::kDump:
            return runDump(doc);
        case InspectCommand::kStats: {
            OutputBuffer out(stdout);
            writeStats(collectStats(doc.model(), doc.matrixObject()), loadTime.count(), out);
            return finishOutput(out);
        }
        case InspectCommand::kWriteOrb:
            return runWriteOrb(doc, arguments.orbOutputPath);
        case InspectCommand::kRow:
        case InspectCommand::kCol:
            return runDetailCommand(doc, arguments, stdout, stderr);
        case InspectCommand::kFilter:
            return runFilterCommand(doc, arguments, stdout, stderr);
        case InspectCommand::kFind:
            return runFindCommand(doc, arguments, stdout, stderr);
        default:
            return kExitUsage;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (isAnalysisCommand(argc, argv)) return runAnalysisCommand(argc, argv, stdout, stderr);
    if (isAuditCommand(argc, argv)) return runAuditCommand(argc, argv);
    const CommandLine arguments = parseCommandLine(argc, argv);
    if (arguments.command == InspectCommand::kHelp) {
        std::fputs(kInspectUsage, stdout);
        std::fputs(kAuditUsage, stdout);
        return kExitDone;
    }
    if (arguments.command == InspectCommand::kNone) {
        // One line: the whole usage would bury the mistake.
        std::fprintf(stderr, "norva-inspect: %s (see norva-inspect --help)\n",
                     arguments.error.c_str());
        return kExitUsage;
    }
    try {
        if (arguments.command == InspectCommand::kTable)
            return runTableRequest(arguments.table, stdout, stderr);
        return run(arguments);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "norva-inspect: %s\n", error.what());
        return kExitFileFailed;
    }
}
