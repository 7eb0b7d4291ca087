#include "CommandLine.h"

#include <charconv>
#include <string_view>
#include <system_error>
#include <utility>

#include "AsciiCase.h"

const char* const kInspectUsage =
    "usage: norva-inspect --dump FILE [--solution KNLP_FILE]\n"
    "       norva-inspect --stats FILE\n"
    "       norva-inspect --write-orb OUT FILE [--solution KNLP_FILE]\n"
    "       norva-inspect --row NAME FILE [--solution KNLP_FILE] [--decimals N] [--scientific]\n"
    "       norva-inspect --col NAME FILE [--solution KNLP_FILE] [--decimals N] [--scientific]\n"
    "       norva-inspect --table NAME --kind K [--connect STRING] [--keys LIST --values LIST]\n"
    "                     --columns LIST\n"
    "       norva-inspect --filter large|small|ratio [--threshold X] [--all-columns] FILE\n"
    "       norva-inspect --find TEXT [--whole-word] [--ignore-case] [--up] [--columns] FILE\n"
    "       norva-inspect --scaling [--top N] [--attention X] [--bad X] [--json] FILE\n"
    "       norva-inspect --histogram [--json] FILE\n"
    "Every command that takes FILE also takes [--loom-process NAME]\n"
    "--dump, --row and --col also take [--database-type Access|SqlServer]\n"
    "                     [--access-database NAME] [--connection STRING]\n"
    "\n"
    "FILE is an MPS file (free or fixed, plain or gzip) or an ORB file (extension .orb),\n"
    "opened as the desktop program opens it. --solution then reads a KNLP solution file\n"
    "into the model, as the Open Solution command does. --stats gives the smallest and\n"
    "largest magnitudes of non-zero values only. Exit status: 0 done, 1 a file could not\n"
    "be read or written, 2 bad usage.\n"
    "\n"
    "A FILE with extension .cas is not read: the case loaded in the modelling server's\n"
    "process NAME (--loom-process, else the LoomProcessName option of the desktop program's\n"
    "profile) is read over the session bus, solution records included.\n"
    "\n"
    "--row and --col print the detail view's listing of one row or column, from its title\n"
    "line on, entries by name: values with N decimals (0 to 12, default 5), in scientific\n"
    "form when longer than 12 characters or with --scientific. A name that the model lacks\n"
    "exits with 1.\n"
    "\n"
    "A matrix whose name begins with MPSBCD (or EXTENDEDTAGMPSBCD) gets the solution of its\n"
    "case (the name's last three digits) from the results database, as the desktop program\n"
    "reads it: the Access database NAME (default Results.mdb) beside the matrix, or with\n"
    "--database-type SqlServer the server that the ADO-style --connection STRING names.\n"
    "\n"
    "--table makes one request to the data-table layer: kind 7 reads the DBF file NAME, kind 8\n"
    "an ODBC database (--connect \"ODBC;DRIVER=...;DBQ=...\" or a data source name), kind 10 an\n"
    "ADO-style connection string, kind 2 plain ODBC. LISTs are comma-separated. It prints\n"
    "\"status S\", \"rows N\", then per row the value cells and then the key cells, "
    "tab-separated,\n"
    "and exits 0 exactly when the status is 0.\n"
    "\n"
    "--filter runs the coefficient filter (threshold X from 0 to 1e20, by default the\n"
    "program's default for the test) and prints the submatrix it builds as the grid's Copy\n"
    "text: the header line, then each grid line, cells separated by tabs.\n"
    "\n"
    "--find starts on the first row name (column name with --columns, which follows --find)\n"
    "and presses Find Next (Find Previous with --up) until a press goes round the end of the\n"
    "list, printing each name found, \"Passed end of list\" before the last one, or only\n"
    "\"< Search text not found. >\".\n"
    "\n"
    "--scaling ranks rows, columns and row blocks (names without their trailing digits and\n"
    "separators) by the ratio of their largest to smallest |a|, N of each (default 20), and\n"
    "gives the matrix's ratio before and after geometric-mean scaling; ratios from X on are\n"
    "marked \"attention\" (default 1e6) or \"bad\" (default 1e9). --histogram counts the\n"
    "coefficients, right-hand sides and finite bounds per decade of |v|. --json writes either\n"
    "as one JSON document.\n";

