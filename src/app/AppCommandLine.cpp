#include "AppCommandLine.h"

#include "AsciiCase.h"

namespace {

struct SwitchName {
    const char* name;
    StartAction action;
};

constexpr SwitchName kSwitches[] = {
    {"register", StartAction::kRegister},     {"regserver", StartAction::kRegister},
    {"unregister", StartAction::kUnregister}, {"unregserver", StartAction::kUnregister},
    {"automation", StartAction::kAutomation}, {"embedding", StartAction::kAutomation},
    {"help", StartAction::kHelp},             {"h", StartAction::kHelp},
};

std::string_view withoutSwitchPrefix(std::string_view argument) {
    if (argument.starts_with("--")) return argument.substr(2);
    if (argument.starts_with("-") || argument.starts_with("/")) return argument.substr(1);
    return {};
}

bool findSwitch(const std::string& argument, StartAction& action) {
    const std::string_view name = withoutSwitchPrefix(argument);
    for (const SwitchName& candidate : kSwitches) {
        if (!name.empty() && equalsIgnoreAsciiCase(name, candidate.name)) {
            action = candidate.action;
            return true;
        }
    }
    return false;
}

struct PrintForm {
    const char* name;
    StartAction action;
    int operands;  // the arguments that follow: the printer or PDF, then the file
};

constexpr PrintForm kPrintForms[] = {
    {"print", StartAction::kPrint, 1},
    {"p", StartAction::kPrint, 1},
    {"print-to", StartAction::kPrintTo, 2},
    {"pt", StartAction::kPrintTo, 2},
    {"print-to-pdf", StartAction::kPrintToPdf, 2},
};

const PrintForm* findPrintForm(const std::string& argument) {
    const std::string_view name = withoutSwitchPrefix(argument);
    for (const PrintForm& form : kPrintForms)
        if (!name.empty() && equalsIgnoreAsciiCase(name, form.name)) return &form;
    return nullptr;
}

AppCommandLine rejected(std::string error) {
    AppCommandLine result;
    result.action = StartAction::kRejected;
    result.error = std::move(error);
    return result;
}

bool isDetailOption(const std::string& argument) {
    return argument == "--row" || argument == "--col";
}

// A print form and what follows it are the whole command line.
AppCommandLine parsePrintForm(const PrintForm& form, const std::vector<std::string>& arguments) {
    AppCommandLine result;
    result.action = form.action;
    const std::string& formName = arguments[0];
    if (arguments.size() < static_cast<std::size_t>(form.operands) + 1)
        return rejected(formName + (form.operands == 1 ? " needs a FILE" : " needs two operands"));
    if (form.action == StartAction::kPrintTo) result.printer = arguments[1];
    if (form.action == StartAction::kPrintToPdf) result.pdfPath = arguments[1];
    result.fileName = arguments[static_cast<std::size_t>(form.operands)];
    std::size_t next = static_cast<std::size_t>(form.operands) + 1;
    if (form.action == StartAction::kPrintToPdf && next < arguments.size() &&
        isDetailOption(arguments[next])) {
        if (next + 1 >= arguments.size()) return rejected(arguments[next] + " needs a NAME");
        result.rowDisplay = arguments[next] == "--row";
        result.detailName = arguments[next + 1];
        next += 2;
    }
    if (next < arguments.size())
        return rejected("\"" + arguments[next] + "\" cannot follow " + formName);
    return result;
}

}  // namespace

AppCommandLine parseAppCommandLine(const std::vector<std::string>& arguments) {
    AppCommandLine result;
    if (!arguments.empty())
        if (const PrintForm* form = findPrintForm(arguments[0]))
            return parsePrintForm(*form, arguments);
    bool switchSeen = false;
    for (const std::string& argument : arguments) {
        if (findPrintForm(argument) != nullptr) return rejected(argument + " must come first");
        StartAction action{};
        if (findSwitch(argument, action)) {
            // Registration and automation end or replace the normal start, so the first wins.
            if (!switchSeen) result.action = action;
            switchSeen = true;
            continue;
        }
        if (argument.starts_with("-") && argument.size() > 1)
            return rejected("unknown option \"" + argument + "\"");
        if (!result.fileName.empty())
            return rejected("only one file can be opened, \"" + argument + "\" is a second one");
        result.fileName = argument;
    }
    if (!switchSeen && !result.fileName.empty()) result.action = StartAction::kOpenFile;
    return result;
}
