// norva-automate: one automation client session with a Norva instance, for scripts and tests.

#include <QCoreApplication>
#include <QDBusConnection>
#include <cstdio>
#include <string>
#include <vector>

#include "AutomateCommands.h"
#include "AutomateSession.h"

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
    const AutomateRequest request = parseAutomateArguments(arguments);
    if (!request.error.empty()) {
        std::fprintf(stderr, "norva-automate: %s\n%s", request.error.c_str(), kAutomateUsage);
        return 2;
    }
    AutomateSession session(QDBusConnection::sessionBus());
    return session.run(request);
}