namespace {

constexpr const char* kDatabaseOptionsMisplaced =
    "--database-type, --access-database and --connection go with --dump, --row or --col";

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
        if (argument == "--loom-process") {
            m_result.loomProcess.emplace();
            return takeValue(argument, value, *m_result.loomProcess);
        }
        if (argument == "--row" || argument == "--col")
            return setCommand(argument == "--row" ? InspectCommand::kRow : InspectCommand::kCol) &&
                   takeValue(argument, value, m_result.detailName);
        if (argument == "--decimals") return takeDecimals(value);
        if (argument == "--scientific") {
            m_formatOptionSeen = true;
            m_result.scientific = true;
            return true;
        }
        if (argument == "--table")
            return setCommand(InspectCommand::kTable) &&
                   takeValue(argument, value, m_result.table.name);
        if (takeFilterOrFindOption(argument, value)) return m_result.error.empty();
        if (argument == "--database-type") return takeDatabaseType(value);
        if (argument == "--access-database")
            return takeDatabaseOption(argument, value, m_result.accessDatabase);
        if (argument == "--connection")
            return takeDatabaseOption(argument, value, m_result.connection);
        return takeTableOption(argument, value);
    }
    // True when the last take() also used the following argument.
    bool usedValue() {
        const bool used = m_usedValue;
        m_usedValue = false;
        return used;
    }

    bool finish() {
        if (m_result.command == InspectCommand::kHelp) return true;
        if (m_result.command == InspectCommand::kTable) return finishTable();
        if (m_result.command == InspectCommand::kNone)
            return fail(
                "one of --dump, --stats, --write-orb or --table is needed, or --row/--col, "
                "--filter or --find");
        if (m_tableOptionSeen)
            return fail("--kind, --connect, --keys, --values and --columns go with --table");
        if (m_filterOptionSeen && m_result.command != InspectCommand::kFilter)
            return fail("--threshold and --all-columns go with --filter");
        if (m_findOptionSeen && m_result.command != InspectCommand::kFind)
            return fail("--whole-word, --ignore-case and --up go with --find");
        const bool detail =
            m_result.command == InspectCommand::kRow || m_result.command == InspectCommand::kCol;
        if (m_formatOptionSeen && !detail)
            return fail("--decimals and --scientific go with --row or --col");
        if (m_databaseOptionSeen && !detail && m_result.command != InspectCommand::kDump)
            return fail(kDatabaseOptionsMisplaced);
        if (m_result.matrixPath.empty()) return fail("no matrix file given");
        if (!m_result.solutionPath.empty() && m_result.command == InspectCommand::kStats)
            return fail("--solution goes with --dump or --write-orb (or --row, --col)");
        return true;
    }

