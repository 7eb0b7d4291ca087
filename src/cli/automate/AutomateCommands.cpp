#include "AutomateCommands.h"

namespace {

class Parser {
public:
    explicit Parser(const std::vector<std::string>& arguments) : m_arguments(arguments) {}

    AutomateRequest run() {
        readOptions();
        while (m_request.error.empty() && m_next < m_arguments.size()) readCommand();
        if (m_request.error.empty() && m_request.commands.empty())
            m_request.error = "no command given";
        return m_request;
    }

private:
    bool more() const { return m_next < m_arguments.size(); }
    const std::string& take() { return m_arguments[m_next++]; }

    void readOptions() {
        while (more() && m_arguments[m_next].starts_with("--")) {
            const std::string& option = take();
            if (option == "--print-name") {
                m_request.printName = true;
            } else if (option == "--attach" && more()) {
                m_request.attachTo = take();
            } else if (option == "--attach") {
                m_request.error = "--attach needs a bus name";
                return;
            } else {
                m_request.error = "unknown option \"" + option + "\"";
                return;
            }
        }
    }

    void readCommand() {
        const std::string& verb = take();
        if (verb == "get") return readMember(AutomateCommand::Kind::kGet, verb);
        if (verb == "set") return readMember(AutomateCommand::Kind::kSet, verb);
        if (verb == "call") return readMember(AutomateCommand::Kind::kCall, verb);
        m_request.error = "unknown command \"" + verb + "\" (get, set or call)";
    }

    void readMember(AutomateCommand::Kind kind, const std::string& verb) {
        if (!more()) {
            m_request.error = verb + " needs a member name";
            return;
        }
        const std::string& name = take();
        AutomateCommand command;
        command.kind = kind;
        command.member = findAutomationMember(name);
        if (command.member == nullptr) {
            m_request.error = "\"" + name + "\" is no member of Norva.Document";
            return;
        }
        const bool wantsProperty = kind != AutomateCommand::Kind::kCall;
        if (command.member->isProperty() != wantsProperty) {
            m_request.error =
                std::string(command.member->name) +
                (wantsProperty ? " is a method: use call" : " is a property: use get or set");
            return;
        }
        if (kind == AutomateCommand::Kind::kSet) readValue(command, command.member->type);
        for (int i = 0; kind == AutomateCommand::Kind::kCall && i < command.member->argumentCount();
             ++i)
            readValue(command, command.member->arguments[i]);
        if (m_request.error.empty()) m_request.commands.push_back(std::move(command));
    }

    void readValue(AutomateCommand& command, AutomationType type) {
        if (!m_request.error.empty()) return;
        if (!more()) {
            m_request.error = std::string(command.member->name) + " needs a " +
                              automationTypeName(type) + " value";
            return;
        }
        const std::string& value = take();
        if (type == AutomationType::kBool && value != "true" && value != "false") {
            m_request.error = std::string(command.member->name) + ": \"" + value +
                              "\" is not a boolean (true or false)";
            return;
        }
        command.values.push_back(value);
    }

    const std::vector<std::string>& m_arguments;
    std::size_t m_next = 0;
    AutomateRequest m_request;
};

}  // namespace

AutomateRequest parseAutomateArguments(const std::vector<std::string>& arguments) {
    return Parser(arguments).run();
}
