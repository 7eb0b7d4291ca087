#include "CommandLine.h"

#include <string_view>
#include <utility>

const char* const kInspectUsage =
    "usage: norva-inspect --dump FILE [--solution KNLP_FILE]\n"
    "       norva-inspect --stats FILE\n"
    "       norva-inspect --write-orb OUT FILE [--solution KNLP_FILE]\n"
    "\n"
    "FILE is an MPS file (free or fixed, plain or gzip) or an ORB file (extension .orb),\n"
    "opened as the desktop program opens it. --solution then reads a KNLP solution file\n"
    "into the model, as the Open Solution command does. --stats gives the smallest and\n"
    "largest magnitudes of non-zero values only. Exit status: 0 done, 1 a file could not\n"
    "be read or written, 2 bad usage.\n";

namespace {

class ArgumentParser {
public:
    explicit ArgumentParser(CommandLine& result) : m_result(result) {}

    // False, with the reason in the result, at the first unusable argument.
    bool take(std::string_view argument, const char* value) {
        if (argument.empty() || argument[0] != '-') return takeFile(argument);
        if (argument == "--help" || argument == "-h") return setCommand(InspectCommand::kHelp);
        if (argument == "--dump") return setCommand(InspectCommand::kDump);
        if (argument == "--stats") return setCommand(InspectCommand::kStats);
        if (argument == "--write-orb")
            return setCommand(InspectCommand::kWriteOrb) &&
                   takeValue(argument, value, m_result.orbOutputPath);
        if (argument == "--solution") return takeValue(argument, value, m_result.solutionPath);
        return fail("unknown option " + std::string(argument));
    }

    // True when the last take() also used the following argument.
    bool usedValue() {
        const bool used = m_usedValue;
        m_usedValue = false;
        return used;
    }

    bool finish() {
        if (m_result.command == InspectCommand::kHelp) return true;
        if (m_result.command == InspectCommand::kNone)
            return fail("one of --dump, --stats or --write-orb is needed");
        if (m_result.matrixPath.empty()) return fail("no matrix file given");
        if (!m_result.solutionPath.empty() && m_result.command == InspectCommand::kStats)
            return fail("--solution goes with --dump or --write-orb");
        return true;
    }

private:
    bool fail(std::string reason) {
        m_result.error = std::move(reason);
        return false;
    }

    bool setCommand(InspectCommand command) {
        if (m_result.command != InspectCommand::kNone)
            return fail("only one of --dump, --stats, --write-orb or --help may be given");
        m_result.command = command;
        return true;
    }

    bool takeValue(std::string_view option, const char* value, std::string& target) {
        if (value == nullptr || *value == '\0') return fail(std::string(option) + " needs a value");
        if (!target.empty()) return fail(std::string(option) + " is given twice");
        target = value;
        m_usedValue = true;
        return true;
    }

    bool takeFile(std::string_view argument) {
        if (argument.empty()) return fail("an empty file name");
        if (!m_result.matrixPath.empty())
            return fail("more than one matrix file: " + std::string(argument));
        m_result.matrixPath = argument;
        return true;
    }

    CommandLine& m_result;
    bool m_usedValue = false;
};

}  // namespace

CommandLine parseCommandLine(int argc, const char* const* argv) {
    CommandLine result;
    ArgumentParser parser(result);
    for (int i = 1; i < argc; ++i) {
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (!parser.take(argv[i], value)) {
            result.command = InspectCommand::kNone;
            return result;
        }
        if (parser.usedValue()) ++i;
    }
    if (!parser.finish()) result.command = InspectCommand::kNone;
    return result;
}
