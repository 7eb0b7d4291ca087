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

AppCommandLine rejected(std::string error) {
    AppCommandLine result;
    result.action = StartAction::kRejected;
    result.error = std::move(error);
    return result;
}

}  // namespace

AppCommandLine parseAppCommandLine(const std::vector<std::string>& arguments) {
    AppCommandLine result;
    bool switchSeen = false;
    for (const std::string& argument : arguments) {
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