private:
    // True when argument belongs to --filter or --find (failing or not). A "--columns" after
    // "--find" is the find's flag; anywhere else it is the table option.
    bool takeFilterOrFindOption(std::string_view argument, const char* value) {
        FindArguments& find = m_result.find;
        if (argument == "--filter") {
            if (setCommand(InspectCommand::kFilter)) takeTest(value);
            return true;
        }
        if (argument == "--threshold") {
            takeThreshold(value);
            return true;
        }
        if (argument == "--all-columns")
            return flag(m_filterOptionSeen, m_result.filter.allColumns);
        if (argument == "--find") {
            if (setCommand(InspectCommand::kFind)) takeListValue(argument, value, find.text);
            return true;
        }
        if (argument == "--whole-word") return flag(m_findOptionSeen, find.wholeWord);
        if (argument == "--ignore-case") return flag(m_findOptionSeen, find.ignoreCase);
        if (argument == "--up") return flag(m_findOptionSeen, find.up);
        if (argument == "--columns" && m_result.command == InspectCommand::kFind) {
            find.columns = true;
            return true;
        }
        return false;
    }

    static bool flag(bool& seen, bool& target) {
        seen = true;
        target = true;
        return true;
    }

    bool takeTest(const char* value) {
        std::string text;
        if (!takeValue("--filter", value, text)) return false;
        const char* const tests[] = {"large", "small", "ratio"};
        for (int test = 0; test < 3; ++test) {
            if (text != tests[test]) continue;
            m_result.filter.test = test;
            return true;
        }
        return fail("--filter needs large, small or ratio: " + text);
    }

    bool takeThreshold(const char* value) {
        std::string text;
        m_filterOptionSeen = true;
        if (!takeValue("--threshold", value, text)) return false;
        double threshold = 0.0;
        const auto [end, error] =
            std::from_chars(text.data(), text.data() + text.size(), threshold);
        if (error != std::errc() || end != text.data() + text.size() || !(threshold >= 0.0) ||
            threshold > 1e20)
            return fail("--threshold needs a number from 0 to 1e20: " + text);
        m_result.filter.threshold = threshold;
        return true;
    }

    bool takeDatabaseOption(std::string_view option, const char* value, std::string& target) {
        m_databaseOptionSeen = true;
        return takeValue(option, value, target);
    }

    bool takeDatabaseType(const char* value) {
        if (!takeDatabaseOption("--database-type", value, m_result.databaseType)) return false;
        const std::string& type = m_result.databaseType;
        if (equalsIgnoreAsciiCase(type, "Access") || equalsIgnoreAsciiCase(type, "SqlServer"))
            return true;
        return fail("--database-type needs Access or SqlServer: " + type);
    }

    bool takeTableOption(std::string_view argument, const char* value) {
        TableRequestArguments& table = m_result.table;
        m_tableOptionSeen = true;
        if (argument == "--kind") return takeKind(value);
        if (argument == "--connect") return takeListValue(argument, value, table.connect);
        if (argument == "--keys") return takeListValue(argument, value, table.keys);
        if (argument == "--values") return takeListValue(argument, value, table.values);
        if (argument == "--columns") {
            table.columnsGiven = true;
            return takeListValue(argument, value, table.columns);
        }
        return fail("unknown option " + std::string(argument));
    }

    bool takeDecimals(const char* value) {
        std::string text;
        m_formatOptionSeen = true;
        if (m_decimalsSeen) return fail("--decimals is given twice");
        if (!takeValue("--decimals", value, text)) return false;
        m_decimalsSeen = true;
        const bool digits =
            text.size() <= 2 && text.find_first_not_of("0123456789") == std::string::npos;
        if (!digits || std::stoi(text) > 12)
            return fail("--decimals needs a number from 0 to 12: " + text);
        m_result.decimals = std::stoi(text);
        return true;
    }

    bool takeKind(const char* value) {
        std::string text;
        if (!takeValue("--kind", value, text)) return false;
        int kind = 0;
        for (const char c : text) {
            if (c < '0' || c > '9' || kind > 1000) return fail("--kind needs a number: " + text);
            kind = kind * 10 + (c - '0');
        }
        m_result.table.kind = kind;
        return true;
    }

    // Unlike a file name, a list may be empty: the table layer says what that means.
    bool takeListValue(std::string_view option, const char* value, std::string& target) {
        if (value == nullptr) return fail(std::string(option) + " needs a value");
        target = value;
        m_usedValue = true;
        return true;
    }

    bool finishTable() {
        const TableRequestArguments& table = m_result.table;
        if (!m_result.matrixPath.empty())
            return fail("--table takes no matrix file: " + m_result.matrixPath);
        if (!m_result.solutionPath.empty()) return fail("--solution does not go with --table");
        if (m_result.loomProcess) return fail("--loom-process does not go with --table");
        if (m_formatOptionSeen) return fail("--decimals and --scientific go with --row or --col");
        if (m_databaseOptionSeen) return fail(kDatabaseOptionsMisplaced);
        if (table.kind < 0) return fail("--table needs --kind");
        if (!table.columnsGiven) return fail("--table needs --columns");
        return true;
    }

    bool fail(std::string reason) {
        m_result.error = std::move(reason);
        return false;
    }

    bool setCommand(InspectCommand command) {
        if (m_result.command != InspectCommand::kNone)
            return fail(
                "only one of --dump, --stats, --write-orb, --row, --col, --table, --filter, --find "
                "or --help may be given");
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
    bool m_tableOptionSeen = false;
    bool m_formatOptionSeen = false;
    bool m_decimalsSeen = false;
    bool m_filterOptionSeen = false;
    bool m_findOptionSeen = false;
    bool m_databaseOptionSeen = false;
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
